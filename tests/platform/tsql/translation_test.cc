// Runs the refusal cases of cases/errors.txt, each batch failing to translate with the expected
// error kind, description and position, checks the texts of variable errors, and checks that deep
// nesting is refused before it exhausts the stack.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/db/database_error.h"
#include "platform/tsql/batch.h"
#include "platform/tsql/interpreter.h"
#include "platform/tsql/interpreter_select_into.h"
#include "platform/tsql/text_case.h"

namespace cb::tsql {
namespace {

// Tables whose names compare without regard to case; statements run on it change nothing and
// return nothing.
class FakeCatalog : public Backend {
 public:
  StatementResult Run(std::string_view, std::span<const BoundParameter>) override { return {}; }
  std::vector<ColumnInfo> Describe(std::string_view, std::span<const BoundParameter>) override {
    return {};
  }
  void Add(const std::string& table, std::vector<ColumnInfo> columns) {
    tables_[Lower(table)] = std::move(columns);
  }
  std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view table) override {
    auto found = tables_.find(Lower(table));
    if (found == tables_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::map<std::string, std::vector<ColumnInfo>> tables_;
};

// One case a line: "~ name | input | error <kind>: <description>", with \n and \r escapes in the
// input.
struct Case {
  std::string name;
  std::string input;
  std::string expected;
};

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

std::string CasePath(const std::string& file) {
  return std::string(CHECKBILL_SOURCE_DIR) + "/tests/platform/tsql/cases/" + file;
}

// Tables the refusal cases may name, with their native declared types.
FakeCatalog TablesCatalog() {
  FakeCatalog catalog;
  catalog.Add("ICInventory", {{"FBrNo", "VARCHAR(10)"},
                              {"FItemID", "INT"},
                              {"FStockID", "INT"},
                              {"FQty", "DECIMAL_REAL(28,10)"}});
  catalog.Add("#TempBill", {{"FItemID", "INT"}, {"FStockID", "INT"}});
  catalog.Add("T_Stock", {{"FItemID", "INT"}, {"FTypeID", "INT"}, {"FName", "VARCHAR(80)"}});
  catalog.Add("ICStockBill", {{"FInterID", "INT"}, {"FDate", "DATETIME_TEXT"}});
  catalog.Add("#TmpICBOM", {{"FItemID", "INT"}, {"FNumber", "VARCHAR(4000)"}, {"FLevel", "INT"}});
  return catalog;
}

std::string Unescaped(const std::string& raw) {
  std::string input;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == 'n' || raw[i + 1] == 'r')) {
      input += raw[++i] == 'n' ? '\n' : '\r';
    } else {
      input += raw[i];
    }
  }
  return input;
}

std::vector<Case> LoadCases() {
  std::vector<Case> cases;
  std::ifstream in(CasePath("errors.txt"));
  EXPECT_TRUE(in.good()) << "cannot open " << CasePath("errors.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("~ ", 0) != 0) continue;
    size_t first = line.find(" | ");
    size_t second = line.find(" | ", first + 3);
    EXPECT_NE(second, std::string::npos) << "malformed case line: " << line;
    if (second == std::string::npos) continue;
    cases.push_back({Trim(line.substr(2, first - 2)),
                     Unescaped(line.substr(first + 3, second - first - 3)),
                     Trim(line.substr(second + 3))});
  }
  return cases;
}

std::string KindName(db::DbErrorKind kind) {
  switch (kind) {
    case db::DbErrorKind::kSyntax:
      return "syntax";
    case db::DbErrorKind::kUnsupported:
      return "unsupported";
    case db::DbErrorKind::kNoSuchObject:
      return "nosuchobject";
    default:
      return "other";
  }
}

// Parses and translates every statement, nested ones included; the first error is the outcome.
void TranslateAll(const Statement& statement, Catalog& catalog) {
  switch (statement.kind()) {
    case StatementKind::kEmpty:
    case StatementKind::kDeclare:
      return;
    case StatementKind::kBlock:
      for (const auto& child : statement.children()) TranslateAll(*child, catalog);
      return;
    case StatementKind::kIf:
      (void)statement.Translate(catalog);
      TranslateAll(*statement.then_branch(), catalog);
      if (statement.else_branch()) TranslateAll(*statement.else_branch(), catalog);
      return;
    default:
      (void)statement.Translate(catalog);
      return;
  }
}

// Any exception other than a database error escapes and fails the calling test.
std::string Outcome(const std::string& input) {
  static FakeCatalog catalog = TablesCatalog();
  try {
    for (const auto& statement : ParseBatch(input)) TranslateAll(*statement, catalog);
    return "translated";
  } catch (const db::DatabaseException& e) {
    return "error " + KindName(e.error().kind) + ": " + e.error().description;
  }
}

class Refusal : public ::testing::TestWithParam<Case> {};

TEST_P(Refusal, FailsWithKindDescriptionAndPosition) {
  EXPECT_EQ(Outcome(GetParam().input), GetParam().expected) << "input:\n" << GetParam().input;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Refusal, ::testing::ValuesIn(LoadCases()), CaseName);

// The native numbers of these errors are checked in interpreter.cases; the texts name the variable.
TEST(Interpreter, AnUndeclaredVariableIsNamed) {
  const std::pair<const char*, const char*> cases[] = {
      {"UPDATE T_Stock SET FTypeID = @x", "Must declare the scalar variable \"@x\"."},
      {"SET @y = 1", "Must declare the scalar variable \"@y\"."},
  };
  for (const auto& [batch, description] : cases) {
    FakeCatalog backend = TablesCatalog();
    Interpreter interpreter(backend);
    try {
      (void)interpreter.RunStatements(ParseBatch(batch));
      ADD_FAILURE() << "ran: " << batch;
    } catch (const db::DatabaseException& e) {
      EXPECT_EQ(e.error().description, description);
    }
  }
}

// Tables made by the layer declare storage types already; a table made outside it may declare the
// server's names, which SELECT … INTO maps to the storage types.
TEST(NewColumnType, MapsDecimalsAndDatesToStorageTypesAndKeepsTheRest) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"numeric(18,2)", "DECIMAL_REAL(18,2)"}, {"DECIMAL", "DECIMAL_REAL(18,0)"},
      {"MONEY", "DECIMAL_REAL(19,4)"},         {"DECIMAL_REAL(28,10)", "DECIMAL_REAL(28,10)"},
      {"DATETIME", "DATETIME_TEXT"},           {"DATETIME_TEXT", "DATETIME_TEXT"},
      {"VARCHAR(20)", "VARCHAR(20)"},          {"", ""},
  };
  for (const auto& [declared, expected] : cases) EXPECT_EQ(NewColumnType(declared), expected);
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(ParserDepth, ModerateNestingParsesAndDeepNestingIsRefusedWithoutExhaustingTheStack) {
  EXPECT_EQ(Outcome("SELECT " + Repeat("(", 40) + "1" + Repeat(")", 40)), "translated");
  EXPECT_EQ(Outcome(Repeat("IF 1 = 1 ", 40) + "SELECT 1"), "translated");
  EXPECT_EQ(Outcome(Repeat("BEGIN ", 40) + "SELECT 1" + Repeat(" END", 40)), "translated");
  struct Deep {
    const char* what;
    std::string text;
  };
  const Deep cases[] = {
      {"parentheses", "SELECT " + Repeat("(", 100000) + "1" + Repeat(")", 100000)},
      {"subqueries", Repeat("SELECT (", 20000) + "1" + Repeat(")", 20000)},
      {"unary minus", "SELECT " + Repeat("- ", 100000) + "1"},
      {"NOT", "SELECT 1 FROM T_Stock WHERE " + Repeat("NOT ", 100000) + "1 = 1"},
      {"IF chain", Repeat("IF 1 = 1 ", 100000) + "SELECT 1"},
      {"blocks", Repeat("BEGIN ", 100000) + "SELECT 1" + Repeat(" END", 100000)},
      {"CASE", "SELECT " + Repeat("CASE WHEN 1 = 1 THEN ", 50000) + "1" + Repeat(" END", 50000)},
  };
  for (const Deep& deep : cases) {
    EXPECT_EQ(Outcome(deep.text).rfind("error unsupported: ", 0), 0u) << deep.what;
  }
}

}  // namespace
}  // namespace cb::tsql
