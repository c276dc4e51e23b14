// Runs the semantic case files: each case on a fresh database file, its steps through one or two
// connections, comparing result sets and error kinds with what the suite's database gives.
#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>

#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/date.h"
#include "semantic_case.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace testing {

// Names a case in test output instead of dumping its bytes.
void PrintTo(const SemanticCase& semantic_case, std::ostream* out) {
  *out << semantic_case.file << ": " << semantic_case.name;
}

}  // namespace testing

namespace {

using testing::SemanticCase;
using testing::Step;
using testing::StepKind;

// The connection's cases and the dialect layer's own, which need a database to run.
std::vector<std::string> CaseDirectories() {
  const char* root = std::getenv("CHECKBILL_SOURCE_DIR");
  std::string base =
      std::string(root != nullptr ? root : CHECKBILL_SOURCE_DIR) + "/tests/platform/";
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
    for (SemanticCase& c : testing::ReadCases(file)) cases.push_back(std::move(c));
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

const char* KindName(db::DbErrorKind kind) {
  switch (kind) {
    case db::DbErrorKind::kSyntax:
      return "kSyntax";
    case db::DbErrorKind::kUnsupported:
      return "kUnsupported";
    case db::DbErrorKind::kNoSuchObject:
      return "kNoSuchObject";
    case db::DbErrorKind::kObjectExists:
      return "kObjectExists";
    case db::DbErrorKind::kConstraint:
      return "kConstraint";
    case db::DbErrorKind::kDivideByZero:
      return "kDivideByZero";
    case db::DbErrorKind::kConversion:
      return "kConversion";
    case db::DbErrorKind::kBusy:
      return "kBusy";
    case db::DbErrorKind::kConnection:
      return "kConnection";
    case db::DbErrorKind::kOther:
      return "kOther";
  }
  return "?";
}

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
          EXPECT_STREQ(KindName(connection.errors().Item(0).kind), step.error_kind.c_str())
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
