// Builds the CREATE TABLE and INSERT … SELECT that stand for SELECT … INTO.
#include "platform/tsql/interpreter_select_into.h"

#include "platform/tsql/batch.h"

namespace cb::tsql {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool StartsWithWord(const std::string& upper, std::string_view word) {
  if (upper.compare(0, word.size(), word) != 0) return false;
  if (upper.size() == word.size()) return true;
  char next = upper[word.size()];
  return next == '(' || next == ' ';
}

std::string QuoteName(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string_view Unbracket(std::string_view name) {
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
    return name.substr(1, name.size() - 2);
  }
  return name;
}

}  // namespace

std::string NewColumnType(std::string_view declared_type) {
  std::string upper = Upper(declared_type);
  for (std::string_view decimal : {"DECIMAL", "NUMERIC"}) {
    if (StartsWithWord(upper, decimal)) {
      std::string rest = upper.substr(decimal.size());
      return "DECIMAL_REAL" + (rest.empty() ? std::string("(18,0)") : rest);
    }
  }
  if (StartsWithWord(upper, "MONEY")) return "DECIMAL_REAL(19,4)";
  // The rowid alias numbers on from the highest number copied, as the identity does.
  if (upper == kIdentityColumnType) return "INTEGER PRIMARY KEY AUTOINCREMENT";
  if (StartsWithWord(upper, "DATETIME") || StartsWithWord(upper, "SMALLDATETIME")) {
    return "DATETIME_TEXT";
  }
  return std::string(declared_type);
}

SelectIntoPlan PlanSelectInto(std::string_view table, const std::vector<ColumnInfo>& columns,
                              std::string_view select_sql) {
  table = Unbracket(table);
  bool temporary = !table.empty() && table.front() == '#';
  SelectIntoPlan plan;
  plan.create_sql = temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  plan.create_sql += QuoteName(table) + " (";
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) plan.create_sql += ", ";
    plan.create_sql += QuoteName(columns[i].name);
    std::string type = NewColumnType(columns[i].declared_type);
    if (!type.empty()) plan.create_sql += " " + type;
    plan.create_sql += " COLLATE TSQLCI";
  }
  plan.create_sql += ")";
  plan.insert_sql = "INSERT INTO " + std::string(temporary ? "temp." : "") + QuoteName(table) +
                    " " + std::string(select_sql);
  return plan;
}

}  // namespace cb::tsql
