// Parsing of the statements the interpreter runs itself: IF/ELSE, BEGIN…END, DECLARE and SET.
#include "platform/tsql/parser.h"
#include "platform/tsql/statements.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

std::unique_ptr<Statement> Parser::If() {
  SourcePos pos = Take().pos;
  ExprPtr condition = Expression();
  std::unique_ptr<Statement> then_branch = StatementAt();
  std::unique_ptr<Statement> else_branch;
  size_t ahead = 0;
  while (IsSymbol(";", ahead)) ++ahead;
  if (IsWord("ELSE", ahead)) {
    SkipSeparators();
    Take();
    else_branch = StatementAt();
  }
  return std::make_unique<IfStatement>(pos, std::move(condition), std::move(then_branch),
                                       std::move(else_branch));
}

std::unique_ptr<Statement> Parser::Block() {
  SourcePos pos = Take().pos;
  for (std::string_view word : {"TRAN", "TRANSACTION", "TRY", "CATCH", "DISTRIBUTED"}) {
    if (IsWord(word)) RaiseUnsupported("BEGIN " + Upper(Peek().text), pos);
  }
  StatementList children;
  SkipSeparators();
  if (IsWord("END")) Unexpected();
  while (!IsWord("END")) {
    if (Peek().kind == TokenKind::kEnd) Unexpected();
    children.push_back(StatementAt());
    SkipSeparators();
  }
  Take();
  return std::make_unique<BlockStatement>(pos, std::move(children));
}

std::unique_ptr<Statement> Parser::Declare() {
  SourcePos pos = Take().pos;
  std::vector<Declaration> declarations;
  do {
    const Token& name = Peek();
    if (name.kind == TokenKind::kWord && IsWord("CURSOR", 1)) RaiseUnsupported("cursor", name.pos);
    if (name.kind != TokenKind::kVariable) Unexpected();
    Take();
    AcceptWord("AS");
    if (IsWord("TABLE")) RaiseUnsupported("table variable", name.pos);
    if (IsWord("CURSOR")) RaiseUnsupported("cursor", name.pos);
    Declaration declaration{Lower(name.text), Type()};
    if (IsSymbol("=")) RaiseUnsupported("DECLARE with an initial value", Peek().pos);
    declarations.push_back(std::move(declaration));
  } while (AcceptSymbol(","));
  return std::make_unique<DeclareStatement>(pos, std::move(declarations));
}

std::unique_ptr<Statement> Parser::Set() {
  SourcePos pos = Take().pos;
  const Token& target = Peek();
  if (target.kind == TokenKind::kVariable) {
    std::string name = Lower(Take().text);
    ExpectSymbol("=");
    return std::make_unique<SetVariableStatement>(pos, std::move(name), Expression());
  }
  if (target.kind != TokenKind::kWord) Unexpected();
  if (Upper(target.text) != "NOCOUNT") RaiseUnsupported("SET " + Upper(target.text), target.pos);
  Take();
  if (!AcceptWord("ON") && !AcceptWord("OFF")) Unexpected();
  return std::make_unique<EmptyStatement>(pos);
}

SqlType Parser::Type() {
  const Token& token = Peek();
  if (token.kind != TokenKind::kWord) Unexpected();
  SqlType type;
  type.name = Upper(token.text);
  if (type.name == "INTEGER") type.name = "INT";
  if (type.name == "DEC") type.name = "DECIMAL";
  static constexpr std::string_view kKnown[] = {
      "INT",   "SMALLINT", "TINYINT",  "BIGINT",        "BIT",     "DECIMAL", "NUMERIC",
      "MONEY", "FLOAT",    "REAL",     "CHAR",          "VARCHAR", "NCHAR",   "NVARCHAR",
      "TEXT",  "NTEXT",    "DATETIME", "SMALLDATETIME", "DATE"};
  bool known = false;
  for (std::string_view name : kKnown) known = known || name == type.name;
  if (!known) RaiseUnsupported("type " + type.name, token.pos);
  Take();
  if (AcceptSymbol("(")) {
    if (IsWord("MAX")) RaiseUnsupported(type.name + "(MAX)", Peek().pos);
    type.length = SmallInteger();
    if (AcceptSymbol(",")) type.scale = SmallInteger();
    ExpectSymbol(")");
  }
  return type;
}

}  // namespace cb::tsql
