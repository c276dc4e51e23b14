// Runs the refusal cases of cases/errors.txt: each batch must fail to translate with the expected
// error kind, description and position.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake_catalog.h"
#include "platform/db/database_error.h"
#include "platform/tsql/batch.h"

namespace cb::tsql {
namespace {

// One case a line: "~ name | input | error <kind>: <description>", with \n and \r escapes in the
// input. Lines "@table Name: Col TYPE; Col TYPE" in tables.txt fill the catalog.
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

test_support::FakeCatalog TablesCatalog() {
  test_support::FakeCatalog catalog;
  std::ifstream in(CasePath("tables.txt"));
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("@table ", 0) != 0) continue;
    size_t colon = line.find(':');
    std::vector<ColumnInfo> columns;
    std::stringstream rest(line.substr(colon + 1));
    for (std::string column; std::getline(rest, column, ';');) {
      column = Trim(column);
      size_t space = column.find(' ');
      columns.push_back({column.substr(0, space), Trim(column.substr(space + 1))});
    }
    catalog.Add(Trim(line.substr(7, colon - 7)), std::move(columns));
  }
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

std::string Outcome(const Case& c) {
  test_support::FakeCatalog catalog = TablesCatalog();
  try {
    for (const auto& statement : ParseBatch(c.input)) TranslateAll(*statement, catalog);
    return "translated";
  } catch (const db::DatabaseException& e) {
    return "error " + KindName(e.error().kind) + ": " + e.error().description;
  }
}

class Refusal : public ::testing::TestWithParam<Case> {};

TEST_P(Refusal, FailsWithKindDescriptionAndPosition) {
  EXPECT_EQ(Outcome(GetParam()), GetParam().expected) << "input:\n" << GetParam().input;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Refusal, ::testing::ValuesIn(LoadCases()), CaseName);

}  // namespace
}  // namespace cb::tsql
