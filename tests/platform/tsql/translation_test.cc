// Runs the translation cases of cases/*.txt: each batch must give the expected statement tree and
// native text, or the expected error.
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

// One case of a file:
//   === name
//   <T-SQL lines>
//   ---
//   <expected lines: one per statement, see Render(); or "error <kind>: <description>">
// or, on one line, "~ name | input | expected".
// Lines "@table Name: Col TYPE; Col TYPE" (in tables.txt or before the first case) fill the
// catalog.
struct Case {
  std::string file;
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

std::vector<std::string> Files() {
  return {"statements.txt", "expressions.txt", "update_delete.txt", "ddl.txt", "errors.txt"};
}

std::string CasePath(const std::string& file) {
  return std::string(CHECKBILL_SOURCE_DIR) + "/tests/platform/tsql/cases/" + file;
}

// The tables of tables.txt and the catalog lines of the case file.
test_support::FakeCatalog CatalogOf(const std::string& file) {
  test_support::FakeCatalog catalog;
  for (const std::string& source : {std::string("tables.txt"), file}) {
    std::ifstream in(CasePath(source));
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("@table ", 0) != 0) continue;
      size_t colon = line.find(':');
      std::string table = Trim(line.substr(7, colon - 7));
      std::vector<ColumnInfo> columns;
      std::stringstream rest(line.substr(colon + 1));
      std::string column;
      while (std::getline(rest, column, ';')) {
        column = Trim(column);
        size_t space = column.find(' ');
        columns.push_back({column.substr(0, space), Trim(column.substr(space + 1))});
      }
      catalog.Add(table, std::move(columns));
    }
  }
  return catalog;
}

// "name | input | expected" with \n and \r escapes in the input.
Case OneLineCase(const std::string& file, const std::string& line) {
  size_t first = line.find(" | ");
  size_t second = line.find(" | ", first + 3);
  EXPECT_NE(second, std::string::npos) << "malformed case line: " << line;
  if (second == std::string::npos) return Case{file, line, "", ""};
  std::string input;
  std::string raw = line.substr(first + 3, second - first - 3);
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == 'n' || raw[i + 1] == 'r')) {
      input += raw[++i] == 'n' ? '\n' : '\r';
    } else {
      input += raw[i];
    }
  }
  return Case{file, Trim(line.substr(0, first)), input, line.substr(second + 3)};
}

std::vector<Case> LoadCases() {
  std::vector<Case> cases;
  for (const std::string& file : Files()) {
    std::ifstream in(CasePath(file));
    EXPECT_TRUE(in.good()) << "cannot open " << CasePath(file);
    std::string line;
    Case* current = nullptr;
    bool in_expected = false;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("~ ", 0) == 0) {
        cases.push_back(OneLineCase(file, line.substr(2)));
        current = nullptr;
      } else if (line.rfind("=== ", 0) == 0) {
        cases.push_back(Case{file, Trim(line.substr(4)), "", ""});
        current = &cases.back();
        in_expected = false;
      } else if (current && line == "---") {
        in_expected = true;
      } else if (current) {
        std::string& text = in_expected ? current->expected : current->input;
        text += (text.empty() ? "" : "\n") + line;
      }
    }
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

std::string WithParameters(const Translation& translation) {
  std::string out = translation.sql;
  if (!translation.parameters.empty()) {
    out += "  ; params";
    for (const std::string& parameter : translation.parameters) out += " " + parameter;
  }
  return out;
}

std::string Names(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += " @" + name;
  return out;
}

// One line per statement, nested statements indented by two blanks:
//   rows: <sql>               a query returning rows        sql: <sql>  any other native statement
//   into <table>: <sql>       SELECT … INTO                 assign @a @b: <sql>
//   set @a: <sql>             declare @a TYPE(len,scale)    if: <sql> / else / begin … end / empty
void Render(const Statement& statement, Catalog& catalog, const std::string& indent,
            std::string& out) {
  switch (statement.kind()) {
    case StatementKind::kEmpty:
      out += indent + "empty\n";
      return;
    case StatementKind::kSql: {
      Translation translation = statement.Translate(catalog);
      out += indent + (translation.returns_rows ? "rows: " : "sql: ") +
             WithParameters(translation) + "\n";
      return;
    }
    case StatementKind::kSelectInto:
      out += indent + "into " + statement.into_table() + ": " +
             WithParameters(statement.Translate(catalog)) + "\n";
      return;
    case StatementKind::kSelectAssign:
      out += indent + "assign" + Names(statement.targets()) + ": " +
             WithParameters(statement.Translate(catalog)) + "\n";
      return;
    case StatementKind::kSetVariable:
      out += indent + "set" + Names(statement.targets()) + ": " +
             WithParameters(statement.Translate(catalog)) + "\n";
      return;
    case StatementKind::kDeclare:
      out += indent + "declare";
      for (const Declaration& declaration : statement.declarations()) {
        out += " @" + declaration.variable + " " + declaration.type.name;
        if (declaration.type.length >= 0) {
          out += "(" + std::to_string(declaration.type.length);
          if (declaration.type.scale >= 0) out += "," + std::to_string(declaration.type.scale);
          out += ")";
        }
      }
      out += "\n";
      return;
    case StatementKind::kIf:
      out += indent + "if: " + WithParameters(statement.Translate(catalog)) + "\n";
      Render(*statement.then_branch(), catalog, indent + "  ", out);
      if (statement.else_branch()) {
        out += indent + "else\n";
        Render(*statement.else_branch(), catalog, indent + "  ", out);
      }
      return;
    case StatementKind::kBlock:
      out += indent + "begin\n";
      for (const auto& child : statement.children()) Render(*child, catalog, indent + "  ", out);
      out += indent + "end\n";
      return;
  }
}

std::string Translate(const Case& c) {
  test_support::FakeCatalog catalog = CatalogOf(c.file);
  try {
    std::string out;
    for (const auto& statement : ParseBatch(c.input)) Render(*statement, catalog, "", out);
    return out;
  } catch (const db::DatabaseException& e) {
    return "error " + KindName(e.error().kind) + ": " + e.error().description + "\n";
  }
}

class TranslationCase : public ::testing::TestWithParam<Case> {};

TEST_P(TranslationCase, GivesExpectedStatements) {
  const Case& c = GetParam();
  EXPECT_EQ(Trim(Translate(c)), Trim(c.expected)) << "input:\n" << c.input;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_";
  for (char c : info.param.name) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, TranslationCase, ::testing::ValuesIn(LoadCases()), CaseName);

}  // namespace
}  // namespace cb::tsql
