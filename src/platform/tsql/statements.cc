// Translation of the statements that carry an expression or a query, and of control flow.
#include "platform/tsql/statements.h"

#include <algorithm>

#include "platform/tsql/emitter.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

Translation TranslateQuery(const Select& select, Catalog& catalog, bool returns_rows) {
  Emitter emitter(catalog);
  if (select.cores[0].into.empty()) {
    std::string sql = emitter.Query(select);
    return emitter.Finish(std::move(sql), returns_rows);
  }
  // SELECT … INTO writes dates in their stored form like any other write; the new table's columns
  // take the items' types, and an identity column copied bare stays the identity.
  std::vector<std::string> column_types;
  std::vector<ValueType> written;
  for (ValueType type : emitter.ItemTypes(select)) {
    column_types.push_back(NativeDeclared(type));
    written.push_back(type.Is(TypeFamily::kDate) ? type : ValueType::Of(TypeFamily::kUnknown));
  }
  int identity = emitter.InheritedIdentity(select);
  if (identity >= 0) column_types[static_cast<size_t>(identity)] = kIdentityColumnType;
  std::string sql = emitter.Query(select, &written);
  Translation translation = emitter.Finish(std::move(sql), returns_rows);
  translation.column_types = std::move(column_types);
  return translation;
}

Translation TranslateValue(const Expr& value, Catalog& catalog, ValueType target) {
  Emitter emitter(catalog);
  // An integer variable takes its value through the checks of a write to an integer column, so
  // both fail alike for a value out of range.
  std::string sql = "SELECT " + (target.Is(TypeFamily::kInt) ? emitter.Converted(value, target)
                                                             : emitter.Expression(value));
  return emitter.Finish(std::move(sql), false);
}

Translation TranslateCondition(const Expr& condition, Catalog& catalog) {
  Emitter emitter(catalog);
  std::string sql = "SELECT CASE WHEN " + emitter.Expression(condition) + " THEN 1 ELSE 0 END";
  return emitter.Finish(std::move(sql), false);
}

namespace {

const Expr* FindVariable(const Expr& expr, const std::vector<std::string>& names) {
  if (expr.kind == ExprKind::kVariable &&
      std::find(names.begin(), names.end(), expr.text) != names.end()) {
    return &expr;
  }
  for (const ExprPtr& arg : expr.args) {
    if (const Expr* found = FindVariable(*arg, names)) return found;
  }
  return nullptr;
}

}  // namespace

QueryStatement::QueryStatement(std::unique_ptr<Select> select) : select_(std::move(select)) {
  const SelectCore& first = select_->cores[0];
  if (!first.into.empty()) kind_ = StatementKind::kSelectInto;
  for (const SelectItem& item : first.items) {
    if (item.target.empty()) continue;
    kind_ = StatementKind::kSelectAssign;
    targets_.push_back(item.target);
  }
  // The server reads such a variable row by row as the assignments change it; one native query
  // reads it once, so the result would differ whenever more than one row is assigned.
  for (const SelectItem& item : first.items) {
    if (item.target.empty()) continue;
    if (const Expr* read = FindVariable(*item.expr, targets_)) {
      RaiseUnsupported("SELECT @v = … that reads an assigned variable (@" + read->text + ")",
                       read->pos);
    }
  }
}

Translation QueryStatement::Translate(Catalog& catalog) const {
  return TranslateQuery(*select_, catalog, kind_ == StatementKind::kSql);
}

const std::string& QueryStatement::into_table() const {
  return kind_ == StatementKind::kSelectInto ? select_->cores[0].into : Statement::into_table();
}

const std::vector<std::string>& QueryStatement::targets() const {
  return targets_;
}

Translation SetVariableStatement::Translate(Catalog& catalog) const {
  return TranslateValue(*value_, catalog, TypeOfDeclared(catalog.VariableType(targets_[0])));
}

Translation IfStatement::Translate(Catalog& catalog) const {
  return TranslateCondition(*condition_, catalog);
}

// Statements that run no native statement of their own have nothing to translate.
Translation EmptyStatement::Translate(Catalog&) const {
  RaiseInvalid("SET NOCOUNT has no native statement", pos_);
}

Translation DeclareStatement::Translate(Catalog&) const {
  RaiseInvalid("DECLARE has no native statement", pos_);
}

Translation BlockStatement::Translate(Catalog&) const {
  RaiseInvalid("BEGIN…END has no native statement", pos_);
}

}  // namespace cb::tsql
