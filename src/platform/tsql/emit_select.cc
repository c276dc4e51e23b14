// Emits queries: select lists, FROM with joins, UNION, ORDER BY and TOP as LIMIT.
#include "platform/tsql/emitter.h"

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

std::string Emitter::Core(const SelectCore& core, const std::vector<ValueType>* written_types) {
  ScopeGuard scope(*this, TablesOf(core.from));
  bool single_row_check = single_row_check_;
  single_row_check_ = false;
  std::string out = core.distinct ? "SELECT DISTINCT " : "SELECT ";
  bool after_star = false;
  for (size_t i = 0; i < core.items.size(); ++i) {
    const SelectItem& item = core.items[i];
    after_star = after_star || item.expr->kind == ExprKind::kStar;
    std::string value = written_types && !after_star && i < written_types->size()
                            ? Written(*item.expr, (*written_types)[i])
                            : TextCollated(*item.expr);
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
