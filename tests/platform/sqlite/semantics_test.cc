// Runs the semantic case files: each case on a fresh database file, its steps through one or two
// connections, comparing result sets and error kinds with what the suite's database gives.
#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/date.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

enum class StepKind { kRun, kQuery, kFails, kBegin, kCommit, kRollback };

struct Step {
  StepKind kind = StepKind::kRun;
  int connection = 1;             // 1 or 2: two connections share the database file
  std::string sql;                // the batch (kRun, kQuery, kFails)
  std::vector<std::string> rows;  // kQuery: each row's cells joined by " | "
  std::string error_kind;         // kFails: the DbErrorKind name ("kDivideByZero") or the
                                  // server's error number ("8115")
  int line = 0;                   // where the step starts in its file
};

struct SemanticCase {
  std::string file;
  std::string name;
  std::vector<Step> steps;
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

bool IsDirective(const std::string& line) {
  if (line.rfind("-- ", 0) != 0) return false;
  std::vector<std::string> words = Words(line.substr(3));
  if (words.empty()) return false;
  for (const char* keyword : {"run", "query", "rows", "fails", "begin", "commit", "rollback"}) {
    if (words.front() == keyword) return true;
  }
  return false;
}

[[noreturn]] void Malformed(const std::string& path, int line, const std::string& what) {
  throw std::runtime_error(path + ":" + std::to_string(line) + ": " + what);
}

// Reads "on N" at words[at] when present.
int ConnectionOf(const std::vector<std::string>& words, size_t at, const std::string& path,
                 int line) {
  if (words.size() <= at) return 1;
  if (words.size() != at + 2 || words[at] != "on" ||
      (words[at + 1] != "1" && words[at + 1] != "2")) {
    Malformed(path, line, "expected 'on 1' or 'on 2'");
  }
  return words[at + 1] == "2" ? 2 : 1;
}

// Reads every case of a file. Format:
//   # comment                      (outside SQL)
//   === name                       starts a case
//   -- run [on 2]                  a batch that must succeed
//   -- query [on 2]                a batch whose first result set must equal the rows that follow
//   -- rows                        the rows, one per line, cells joined by " | "
//   -- fails KIND [on 2]           a batch that must fail with that error kind or number
//   -- begin | commit | rollback [on 2]
// Cells: NULL, integers, reals (shortest form), decimals (every digit, no trailing zeros), 'text'
// in quotes, #YYYY-MM-DD[ HH:MM:SS]# for dates, true/false. Raises std::runtime_error on a
// malformed file.
std::vector<SemanticCase> ReadCases(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<SemanticCase> cases;
  Step* step = nullptr;
  bool in_rows = false;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("=== ", 0) == 0) {
      cases.push_back({path, line.substr(4), {}});
      step = nullptr;
      in_rows = false;
      continue;
    }
    if (IsDirective(line)) {
      if (cases.empty()) Malformed(path, number, "step outside a case");
      std::vector<std::string> words = Words(line.substr(3));
      const std::string& keyword = words.front();
      if (keyword == "rows") {
        if (step == nullptr || step->kind != StepKind::kQuery) {
          Malformed(path, number, "'rows' must follow a query");
        }
        in_rows = true;
        continue;
      }
      in_rows = false;
      Step next;
      next.line = number;
      if (keyword == "fails") {
        if (words.size() < 2) Malformed(path, number, "'fails' needs an error kind");
        next.kind = StepKind::kFails;
        next.error_kind = words[1];
        next.connection = ConnectionOf(words, 2, path, number);
      } else {
        next.kind = keyword == "run"      ? StepKind::kRun
                    : keyword == "query"  ? StepKind::kQuery
                    : keyword == "begin"  ? StepKind::kBegin
                    : keyword == "commit" ? StepKind::kCommit
                                          : StepKind::kRollback;
        next.connection = ConnectionOf(words, 1, path, number);
      }
      cases.back().steps.push_back(std::move(next));
      step = &cases.back().steps.back();
      continue;
    }
    if (step == nullptr) {
      if (line.empty() || line.front() == '#') continue;
      Malformed(path, number, "text outside a step");
    }
    if (in_rows) {
      if (!line.empty()) step->rows.push_back(line);
    } else if (!line.empty() || !step->sql.empty()) {
      step->sql += line + "\r\n";
    }
  }
  return cases;
}

// The connection's cases and the dialect layer's own, which need a database to run.
std::vector<std::string> CaseDirectories() {
  const std::string base = std::string(CHECKBILL_SOURCE_DIR) + "/tests/platform/";
  return {base + "sqlite/cases", base + "tsql/cases"};
}

std::vector<SemanticCase> AllCases() {
  std::vector<std::string> files;
  for (const std::string& directory : CaseDirectories()) {
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      if (entry.path().extension() == ".cases") files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<SemanticCase> cases;
  for (const std::string& file : files) {
    for (SemanticCase& c : ReadCases(file)) cases.push_back(std::move(c));
  }
  return cases;
}

std::string Cell(const Variant& value) {
  switch (value.type()) {
    case VariantType::kNull:
      return "NULL";
    case VariantType::kBool:
      return value.ToBool() ? "true" : "false";
    case VariantType::kDouble: {
      if (value.IsDecimal()) return value.ToString();
      char text[32];
      auto [end, ec] = std::to_chars(text, text + sizeof text, value.ToDouble());
      return ec == std::errc() ? std::string(text, end) : "?";
    }
    case VariantType::kString:
      return "'" + value.ToString() + "'";
    case VariantType::kDate:
      return "#" + FormatDateAuto(value.ToDate()) + "#";
    default:
      return value.ToString();
  }
}

std::vector<std::string> Render(db::Recordset& recordset) {
  std::vector<std::string> rows;
  for (const auto& row : recordset.rows()) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += (i > 0 ? " | " : "") + Cell(row[i]);
    rows.push_back(line);
  }
  return rows;
}

// The kinds in the order DbErrorKind declares them, as the case files name them.
constexpr const char* kKindNames[] = {
    "kSyntax",       "kUnsupported", "kNoSuchObject", "kObjectExists", "kConstraint",
    "kDivideByZero", "kConversion",  "kBusy",         "kConnection",   "kOther"};

class Semantics : public ::testing::TestWithParam<SemanticCase> {
 protected:
  SqliteConnection& On(int number) {
    auto& slot = number == 2 ? second_ : first_;
    if (!slot) {
      SqliteOptions options;
      options.busy_timeout_ms = 200;
      slot = OpenSqliteConnection(dir_.File("case.db"), options);
    }
    return *slot;
  }

  void RunStep(const Step& step) {
    SqliteConnection& connection = On(step.connection);
    switch (step.kind) {
      case StepKind::kRun:
        (void)connection.Execute(step.sql);
        return;
      case StepKind::kQuery: {
        db::RecordsetPtr result = connection.Execute(step.sql);
        ASSERT_TRUE(result->IsOpen()) << "the batch returned no result set";
        EXPECT_EQ(Render(*result), step.rows);
        return;
      }
      case StepKind::kFails:
        EXPECT_THROW((void)connection.Execute(step.sql), Error);
        ASSERT_GE(connection.errors().Count(), 1u);
        if (std::isdigit(static_cast<unsigned char>(step.error_kind[0]))) {
          EXPECT_EQ(std::to_string(connection.errors().Item(0).native_error), step.error_kind)
              << connection.errors().Item(0).description;
        } else {
          EXPECT_STREQ(kKindNames[static_cast<int>(connection.errors().Item(0).kind)],
                       step.error_kind.c_str())
              << connection.errors().Item(0).description;
        }
        return;
      case StepKind::kBegin:
        connection.BeginTrans();
        return;
      case StepKind::kCommit:
        connection.CommitTrans();
        return;
      case StepKind::kRollback:
        connection.RollbackTrans();
        return;
    }
  }

  cb::testing::TempDatabase dir_;
  std::shared_ptr<SqliteConnection> first_;
  std::shared_ptr<SqliteConnection> second_;
};

TEST_P(Semantics, CaseGivesTheSuiteDatabaseResults) {
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE(GetParam().file + ":" + std::to_string(step.line));
    try {
      RunStep(step);
    } catch (const Error& error) {
      ADD_FAILURE() << "unexpected error " << error.number() << ": " << error.description();
      return;
    }
    if (HasFatalFailure()) return;
  }
}

std::string CaseName(const ::testing::TestParamInfo<SemanticCase>& info) {
  std::string file = std::filesystem::path(info.param.file).stem().string();
  std::string name = file + "_" + info.param.name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Semantics, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace cb::sqlite
