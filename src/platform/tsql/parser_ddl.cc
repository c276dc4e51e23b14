// Parsing of CREATE TABLE, CREATE INDEX and DROP TABLE.
#include "platform/tsql/functions.h"
#include "platform/tsql/parser.h"
#include "platform/tsql/statements.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {
namespace {

bool IsLiteral(const Expr& expr) {
  switch (expr.kind) {
    case ExprKind::kNumber:
    case ExprKind::kString:
    case ExprKind::kNull:
      return true;
    case ExprKind::kNegate:
      return expr.args[0]->kind == ExprKind::kNumber;
    case ExprKind::kParen:
      return IsLiteral(*expr.args[0]);
    default:
      return false;
  }
}

}  // namespace

std::unique_ptr<Statement> Parser::Create() {
  SourcePos pos = Take().pos;
  if (AcceptWord("TABLE")) return CreateTable(pos);
  if (IsWord("UNIQUE") || IsWord("INDEX") || IsWord("CLUSTERED") || IsWord("NONCLUSTERED")) {
    return CreateIndex(pos);
  }
  if (Peek().kind == TokenKind::kWord) RaiseUnsupported("CREATE " + Upper(Peek().text), Peek().pos);
  Unexpected();
}

std::unique_ptr<Statement> Parser::CreateTable(SourcePos pos) {
  CreateTableStmt create;
  create.pos = pos;
  create.table = Name(true);
  if (IsSymbol(".")) RaiseUnsupported("multi-part name", pos);
  ExpectSymbol("(");
  do {
    if (IsWord("CONSTRAINT")) {
      Take();
      Name(false);
    }
    if (IsWord("PRIMARY") || IsWord("UNIQUE")) {
      bool primary = AcceptWord("PRIMARY");
      if (primary) {
        ExpectWord("KEY");
      } else {
        Take();
      }
      if (!AcceptWord("CLUSTERED")) AcceptWord("NONCLUSTERED");
      std::vector<std::string> columns;
      ExpectSymbol("(");
      do {
        columns.push_back(Name(false));
        if (!AcceptWord("ASC")) AcceptWord("DESC");
      } while (AcceptSymbol(","));
      ExpectSymbol(")");
      if (primary) {
        if (!create.primary_key.empty()) RaiseInvalid("More than one PRIMARY KEY", pos);
        create.primary_key = std::move(columns);
      } else {
        create.unique.push_back(std::move(columns));
      }
      continue;
    }
    if (IsWord("FOREIGN") || IsWord("CHECK")) RaiseUnsupported(Upper(Peek().text), Peek().pos);
    create.columns.push_back(Column());
  } while (AcceptSymbol(","));
  ExpectSymbol(")");
  if (create.columns.empty()) Unexpected();
  return std::make_unique<DmlStatement<CreateTableStmt>>(std::move(create));
}

ColumnDef Parser::Column() {
  ColumnDef column;
  column.pos = Peek().pos;
  column.name = Name(false);
  column.type_pos = Peek().pos;
  column.type = Type();
  while (true) {
    SourcePos at = Peek().pos;
    if (AcceptWord("IDENTITY")) {
      if (!IsIntegerType(column.type)) RaiseUnsupported("IDENTITY on " + column.type.name, at);
      if (AcceptSymbol("(")) {
        int seed = SmallInteger();
        ExpectSymbol(",");
        int increment = SmallInteger();
        ExpectSymbol(")");
        if (seed != 1 || increment != 1) RaiseUnsupported("IDENTITY other than (1,1)", at);
      }
      column.identity = true;
    } else if (AcceptWord("NOT")) {
      ExpectWord("NULL");
      column.not_null = true;
    } else if (AcceptWord("NULL")) {
      column.null = true;
    } else if (AcceptWord("PRIMARY")) {
      ExpectWord("KEY");
      if (!AcceptWord("CLUSTERED")) AcceptWord("NONCLUSTERED");
      column.primary_key = true;
    } else if (AcceptWord("UNIQUE")) {
      column.unique = true;
    } else if (AcceptWord("DEFAULT")) {
      column.default_value = Additive();
      if (!IsLiteral(*column.default_value)) RaiseUnsupported("DEFAULT that is not a literal", at);
    } else if (AcceptWord("CONSTRAINT")) {
      Name(false);
    } else if (IsWord("COLLATE") || IsWord("CHECK") || IsWord("REFERENCES")) {
      RaiseUnsupported(Upper(Peek().text), at);
    } else {
      break;
    }
  }
  if (column.not_null && column.null)
    RaiseInvalid("Column declared both NULL and NOT NULL", column.pos);
  return column;
}

std::unique_ptr<Statement> Parser::CreateIndex(SourcePos pos) {
  CreateIndexStmt create;
  create.pos = pos;
  create.unique = AcceptWord("UNIQUE");
  if (!AcceptWord("CLUSTERED")) AcceptWord("NONCLUSTERED");
  ExpectWord("INDEX");
  create.name = Name(false);
  ExpectWord("ON");
  create.table = Name(true);
  ExpectSymbol("(");
  do {
    OrderItem item;
    item.expr = std::make_unique<Expr>(ExprKind::kColumn, Peek().pos);
    item.expr->text = Name(false);
    if (!AcceptWord("ASC")) item.descending = AcceptWord("DESC");
    create.columns.push_back(std::move(item));
  } while (AcceptSymbol(","));
  ExpectSymbol(")");
  return std::make_unique<DmlStatement<CreateIndexStmt>>(std::move(create));
}

std::unique_ptr<Statement> Parser::Drop() {
  DropTableStmt drop;
  drop.pos = Take().pos;
  if (!IsWord("TABLE")) {
    if (Peek().kind == TokenKind::kWord) RaiseUnsupported("DROP " + Upper(Peek().text), Peek().pos);
    Unexpected();
  }
  Take();
  if (IsWord("IF")) RaiseUnsupported("DROP TABLE IF EXISTS", Peek().pos);
  drop.table = Name(true);
  if (IsSymbol(".") || IsSymbol(","))
    RaiseUnsupported("DROP TABLE of a list or multi-part name", drop.pos);
  return std::make_unique<DmlStatement<DropTableStmt>>(std::move(drop));
}

}  // namespace cb::tsql
