// Emits queries: select lists, FROM with joins, UNION, ORDER BY and TOP as LIMIT.
#include "platform/tsql/emitter.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

std::string Emitter::Query(const Select& select, const std::vector<ValueType>* written_types) {
  std::string out = Core(select.cores[0], written_types);
  for (size_t i = 1; i < select.cores.size(); ++i) {
    out += select.union_all[i - 1] ? " UNION ALL " : " UNION ";
    out += Core(select.cores[i], written_types);
  }
  if (!select.order_by.empty()) {
    ScopeGuard scope(*this, TablesOf(select.cores[0].from));
    out += " ORDER BY ";
    for (size_t i = 0; i < select.order_by.size(); ++i) {
      const OrderItem& item = select.order_by[i];
      out += (i ? ", " : "") + TextCollated(*item.expr) + (item.descending ? " DESC" : "");
    }
  }
  if (!select.cores[0].top.empty()) out += " LIMIT " + select.cores[0].top;
  return out;
}

// SELECT @v = expr: an integer variable takes its value as SET does (statements.cc).
std::string Emitter::Assigned(const SelectItem& item) {
  ValueType variable = TypeOfDeclared(catalog_.VariableType(item.target));
  return variable.Is(TypeFamily::kInt) ? Converted(*item.expr, variable) : TextCollated(*item.expr);
}

std::string Emitter::Core(const SelectCore& core, const std::vector<ValueType>* written_types) {
  ScopeGuard scope(*this, TablesOf(core.from));
  bool single_row_check = single_row_check_;
  single_row_check_ = false;
  std::string out = core.distinct ? "SELECT DISTINCT " : "SELECT ";
  // Values bound for columns go by position, so a '*' stands for each of its columns.
  size_t position = 0;
  auto write = [&](const Expr& value) {
    return position < written_types->size() ? Written(value, (*written_types)[position++])
                                            : TextCollated(value);
  };
  for (size_t i = 0; i < core.items.size(); ++i) {
    const SelectItem& item = core.items[i];
    std::string value;
    if (written_types && item.expr->kind == ExprKind::kStar) {
      for (const ExprPtr& column : StarColumns(core, *item.expr)) {
        value += (value.empty() ? "" : ", ") + write(*column);
      }
    } else if (written_types) {
      value = write(*item.expr);
    } else {
      value = item.target.empty() ? TextCollated(*item.expr) : Assigned(item);
    }
    if (i == 0 && single_row_check) value = "tsql_single(" + value + ", count(*) OVER ())";
    out += (i ? ", " : "") + value;
    if (!item.alias.empty()) out += " AS " + Quote(item.alias);
  }
  if (!core.from.empty()) out += " FROM " + FromList(core.from);
  if (core.where) out += " WHERE " + Expression(*core.where);
  if (!core.group_by.empty()) {
    out += " GROUP BY ";
    for (size_t i = 0; i < core.group_by.size(); ++i) {
      out += (i ? ", " : "") + TextCollated(*core.group_by[i]);
    }
  }
  if (core.having) out += " HAVING " + Expression(*core.having);
  return out;
}

std::vector<ExprPtr> Emitter::StarColumns(const SelectCore& core, const Expr& star) {
  std::vector<ExprPtr> columns;
  auto add = [&](const TableRef& table, const std::string& name) {
    auto column = std::make_unique<Expr>(ExprKind::kColumn, star.pos);
    column->qualifier = table.exposed();
    column->text = name;
    columns.push_back(std::move(column));
  };
  for (const FromItem& item : core.from) {
    const TableRef& table = item.table;
    if (!star.qualifier.empty() && !SameName(table.exposed(), star.qualifier)) continue;
    if (!table.derived) {
      for (const ColumnInfo& info : RequireColumns(table.name, table.pos)) add(table, info.name);
      continue;
    }
    for (const SelectItem& derived : table.derived->cores[0].items) {
      const Expr& value = *derived.expr;
      if (value.kind == ExprKind::kStar) RaiseUnsupported("'*' over a derived '*'", star.pos);
      std::string name = derived.alias;
      if (name.empty() && value.kind == ExprKind::kColumn) name = value.text;
      if (name.empty()) RaiseUnsupported("'*' over an unnamed derived column", star.pos);
      add(table, name);
    }
  }
  return columns;
}

std::string Emitter::FromList(const std::vector<FromItem>& from) {
  std::string out;
  for (const FromItem& item : from) {
    switch (item.join) {
      case JoinType::kFirst:
        break;
      case JoinType::kComma:
        out += ", ";
        break;
      case JoinType::kInner:
        out += " INNER JOIN ";
        break;
      case JoinType::kLeft:
        out += " LEFT JOIN ";
        break;
      case JoinType::kRight:
        out += " RIGHT JOIN ";
        break;
      case JoinType::kCross:
        out += " CROSS JOIN ";
        break;
    }
    out += TableText(item.table);
    if (item.on) out += " ON " + Expression(*item.on);
  }
  return out;
}

std::string Emitter::TableText(const TableRef& table) {
  if (table.derived) return "(" + Query(*table.derived) + ") AS " + Quote(table.alias);
  std::string out = Quote(table.name);
  if (!table.alias.empty()) out += " AS " + Quote(table.alias);
  return out;
}

}  // namespace cb::tsql
