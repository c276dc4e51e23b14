// Parsing of expressions and search conditions, with the server's operator precedence.
#include "platform/tsql/functions.h"
#include "platform/tsql/parser.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {
namespace {

ExprPtr Binary(ExprKind kind, SourcePos pos, std::string op, ExprPtr lhs, ExprPtr rhs) {
  auto node = std::make_unique<Expr>(kind, pos);
  node->text = std::move(op);
  node->args.push_back(std::move(lhs));
  node->args.push_back(std::move(rhs));
  return node;
}

const Expr& StripParens(const Expr& expr) {
  const Expr* at = &expr;
  while (at->kind == ExprKind::kParen) at = at->args[0].get();
  return *at;
}

bool IsComparison(const Token& token) {
  if (token.kind != TokenKind::kSymbol) return false;
  const std::string& t = token.text;
  return t == "=" || t == "<>" || t == "<" || t == ">" || t == "<=" || t == ">=";
}

}  // namespace

ExprPtr Parser::Expression() {
  DepthGuard guard(*this);
  ExprPtr lhs = And();
  while (IsWord("OR")) {
    SourcePos pos = Take().pos;
    lhs = Binary(ExprKind::kOr, pos, "OR", std::move(lhs), And());
  }
  return lhs;
}

ExprPtr Parser::And() {
  ExprPtr lhs = Not();
  while (IsWord("AND")) {
    SourcePos pos = Take().pos;
    lhs = Binary(ExprKind::kAnd, pos, "AND", std::move(lhs), Not());
  }
  return lhs;
}

ExprPtr Parser::Not() {
  if (!IsWord("NOT")) return Predicate();
  DepthGuard guard(*this);
  auto node = std::make_unique<Expr>(ExprKind::kNot, Take().pos);
  node->args.push_back(Not());
  return node;
}

ExprPtr Parser::Predicate() {
  if (IsWord("EXISTS")) {
    auto node = std::make_unique<Expr>(ExprKind::kExists, Take().pos);
    ExpectSymbol("(");
    node->select = Query(false);
    ExpectSymbol(")");
    return node;
  }
  ExprPtr lhs = Additive();
  if (IsComparison(Peek())) {
    const Token& op = Take();
    return Binary(ExprKind::kCompare, op.pos, op.text, std::move(lhs), Additive());
  }
  if (IsWord("IS")) {
    auto node = std::make_unique<Expr>(ExprKind::kIsNull, Take().pos);
    node->negated = AcceptWord("NOT");
    ExpectWord("NULL");
    node->args.push_back(std::move(lhs));
    return node;
  }
  bool negated = IsWord("NOT");
  size_t ahead = negated ? 1 : 0;
  if (IsWord("LIKE", ahead)) RaiseUnsupported("LIKE", Peek(ahead).pos);
  if (IsWord("BETWEEN", ahead)) {
    if (negated) Take();
    auto node = std::make_unique<Expr>(ExprKind::kBetween, Take().pos);
    node->text = "BETWEEN";
    node->negated = negated;
    node->args.push_back(std::move(lhs));
    node->args.push_back(Additive());
    ExpectWord("AND");
    node->args.push_back(Additive());
    return node;
  }
  if (!IsWord("IN", ahead)) return lhs;
  if (negated) Take();
  SourcePos pos = Take().pos;
  ExpectSymbol("(");
  ExprPtr node;
  if (IsWord("SELECT")) {
    node = std::make_unique<Expr>(ExprKind::kInSelect, pos);
    node->args.push_back(std::move(lhs));
    node->select = Query(false);
  } else {
    node = std::make_unique<Expr>(ExprKind::kInList, pos);
    node->args.push_back(std::move(lhs));
    do {
      node->args.push_back(Expression());
    } while (AcceptSymbol(","));
  }
  node->negated = negated;
  ExpectSymbol(")");
  return node;
}

ExprPtr Parser::Additive() {
  ExprPtr lhs = Multiplicative();
  while (IsSymbol("+") || IsSymbol("-")) {
    const Token& op = Take();
    ExprPtr rhs = Multiplicative();
    if (op.text == "+" && (StripParens(*lhs).kind == ExprKind::kString ||
                           StripParens(*rhs).kind == ExprKind::kString)) {
      RaiseUnsupported("string concatenation with '+'", op.pos);
    }
    lhs = Binary(ExprKind::kArith, op.pos, op.text, std::move(lhs), std::move(rhs));
  }
  return lhs;
}

ExprPtr Parser::Multiplicative() {
  ExprPtr lhs = Unary();
  while (IsSymbol("*") || IsSymbol("/")) {
    const Token& op = Take();
    lhs = Binary(ExprKind::kArith, op.pos, op.text, std::move(lhs), Unary());
  }
  return lhs;
}

ExprPtr Parser::Unary() {
  if (IsSymbol("+")) {
    DepthGuard guard(*this);
    Take();
    return Unary();
  }
  if (!IsSymbol("-")) return Primary();
  DepthGuard guard(*this);
  auto node = std::make_unique<Expr>(ExprKind::kNegate, Take().pos);
  node->args.push_back(Unary());
  return node;
}

ExprPtr Parser::Primary() {
  const Token& token = Peek();
  switch (token.kind) {
    case TokenKind::kNumber:
    case TokenKind::kString: {
      auto node = std::make_unique<Expr>(
          token.kind == TokenKind::kNumber ? ExprKind::kNumber : ExprKind::kString, token.pos);
      node->text = Take().text;
      return node;
    }
    case TokenKind::kVariable: {
      auto node = std::make_unique<Expr>(ExprKind::kVariable, token.pos);
      node->text = Lower(Take().text);
      return node;
    }
    case TokenKind::kSystemVariable:
      if (Upper(token.text) != "ROWCOUNT") RaiseUnsupported("@@" + Upper(token.text), token.pos);
      Take();
      return std::make_unique<Expr>(ExprKind::kRowCount, token.pos);
    case TokenKind::kSymbol:
      if (token.text != "(") Unexpected();
      return Parenthesised(Take().pos);
    case TokenKind::kTempName:
    case TokenKind::kQuotedName:
      return NameExpression();
    case TokenKind::kWord:
      break;
    case TokenKind::kEnd:
      Unexpected();
  }
  std::string word = Upper(token.text);
  if (word == "NULL") return std::make_unique<Expr>(ExprKind::kNull, Take().pos);
  if (word == "CASE") return Case(Take().pos);
  if (word == "CAST" && IsSymbol("(", 1)) return Cast(Take().pos);
  if (word == "CONVERT" && IsSymbol("(", 1)) return Convert(Take().pos);
  if (IsSymbol("(", 1) && (!IsReserved(word) || word == "LEFT" || word == "RIGHT")) {
    return Function(Take());
  }
  return NameExpression();
}

ExprPtr Parser::Parenthesised(SourcePos pos) {
  DepthGuard guard(*this);
  ExprPtr node;
  if (IsWord("SELECT")) {
    node = std::make_unique<Expr>(ExprKind::kSubquery, pos);
    node->select = Query(false);
  } else {
    node = std::make_unique<Expr>(ExprKind::kParen, pos);
    node->args.push_back(Expression());
  }
  ExpectSymbol(")");
  return node;
}

ExprPtr Parser::NameExpression() {
  SourcePos pos = Peek().pos;
  std::string first = Name(true);
  if (!AcceptSymbol(".")) {
    auto node = std::make_unique<Expr>(ExprKind::kColumn, pos);
    node->text = std::move(first);
    return node;
  }
  if (AcceptSymbol("*")) {
    auto node = std::make_unique<Expr>(ExprKind::kStar, pos);
    node->qualifier = std::move(first);
    return node;
  }
  auto node = std::make_unique<Expr>(ExprKind::kColumn, pos);
  node->qualifier = std::move(first);
  node->text = Name(false);
  if (IsSymbol(".")) RaiseUnsupported("multi-part name", pos);
  return node;
}

ExprPtr Parser::Function(const Token& name) {
  DepthGuard guard(*this);
  auto node = std::make_unique<Expr>(ExprKind::kFunction, name.pos);
  node->text = Upper(name.text);
  ExpectSymbol("(");
  if (!IsSymbol(")")) {
    node->distinct = AcceptWord("DISTINCT");
    do {
      if (IsSymbol("*")) {
        node->args.push_back(std::make_unique<Expr>(ExprKind::kStar, Take().pos));
      } else {
        node->args.push_back(Expression());
      }
    } while (AcceptSymbol(","));
  }
  ExpectSymbol(")");
  CheckFunction(*node);
  return node;
}

ExprPtr Parser::Cast(SourcePos pos) {
  DepthGuard guard(*this);
  auto node = std::make_unique<Expr>(ExprKind::kCast, pos);
  ExpectSymbol("(");
  node->args.push_back(Expression());
  ExpectWord("AS");
  node->type = Type();
  ExpectSymbol(")");
  CheckCast(*node);
  return node;
}

ExprPtr Parser::Convert(SourcePos pos) {
  DepthGuard guard(*this);
  auto node = std::make_unique<Expr>(ExprKind::kConvert, pos);
  ExpectSymbol("(");
  node->type = Type();
  ExpectSymbol(",");
  node->args.push_back(Expression());
  if (AcceptSymbol(",")) node->style = SmallInteger();
  ExpectSymbol(")");
  CheckConvert(*node);
  return node;
}

ExprPtr Parser::Case(SourcePos pos) {
  DepthGuard guard(*this);
  auto node = std::make_unique<Expr>(ExprKind::kCase, pos);
  if (!IsWord("WHEN")) RaiseUnsupported("simple CASE", pos);
  while (AcceptWord("WHEN")) {
    node->args.push_back(Expression());
    ExpectWord("THEN");
    node->args.push_back(Expression());
  }
  if (AcceptWord("ELSE")) {
    node->args.push_back(Expression());
    node->has_else = true;
  }
  ExpectWord("END");
  return node;
}

}  // namespace cb::tsql
