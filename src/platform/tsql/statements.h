// The concrete statements of a parsed batch: control flow, variable statements, queries and the
// DML/DDL statements that translate to one native statement each.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/tsql/ast.h"
#include "platform/tsql/batch.h"
#include "platform/tsql/translator.h"

namespace cb::tsql {

// SET NOCOUNT ON/OFF: nothing runs.
class EmptyStatement : public Statement {
 public:
  explicit EmptyStatement(SourcePos pos) : pos_(pos) {}
  StatementKind kind() const override { return StatementKind::kEmpty; }
  SourcePos pos() const override { return pos_; }
  Translation Translate(Catalog& catalog) const override;

 private:
  SourcePos pos_;
};

// A query: plain (kSql), SELECT … INTO (kSelectInto) or SELECT @v = … (kSelectAssign).
class QueryStatement : public Statement {
 public:
  explicit QueryStatement(std::unique_ptr<Select> select);
  StatementKind kind() const override { return kind_; }
  SourcePos pos() const override { return select_->pos; }
  Translation Translate(Catalog& catalog) const override;
  const std::string& into_table() const override;
  const std::vector<std::string>& targets() const override;

 private:
  std::unique_ptr<Select> select_;
  StatementKind kind_ = StatementKind::kSql;
  std::vector<std::string> targets_;
};

// SET @v = expr.
class SetVariableStatement : public Statement {
 public:
  SetVariableStatement(SourcePos pos, std::string target, ExprPtr value)
      : pos_(pos), targets_{std::move(target)}, value_(std::move(value)) {}
  StatementKind kind() const override { return StatementKind::kSetVariable; }
  SourcePos pos() const override { return pos_; }
  Translation Translate(Catalog& catalog) const override;
  const std::vector<std::string>& targets() const override { return targets_; }

 private:
  SourcePos pos_;
  std::vector<std::string> targets_;
  ExprPtr value_;
};

class DeclareStatement : public Statement {
 public:
  DeclareStatement(SourcePos pos, std::vector<Declaration> declarations)
      : pos_(pos), declarations_(std::move(declarations)) {}
  StatementKind kind() const override { return StatementKind::kDeclare; }
  SourcePos pos() const override { return pos_; }
  Translation Translate(Catalog& catalog) const override;
  const std::vector<Declaration>& declarations() const override { return declarations_; }

 private:
  SourcePos pos_;
  std::vector<Declaration> declarations_;
};

class IfStatement : public Statement {
 public:
  IfStatement(SourcePos pos, ExprPtr condition, std::unique_ptr<Statement> then_branch,
              std::unique_ptr<Statement> else_branch)
      : pos_(pos),
        condition_(std::move(condition)),
        then_(std::move(then_branch)),
        else_(std::move(else_branch)) {}
  StatementKind kind() const override { return StatementKind::kIf; }
  SourcePos pos() const override { return pos_; }
  Translation Translate(Catalog& catalog) const override;
  const Statement* then_branch() const override { return then_.get(); }
  const Statement* else_branch() const override { return else_.get(); }

 private:
  SourcePos pos_;
  ExprPtr condition_;
  std::unique_ptr<Statement> then_;
  std::unique_ptr<Statement> else_;
};

class BlockStatement : public Statement {
 public:
  BlockStatement(SourcePos pos, StatementList children)
      : pos_(pos), children_(std::move(children)) {}
  StatementKind kind() const override { return StatementKind::kBlock; }
  SourcePos pos() const override { return pos_; }
  Translation Translate(Catalog& catalog) const override;
  const std::vector<std::unique_ptr<Statement>>& children() const override { return children_; }

 private:
  SourcePos pos_;
  StatementList children_;
};

// INSERT, UPDATE, DELETE, CREATE TABLE, CREATE INDEX or DROP TABLE: one native statement made by
// the matching Translate…() of translator.h.
template <class Node>
class DmlStatement : public Statement {
 public:
  explicit DmlStatement(Node node) : node_(std::move(node)) {}
  StatementKind kind() const override { return StatementKind::kSql; }
  SourcePos pos() const override { return node_.pos; }
  Translation Translate(Catalog& catalog) const override { return TranslateNode(node_, catalog); }

 private:
  Node node_;
};

}  // namespace cb::tsql
