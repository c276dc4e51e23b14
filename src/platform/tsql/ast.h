// The syntax tree of the T-SQL subset: expressions, queries and the leaf statements built from
// them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/tsql/batch.h"

namespace cb::tsql {

struct Select;
struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
  kColumn,    // [qualifier.]text
  kStar,      // [qualifier.]*
  kVariable,  // @text, text lower-cased
  kRowCount,  // @@ROWCOUNT
  kNumber,    // text as written
  kString,    // text is the value
  kNull,
  kParen,     // ( args[0] )
  kNegate,    // - args[0] (a unary '+' is dropped by the parser)
  kArith,     // args[0] text args[1], text one of + - * /
  kCompare,   // args[0] text args[1], text one of = <> < > <= >=
  kAnd,       // args[0] AND args[1]
  kOr,        // args[0] OR args[1]
  kNot,       // NOT args[0]
  kIsNull,    // args[0] IS [NOT] NULL
  kInList,    // args[0] [NOT] IN (args[1..])
  kInSelect,  // args[0] [NOT] IN (select)
  kBetween,   // args[0] [NOT] BETWEEN args[1] AND args[2]
  kExists,    // EXISTS (select)
  kSubquery,  // (select) used as a value
  kFunction,  // text(args…), text upper-cased
  kCast,      // CAST(args[0] AS type)
  kConvert,   // CONVERT(type, args[0][, style])
  kCase,      // CASE WHEN args[0] THEN args[1] … [ELSE args.back()] END
};

struct Expr {
  ExprKind kind = ExprKind::kNull;
  SourcePos pos;
  std::string text;
  std::string qualifier;
  std::vector<ExprPtr> args;
  std::unique_ptr<Select> select;
  SqlType type;
  bool negated = false;   // NOT IN, NOT BETWEEN, IS NOT NULL
  bool distinct = false;  // COUNT(DISTINCT x)
  bool has_else = false;  // kCase
  int style = -1;         // kConvert; -1 when not written

  Expr() = default;
  Expr(ExprKind k, SourcePos p) : kind(k), pos(p) {}
  ~Expr();
};

// A table in FROM: a named table (permanent or '#temp') or a derived table.
struct TableRef {
  SourcePos pos;
  std::string name;  // as written; empty for a derived table
  std::string alias;
  std::unique_ptr<Select> derived;

  // The name the rest of the statement uses for this table.
  const std::string& exposed() const { return alias.empty() ? name : alias; }
};

enum class JoinType { kFirst, kComma, kInner, kLeft, kRight, kCross };

struct FromItem {
  JoinType join = JoinType::kFirst;
  TableRef table;
  ExprPtr on;  // null for kFirst, kComma and kCross
};

struct SelectItem {
  ExprPtr expr;
  std::string alias;   // AS alias or alias = expr; empty when none
  std::string target;  // SELECT @v = expr: the variable, lower-cased; empty otherwise
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
};

// One SELECT of a query: the operands of UNION are cores.
struct SelectCore {
  SourcePos pos;
  bool distinct = false;
  std::string top;  // TOP n: the literal n; empty when none
  std::vector<SelectItem> items;
  std::string into;  // SELECT … INTO table: the table as written
  std::vector<FromItem> from;
  ExprPtr where;
  std::vector<ExprPtr> group_by;
  ExprPtr having;
};

struct Select {
  SourcePos pos;
  std::vector<SelectCore> cores;
  std::vector<bool> union_all;  // between cores[i] and cores[i + 1]
  std::vector<OrderItem> order_by;
};

inline Expr::~Expr() = default;

struct InsertStmt {
  SourcePos pos;
  std::string table;
  std::vector<std::string> columns;  // empty when the statement lists none
  std::vector<std::vector<ExprPtr>> rows;
  std::unique_ptr<Select> select;  // INSERT … SELECT; null for VALUES
};

struct SetItem {
  SourcePos pos;
  std::string qualifier;
  std::string column;
  ExprPtr value;
};

struct UpdateStmt {
  SourcePos pos;
  std::string target;  // the table or alias after UPDATE
  SourcePos target_pos;
  std::vector<SetItem> sets;
  std::vector<FromItem> from;
  ExprPtr where;
};

struct DeleteStmt {
  SourcePos pos;
  std::string target;  // the table or alias after DELETE [FROM]
  SourcePos target_pos;
  std::vector<FromItem> from;  // the second FROM; empty when none
  ExprPtr where;
};

struct ColumnDef {
  SourcePos pos;
  std::string name;
  SqlType type;
  SourcePos type_pos;
  bool identity = false;
  bool not_null = false;
  bool null = false;
  bool primary_key = false;
  bool unique = false;
  ExprPtr default_value;
};

struct CreateTableStmt {
  SourcePos pos;
  std::string table;
  std::vector<ColumnDef> columns;
  std::vector<std::string> primary_key;  // table-level PRIMARY KEY (a, b)
  std::vector<std::vector<std::string>> unique;
};

struct CreateIndexStmt {
  SourcePos pos;
  bool unique = false;
  std::string name;
  std::string table;
  std::vector<OrderItem> columns;  // each a kColumn expression
};

struct DropTableStmt {
  SourcePos pos;
  std::string table;
};

}  // namespace cb::tsql
