// The parser's token cursor, reserved words, statement dispatch and ParseBatch.
#include "platform/tsql/parser.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/tsql/lexer.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {
namespace {

// Words that may never be a bare name or an implicit alias. It holds the server's reserved words
// that the subset could meet, so that a statement ends where the next one begins.
constexpr std::string_view kReserved[] = {
    "ADD",        "ALL",      "ALTER",      "AND",      "ANY",       "AS",         "ASC",
    "BEGIN",      "BETWEEN",  "BREAK",      "BY",       "CASE",      "CHECK",      "CLOSE",
    "COLLATE",    "COMMIT",   "CONSTRAINT", "CONTINUE", "CREATE",    "CROSS",      "CURSOR",
    "DEALLOCATE", "DECLARE",  "DEFAULT",    "DELETE",   "DESC",      "DISTINCT",   "DROP",
    "ELSE",       "END",      "EXCEPT",     "EXEC",     "EXECUTE",   "EXISTS",     "FETCH",
    "FOR",        "FOREIGN",  "FROM",       "FULL",     "GOTO",      "GROUP",      "HAVING",
    "IDENTITY",   "IF",       "IN",         "INDEX",    "INNER",     "INSERT",     "INTERSECT",
    "INTO",       "IS",       "JOIN",       "KEY",      "LEFT",      "LIKE",       "MERGE",
    "NOT",        "NULL",     "OF",         "ON",       "OPEN",      "OPTION",     "OR",
    "ORDER",      "OUTER",    "PRIMARY",    "PRINT",    "RAISERROR", "REFERENCES", "RETURN",
    "RIGHT",      "ROLLBACK", "SAVE",       "SELECT",   "SET",       "TABLE",      "THEN",
    "TOP",        "TRUNCATE", "UNION",      "UNIQUE",   "UPDATE",    "VALUES",     "WHEN",
    "WHERE",      "WHILE",    "WITH",       "OUTPUT",   "USE",       "TRAN",       "TRANSACTION",
    "GO",
};

// Statements that start with one of these words are readable but outside the subset.
constexpr std::string_view kUnsupportedStatements[] = {
    "EXEC",   "EXECUTE",  "WHILE",    "PRINT",    "RAISERROR", "MERGE", "WITH",       "GO",
    "COMMIT", "ROLLBACK", "SAVE",     "OPEN",     "FETCH",     "CLOSE", "DEALLOCATE", "RETURN",
    "GOTO",   "BREAK",    "CONTINUE", "TRUNCATE", "ALTER",     "USE",
};

}  // namespace

bool IsReserved(std::string_view upper) {
  return std::find(std::begin(kReserved), std::end(kReserved), upper) != std::end(kReserved);
}

DepthGuard::DepthGuard(Parser& parser) : parser_(parser) {
  if (++parser_.depth_ > Parser::kMaxDepth) {
    RaiseUnsupported("nesting deeper than " + std::to_string(Parser::kMaxDepth) + " levels",
                     parser_.Peek().pos);
  }
}

const Token& Parser::Peek(size_t ahead) const {
  size_t index = std::min(at_ + ahead, tokens_.size() - 1);
  return tokens_[index];
}

const Token& Parser::Take() {
  const Token& token = tokens_[at_];
  if (at_ + 1 < tokens_.size()) ++at_;
  return token;
}

bool Parser::IsWord(std::string_view upper, size_t ahead) const {
  const Token& token = Peek(ahead);
  return token.kind == TokenKind::kWord && Upper(token.text) == upper;
}

bool Parser::IsSymbol(std::string_view symbol, size_t ahead) const {
  const Token& token = Peek(ahead);
  return token.kind == TokenKind::kSymbol && token.text == symbol;
}

bool Parser::AcceptWord(std::string_view upper) {
  if (!IsWord(upper)) return false;
  Take();
  return true;
}

bool Parser::AcceptSymbol(std::string_view symbol) {
  if (!IsSymbol(symbol)) return false;
  Take();
  return true;
}

void Parser::ExpectWord(std::string_view upper) {
  if (!AcceptWord(upper)) Unexpected();
}

void Parser::ExpectSymbol(std::string_view symbol) {
  if (!AcceptSymbol(symbol)) Unexpected();
}

void Parser::Unexpected() const {
  const Token& token = Peek();
  switch (token.kind) {
    case TokenKind::kEnd:
      RaiseSyntax("", token.pos);
    case TokenKind::kString:
      RaiseSyntax("'" + token.text + "'", token.pos);
    case TokenKind::kVariable:
      RaiseSyntax("@" + token.text, token.pos);
    case TokenKind::kSystemVariable:
      RaiseSyntax("@@" + token.text, token.pos);
    default:
      RaiseSyntax(token.text, token.pos);
  }
}

bool Parser::AtName() const {
  const Token& token = Peek();
  if (token.kind == TokenKind::kQuotedName) return true;
  return token.kind == TokenKind::kWord && !IsReserved(Upper(token.text));
}

std::string Parser::Name(bool allow_temp) {
  const Token& token = Peek();
  if (token.kind == TokenKind::kTempName && allow_temp) return Take().text;
  if (!AtName()) Unexpected();
  return Take().text;
}

int Parser::SmallInteger() {
  const Token& token = Peek();
  if (token.kind != TokenKind::kNumber || token.text.size() > 9 ||
      token.text.find_first_not_of("0123456789") != std::string::npos) {
    Unexpected();
  }
  return std::stoi(Take().text);
}

void Parser::SkipSeparators() {
  while (AcceptSymbol(";")) {
  }
}

StatementList Parser::Batch() {
  StatementList statements;
  SkipSeparators();
  while (Peek().kind != TokenKind::kEnd) {
    statements.push_back(StatementAt());
    SkipSeparators();
  }
  return statements;
}

std::unique_ptr<Statement> Parser::StatementAt() {
  DepthGuard guard(*this);
  const Token& token = Peek();
  if (token.kind != TokenKind::kWord) Unexpected();
  std::string word = Upper(token.text);
  if (word == "SELECT") return SelectStatement();
  if (word == "INSERT") return Insert();
  if (word == "UPDATE") return Update();
  if (word == "DELETE") return Delete();
  if (word == "CREATE") return Create();
  if (word == "DROP") return Drop();
  if (word == "DECLARE") return Declare();
  if (word == "SET") return Set();
  if (word == "IF") return If();
  if (word == "BEGIN") return Block();
  if (std::find(std::begin(kUnsupportedStatements), std::end(kUnsupportedStatements), word) !=
      std::end(kUnsupportedStatements)) {
    RaiseUnsupported(word, token.pos);
  }
  Unexpected();
}

StatementList ParseBatch(std::string_view text) {
  return Parser(Lex(text)).Batch();
}

}  // namespace cb::tsql
