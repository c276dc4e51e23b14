// The recursive-descent parser of the T-SQL subset (internal to the dialect layer).
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/tsql/ast.h"
#include "platform/tsql/batch.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/token.h"

namespace cb::tsql {

// Reads statements from a token list. Statement boundaries come from the grammar: a statement ends
// where the next token cannot continue it. Every failure raises db::DatabaseException.
class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  // The whole batch; the end of the token list must follow the last statement.
  StatementList Batch();

  // Deeper nesting than this (parentheses, subqueries, blocks, IF chains) is refused.
  static constexpr int kMaxDepth = 200;

 private:
  friend class DepthGuard;

  // Token cursor (parser.cc).
  const Token& Peek(size_t ahead = 0) const;
  const Token& Take();
  bool IsWord(std::string_view upper, size_t ahead = 0) const;
  bool IsSymbol(std::string_view symbol, size_t ahead = 0) const;
  bool AcceptWord(std::string_view upper);
  bool AcceptSymbol(std::string_view symbol);
  void ExpectWord(std::string_view upper);
  void ExpectSymbol(std::string_view symbol);
  [[noreturn]] void Unexpected() const;
  // True when the current token is a plain word that is not reserved, or a [quoted] name.
  bool AtName() const;
  // A table or column name: word, [quoted] or #temp (when `allow_temp`); returns it as written.
  std::string Name(bool allow_temp);
  int SmallInteger();

  // Statements (parser.cc, parser_control.cc, parser_dml.cc, parser_ddl.cc).
  std::unique_ptr<Statement> StatementAt();
  std::unique_ptr<Statement> If();
  std::unique_ptr<Statement> Block();
  std::unique_ptr<Statement> Declare();
  std::unique_ptr<Statement> Set();
  std::unique_ptr<Statement> SelectStatement();
  std::unique_ptr<Statement> Insert();
  std::unique_ptr<Statement> Update();
  std::unique_ptr<Statement> Delete();
  std::unique_ptr<Statement> Create();
  std::unique_ptr<Statement> CreateTable(SourcePos pos);
  std::unique_ptr<Statement> CreateIndex(SourcePos pos);
  std::unique_ptr<Statement> Drop();
  void SkipSeparators();
  SqlType Type();
  ColumnDef Column();

  // Queries (parser_select.cc).
  std::unique_ptr<Select> Query(bool allow_into);
  SelectCore Core(bool allow_into);
  SelectItem Item();
  std::vector<FromItem> FromList();
  TableRef Table();
  std::vector<OrderItem> OrderBy();

  // Expressions (parser_expr.cc).
  ExprPtr Expression();
  ExprPtr And();
  ExprPtr Not();
  ExprPtr Predicate();
  ExprPtr Additive();
  ExprPtr Multiplicative();
  ExprPtr Unary();
  ExprPtr Primary();
  ExprPtr NameExpression();
  ExprPtr Function(const Token& name);
  ExprPtr Cast(SourcePos pos);
  ExprPtr Convert(SourcePos pos);
  ExprPtr Case(SourcePos pos);
  ExprPtr Parenthesised(SourcePos pos);

  std::vector<Token> tokens_;
  size_t at_ = 0;
  int depth_ = 0;
};

// Counts one level of nesting for as long as it lives; refuses past Parser::kMaxDepth.
class DepthGuard {
 public:
  explicit DepthGuard(Parser& parser);
  ~DepthGuard() { --parser_.depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  Parser& parser_;
};

// True for the words that can never be an implicit alias or a bare name (upper-case argument).
bool IsReserved(std::string_view upper);

}  // namespace cb::tsql
