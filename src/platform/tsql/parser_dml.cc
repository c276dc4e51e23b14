// Parsing of INSERT, UPDATE and DELETE, including the UPDATE … FROM and DELETE alias FROM forms.
#include "platform/tsql/parser.h"
#include "platform/tsql/statements.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

std::unique_ptr<Statement> Parser::Insert() {
  InsertStmt insert;
  insert.pos = Take().pos;
  AcceptWord("INTO");
  insert.table = Name(true);
  if (IsSymbol(".")) RaiseUnsupported("multi-part name", insert.pos);
  if (AcceptSymbol("(")) {
    do {
      insert.columns.push_back(Name(false));
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
  }
  if (IsWord("OUTPUT") || IsWord("DEFAULT") || IsWord("EXEC") || IsWord("EXECUTE")) {
    RaiseUnsupported("INSERT … " + Upper(Peek().text), Peek().pos);
  }
  if (IsWord("SELECT")) {
    insert.select = Query(false);
  } else {
    ExpectWord("VALUES");
    do {
      ExpectSymbol("(");
      std::vector<ExprPtr> row;
      do {
        row.push_back(Additive());
      } while (AcceptSymbol(","));
      ExpectSymbol(")");
      if (!insert.rows.empty() && row.size() != insert.rows[0].size()) {
        RaiseInvalid("All rows of a VALUES list must have the same number of values", insert.pos);
      }
      insert.rows.push_back(std::move(row));
    } while (AcceptSymbol(","));
  }
  return std::make_unique<DmlStatement<InsertStmt>>(std::move(insert));
}

std::unique_ptr<Statement> Parser::Update() {
  UpdateStmt update;
  update.pos = Take().pos;
  if (IsWord("TOP")) RaiseUnsupported("UPDATE TOP", Peek().pos);
  update.target_pos = Peek().pos;
  update.target = Name(true);
  if (IsSymbol(".")) RaiseUnsupported("multi-part name", update.target_pos);
  ExpectWord("SET");
  do {
    SetItem item;
    item.pos = Peek().pos;
    if (Peek().kind == TokenKind::kVariable) RaiseUnsupported("SET @variable in UPDATE", item.pos);
    item.column = Name(true);
    if (AcceptSymbol(".")) {
      item.qualifier = std::move(item.column);
      item.column = Name(false);
    }
    ExpectSymbol("=");
    item.value = Additive();
    update.sets.push_back(std::move(item));
  } while (AcceptSymbol(","));
  if (IsWord("OUTPUT")) RaiseUnsupported("OUTPUT", Peek().pos);
  if (AcceptWord("FROM")) update.from = FromList();
  if (AcceptWord("WHERE")) update.where = Expression();
  return std::make_unique<DmlStatement<UpdateStmt>>(std::move(update));
}

std::unique_ptr<Statement> Parser::Delete() {
  DeleteStmt remove;
  remove.pos = Take().pos;
  if (IsWord("TOP")) RaiseUnsupported("DELETE TOP", Peek().pos);
  AcceptWord("FROM");
  remove.target_pos = Peek().pos;
  remove.target = Name(true);
  if (IsSymbol(".")) RaiseUnsupported("multi-part name", remove.target_pos);
  if (IsWord("OUTPUT")) RaiseUnsupported("OUTPUT", Peek().pos);
  if (AcceptWord("FROM")) remove.from = FromList();
  if (AcceptWord("WHERE")) remove.where = Expression();
  return std::make_unique<DmlStatement<DeleteStmt>>(std::move(remove));
}

}  // namespace cb::tsql
