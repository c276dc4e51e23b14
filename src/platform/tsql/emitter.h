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
#include "platform/tsql/value_type.h"

namespace cb::tsql {

// One emitter per translated statement: it gathers the parameters the statement reads and caches
// the catalog's answers. Every expression is typed by the server's rules (value_type.h) and emitted
// so that its native value stands for a value of that type:
//   a DECIMAL value is a decimal blob (decimal_functions.h): decimal literals are blob constants,
//   arithmetic with a decimal result is dec_add/dec_sub/dec_mul/dec_div at the server's scale, SUM,
//   AVG, ABS, ROUND and unary minus of decimals are their dec_ forms, CAST/CONVERT to DECIMAL(p,s)
//   is dec(x, p, s);
//   the operands of a comparison, IN, the branches of CASE and the fallback of ISNULL are converted
//   to their common type (ISNULL: the first argument's);
//   text comparisons, IN, GROUP BY, ORDER BY, select items, MIN and MAX -> COLLATE TSQLCI;
//   '/' of integers -> tsql_div, LEFT -> substr, CONVERT(VARCHAR(n), d, 120) -> substr(strftime(…),
//   1, n), GETDATE -> getdate, names -> [name], @var -> @lower-case, @@ROWCOUNT ->
//   kRowCountParameter.
// An operator whose operands' types cannot be told raises kUnsupported with its position.
class Emitter {
 public:
  explicit Emitter(Catalog& catalog) : catalog_(catalog) {}

  // [name]; a '#temp' name keeps its '#'.
  static std::string Quote(std::string_view name);
  // A string literal with quotes doubled.
  static std::string Literal(std::string_view value);

  std::string Expression(const Expr& expr);
  // The query without INTO and without assignment targets. With `written_types`, the select items
  // of every UNION operand are values bound for columns by position: item i is converted to
  // written_types[i] (Written; after a '*' positions are lost).
  std::string Query(const Select& select, const std::vector<ValueType>* written_types = nullptr);
  // The value of SELECT @v = expr: converted as SET converts it for an integer variable.
  std::string Assigned(const SelectItem& item);
  // The tables of a FROM clause and their joins, without the FROM keyword.
  std::string FromList(const std::vector<FromItem>& from);
  // The server's type of the expression in the current scopes.
  ValueType TypeOf(const Expr& expr);
  // The expression converted to `target` (a blob constant for a literal bound for a decimal); for
  // TINYINT, SMALLINT or INT checked against the type's range unless its own type or value fits.
  std::string Converted(const Expr& expr, ValueType target);
  // A value written to a column of type `column`: converted, and for a decimal column rounded to
  // its scale with error 8115 when it does not fit its precision.
  std::string Written(const Expr& expr, ValueType column);
  // A value written to a text, bit or date column: too long text raises 8152, bits read non-zero
  // as 1 and 'true'/'false', dates take their stored form or raise 241.
  std::string WrittenChecked(const Expr& expr, ValueType column);
  // The most characters a text expression can have, when its form tells (a literal, a column of
  // bounded length, LEFT by a number, a CAST to VARCHAR(n), ISNULL of such); -1 otherwise.
  int LongestText(const Expr& expr);
  // A date operand in the stored form that compares as a date ('YYYY-MM-DD HH:MM:SS.mmm').
  std::string AsStoredDate(const Expr& expr);
  // Text compares under the database's collation whatever the operands: a column carries it from
  // its declaration, any other text expression gets it here (comparisons, IN, GROUP BY, ORDER BY,
  // DISTINCT and UNION items, MIN and MAX).
  static std::string Collated(const std::string& text);
  // The expression, collated when it is text and not a bare column.
  std::string TextCollated(const Expr& expr);
  // The types of a query's select items (of its first UNION operand), a '*' giving one per column.
  std::vector<ValueType> ItemTypes(const Select& select);
  // The columns a '*' (or 't.*') of `core` stands for, as qualified column references; the core's
  // scope must be pushed. Raises kUnsupported where a derived table's column has no name.
  std::vector<ExprPtr> StarColumns(const SelectCore& core, const Expr& star);
  // SELECT … INTO: the position of the select item that keeps the IDENTITY of its source column,
  // or -1. The server keeps it for an identity column listed once, bare, from a single table,
  // without UNION or GROUP BY.
  int InheritedIdentity(const Select& select);

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
  // True when `expr` names a variable or column the catalog does not know; that error is raised
  // later, with its own number, so the type pass does not refuse it first.
  bool Unresolved(const Expr& expr);
  // Refuses `at` when `type` cannot be told from operands the catalog knows.
  void RefuseUntyped(ValueType type, const Expr& at, const std::string& construct);

  // Records a parameter the statement reads (once).
  void Use(const std::string& parameter);
  Translation Finish(std::string sql, bool returns_rows);

 private:
  std::string Function(const Expr& call);
  ValueType FunctionType(const Expr& call);
  std::string Arithmetic(const Expr& arithmetic);
  std::string Negation(const Expr& negation);
  std::string CastText(const Expr& cast);
  std::string CaseText(const Expr& expr);
  std::string InListText(const Expr& in);
  std::string InSelectText(const Expr& in);
  std::string DerivedColumnType(const Select& derived, const std::string& name);
  std::string ScalarSubquery(const Select& select);
  // Raises kUnsupported for '+' with a character column operand and for '+'/'-' on a date column.
  void RefuseTextArithmetic(const Expr& arithmetic);
  std::string Compare(const Expr& compare);
  std::string Between(const Expr& between);
  // lhs op rhs in the operands' common type and the database's collation; errors point at `at`.
  std::string Comparison(const Expr& lhs, const std::string& op, const Expr& rhs, const Expr& at);
  std::string Core(const SelectCore& core, const std::vector<ValueType>* written_types);
  std::string TableText(const TableRef& table);

  Catalog& catalog_;
  std::vector<std::vector<const TableRef*>> scopes_;
  std::map<std::string, std::optional<std::vector<ColumnInfo>>> columns_;
  std::vector<std::string> parameters_;
  bool single_row_check_ = false;              // the next core emitted is a scalar subquery's
  std::vector<const Select*> typing_derived_;  // derived tables whose columns are being typed
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
