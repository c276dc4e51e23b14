// The emitter's names, scopes, catalog cache and parameter list.
#include "platform/tsql/emitter.h"

#include <algorithm>

#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

std::string Emitter::Quote(std::string_view name) {
  return "[" + std::string(name) + "]";
}

std::string Emitter::Literal(std::string_view value) {
  std::string out = "'";
  for (char c : value) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::vector<const TableRef*> Emitter::TablesOf(const std::vector<FromItem>& from) {
  std::vector<const TableRef*> tables;
  for (const FromItem& item : from) tables.push_back(&item.table);
  return tables;
}

const std::optional<std::vector<ColumnInfo>>& Emitter::Columns(std::string_view table) {
  std::string key = Lower(table);
  auto found = columns_.find(key);
  if (found == columns_.end()) found = columns_.emplace(key, catalog_.TableColumns(table)).first;
  return found->second;
}

const std::vector<ColumnInfo>& Emitter::RequireColumns(std::string_view table, SourcePos pos) {
  const auto& columns = Columns(table);
  if (!columns) RaiseNoSuchObject("Invalid object name '" + std::string(table) + "'", pos, 208);
  return *columns;
}

std::string Emitter::DeclaredType(const Expr& column) {
  // By index: typing a derived table's column pushes and pops scopes, which may move the list.
  for (size_t level = scopes_.size(); level-- > 0;) {
    for (size_t i = 0; i < scopes_[level].size(); ++i) {
      const TableRef* table = scopes_[level][i];
      bool named = !column.qualifier.empty();
      if (named && !SameName(table->exposed(), column.qualifier)) continue;
      if (table->derived) {
        std::string derived = DerivedColumnType(*table->derived, column.text);
        if (named || !derived.empty()) return derived;
        continue;
      }
      const auto& columns = Columns(table->name);
      if (columns) {
        for (const ColumnInfo& info : *columns) {
          if (SameName(info.name, column.text)) return info.declared_type;
        }
      }
      if (named) return "";
    }
  }
  return "";
}

bool Emitter::Unresolved(const Expr& expr) {
  if (expr.kind == ExprKind::kVariable) return catalog_.VariableType(expr.text).empty();
  if (expr.kind == ExprKind::kColumn) {
    for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope) {
      for (const TableRef* table : *scope) {
        if (!expr.qualifier.empty() && !SameName(table->exposed(), expr.qualifier)) continue;
        if (table->derived) return false;
        const auto& columns = Columns(table->name);
        if (!columns) continue;
        for (const ColumnInfo& info : *columns) {
          if (SameName(info.name, expr.text)) return false;
        }
      }
    }
    return true;
  }
  for (const ExprPtr& arg : expr.args) {
    if (arg && Unresolved(*arg)) return true;
  }
  return false;
}

std::string Emitter::DerivedColumnType(const Select& derived, const std::string& name) {
  // A name the derived table's own tables do not hold is looked up outside it, where it may find
  // the derived table again: that column has no type to tell.
  if (std::find(typing_derived_.begin(), typing_derived_.end(), &derived) !=
      typing_derived_.end()) {
    return "";
  }
  typing_derived_.push_back(&derived);
  struct Done {
    std::vector<const Select*>& typing;
    ~Done() { typing.pop_back(); }
  } done{typing_derived_};
  const SelectCore& core = derived.cores[0];
  for (const SelectItem& item : core.items) {
    const Expr& value = *item.expr;
    const std::string& exposed =
        item.alias.empty() && value.kind == ExprKind::kColumn ? value.text : item.alias;
    if (!SameName(exposed, name)) continue;
    ScopeGuard scope(*this, TablesOf(core.from));
    return NativeDeclared(TypeOf(value));
  }
  return "";
}

void Emitter::Use(const std::string& parameter) {
  if (std::find(parameters_.begin(), parameters_.end(), parameter) == parameters_.end()) {
    parameters_.push_back(parameter);
  }
}

Translation Emitter::Finish(std::string sql, bool returns_rows) {
  Translation translation;
  translation.sql = std::move(sql);
  translation.parameters = std::move(parameters_);
  translation.returns_rows = returns_rows;
  parameters_.clear();
  return translation;
}

}  // namespace cb::tsql
