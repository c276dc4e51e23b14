// Writes syntax-tree pieces as SQLite text, resolving columns against the tables in scope.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tsql/ast.h"
#include "platform/tsql/backend.h"
#include "platform/tsql/batch.h"

namespace cb::tsql {

// One emitter per translated statement: it gathers the parameters the statement reads and caches
// the catalog's answers. Rewrites applied to every expression:
//   ISNULL -> ifnull (an integer literal fallback becomes real after a DECIMAL/FLOAT value),
//   '/' -> tsql_div, SUM -> dec(sum), CAST/CONVERT to DECIMAL -> dec(CAST(x AS REAL), s),
//   LEFT -> substr, CONVERT(VARCHAR(n), d, 120) -> substr(strftime(…), 1, n), GETDATE -> getdate,
//   both operands of a comparison holding arithmetic or an aggregate -> dec(…),
//   names -> [name], @var -> @lower-case, @@ROWCOUNT -> kRowCountParameter.
class Emitter {
 public:
  explicit Emitter(Catalog& catalog) : catalog_(catalog) {}

  // [name]; a '#temp' name keeps its '#'.
  static std::string Quote(std::string_view name);
  // A string literal with quotes doubled.
  static std::string Literal(std::string_view value);

  std::string Expression(const Expr& expr);
  // The query without INTO and without assignment targets. With `written_scales`, the select items
  // of every UNION operand are values bound for columns by position: item i becomes
  // dec(item, scale) when written_scales[i] holds one (NULL passes; after a '*' positions are
  // lost).
  std::string Query(const Select& select,
                    const std::vector<std::optional<int>>* written_scales = nullptr);
  // The tables of a FROM clause and their joins, without the FROM keyword.
  std::string FromList(const std::vector<FromItem>& from);
  // dec(text) unless `expr` already yields a rounded decimal.
  std::string Dec(const Expr& expr);

  // Tables whose columns unqualified and qualified names may refer to, innermost last.
  void PushScope(std::vector<const TableRef*> tables) { scopes_.push_back(std::move(tables)); }
  void PopScope() { scopes_.pop_back(); }
  static std::vector<const TableRef*> TablesOf(const std::vector<FromItem>& from);

  // The catalog's columns of a table, cached; nullopt when it does not exist.
  const std::optional<std::vector<ColumnInfo>>& Columns(std::string_view table);
  // Like Columns(), but raises kNoSuchObject ("Invalid object name") when the table is missing.
  const std::vector<ColumnInfo>& RequireColumns(std::string_view table, SourcePos pos);
  // The native declared type of a column reference; empty when it cannot be told. A column of a
  // derived table reads as REAL when its select item yields a DECIMAL or FLOAT value.
  std::string DeclaredType(const Expr& column);

  // Records a parameter the statement reads (once).
  void Use(const std::string& parameter);
  Translation Finish(std::string sql, bool returns_rows);

 private:
  std::string Function(const Expr& call);
  // True when the expression yields a DECIMAL or FLOAT value: such a column, a conversion to such a
  // type, or an aggregate or rounding of one.
  bool IsRealValued(const Expr& expr);
  std::string DerivedColumnType(const Select& derived, const std::string& name);
  // Raises kUnsupported for '+' with a character column operand and for '+'/'-' on a date column.
  void RefuseTextArithmetic(const Expr& arithmetic);
  std::string Compare(const Expr& compare);
  std::string Core(const SelectCore& core, const std::vector<std::optional<int>>* written_scales);
  std::string TableText(const TableRef& table);

  Catalog& catalog_;
  std::vector<std::vector<const TableRef*>> scopes_;
  std::map<std::string, std::optional<std::vector<ColumnInfo>>> columns_;
  std::vector<std::string> parameters_;
};

// Pushes a scope for as long as it lives.
class ScopeGuard {
 public:
  ScopeGuard(Emitter& emitter, std::vector<const TableRef*> tables) : emitter_(emitter) {
    emitter_.PushScope(std::move(tables));
  }
  ~ScopeGuard() { emitter_.PopScope(); }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;

 private:
  Emitter& emitter_;
};

}  // namespace cb::tsql
