// Parsing of queries: SELECT cores joined by UNION, select lists, FROM with joins, ORDER BY.
#include "platform/tsql/parser.h"
#include "platform/tsql/statements.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

std::unique_ptr<Statement> Parser::SelectStatement() {
  return std::make_unique<QueryStatement>(Query(true));
}

std::unique_ptr<Select> Parser::Query(bool allow_into) {
  DepthGuard guard(*this);
  auto select = std::make_unique<Select>();
  select->pos = Peek().pos;
  select->cores.push_back(Core(allow_into));
  while (true) {
    if (IsWord("INTERSECT") || IsWord("EXCEPT")) RaiseUnsupported(Upper(Peek().text), Peek().pos);
    if (!AcceptWord("UNION")) break;
    select->union_all.push_back(AcceptWord("ALL"));
    select->cores.push_back(Core(false));
  }
  bool has_assignment = false;
  for (const SelectCore& core : select->cores) {
    for (const SelectItem& item : core.items)
      has_assignment = has_assignment || !item.target.empty();
  }
  if (select->cores.size() > 1 && (has_assignment || !select->cores[0].top.empty())) {
    RaiseUnsupported(has_assignment ? "UNION with variable assignment" : "TOP with UNION",
                     select->pos);
  }
  if (IsWord("ORDER")) select->order_by = OrderBy();
  if (IsWord("FOR") || IsWord("OPTION")) RaiseUnsupported(Upper(Peek().text), Peek().pos);
  return select;
}

SelectCore Parser::Core(bool allow_into) {
  SelectCore core;
  core.pos = Peek().pos;
  ExpectWord("SELECT");
  if (!AcceptWord("ALL")) core.distinct = AcceptWord("DISTINCT");
  if (IsWord("TOP")) {
    Take();
    bool parenthesised = AcceptSymbol("(");
    core.top = std::to_string(SmallInteger());
    if (parenthesised) ExpectSymbol(")");
    if (IsWord("PERCENT") || (IsWord("WITH") && IsWord("TIES", 1))) {
      RaiseUnsupported("TOP " + Upper(Peek().text), Peek().pos);
    }
  }
  do {
    core.items.push_back(Item());
  } while (AcceptSymbol(","));
  size_t assignments = 0;
  for (const SelectItem& item : core.items) assignments += item.target.empty() ? 0 : 1;
  if (assignments != 0 && assignments != core.items.size()) {
    RaiseInvalid(
        "A SELECT statement that assigns a value to a variable must not be combined with "
        "data-retrieval operations",
        core.pos);
  }
  if (IsWord("INTO")) {
    if (!allow_into || assignments != 0) Unexpected();
    Take();
    core.into = Name(true);
  }
  if (AcceptWord("FROM")) core.from = FromList();
  if (AcceptWord("WHERE")) core.where = Expression();
  if (IsWord("GROUP")) {
    Take();
    ExpectWord("BY");
    do {
      core.group_by.push_back(Expression());
    } while (AcceptSymbol(","));
  }
  if (AcceptWord("HAVING")) core.having = Expression();
  return core;
}

SelectItem Parser::Item() {
  SelectItem item;
  const Token& first = Peek();
  if (first.kind == TokenKind::kVariable && IsSymbol("=", 1)) {
    item.target = Lower(first.text);
    Take();
    Take();
    item.expr = Additive();
    return item;
  }
  if (IsSymbol("*")) {
    item.expr = std::make_unique<Expr>(ExprKind::kStar, Take().pos);
    return item;
  }
  if (AtName() && IsSymbol("=", 1)) {
    item.alias = Take().text;
    Take();
    item.expr = Additive();
    return item;
  }
  item.expr = Additive();
  if (item.expr->kind == ExprKind::kStar) return item;
  if (AcceptWord("AS")) {
    item.alias = Name(false);
  } else if (AtName()) {
    item.alias = Take().text;
  }
  return item;
}

std::vector<FromItem> Parser::FromList() {
  std::vector<FromItem> items;
  items.push_back(FromItem{JoinType::kFirst, Table(), nullptr});
  while (true) {
    FromItem item;
    if (AcceptSymbol(",")) {
      item.join = JoinType::kComma;
    } else if (IsWord("JOIN") || IsWord("INNER")) {
      AcceptWord("INNER");
      ExpectWord("JOIN");
      item.join = JoinType::kInner;
    } else if (IsWord("LEFT") || IsWord("RIGHT")) {
      item.join = IsWord("LEFT") ? JoinType::kLeft : JoinType::kRight;
      Take();
      AcceptWord("OUTER");
      ExpectWord("JOIN");
    } else if (IsWord("CROSS")) {
      Take();
      if (IsWord("APPLY")) RaiseUnsupported("CROSS APPLY", Peek().pos);
      ExpectWord("JOIN");
      item.join = JoinType::kCross;
    } else if (IsWord("FULL") || IsWord("OUTER")) {
      RaiseUnsupported(Upper(Peek().text) + " JOIN", Peek().pos);
    } else {
      break;
    }
    item.table = Table();
    if (item.join != JoinType::kComma && item.join != JoinType::kCross) {
      ExpectWord("ON");
      item.on = Expression();
    }
    items.push_back(std::move(item));
  }
  return items;
}

TableRef Parser::Table() {
  TableRef table;
  table.pos = Peek().pos;
  if (AcceptSymbol("(")) {
    if (!IsWord("SELECT")) RaiseUnsupported("parenthesised join", table.pos);
    table.derived = Query(false);
    ExpectSymbol(")");
    AcceptWord("AS");
    table.alias = Name(false);
    return table;
  }
  if (Peek().kind == TokenKind::kVariable) RaiseUnsupported("table variable", table.pos);
  table.name = Name(true);
  if (IsSymbol(".")) RaiseUnsupported("multi-part name", table.pos);
  if (AcceptWord("AS")) {
    table.alias = Name(false);
  } else if (AtName()) {
    table.alias = Take().text;
  }
  if (IsWord("WITH") && IsSymbol("(", 1)) RaiseUnsupported("table hint", Peek().pos);
  return table;
}

std::vector<OrderItem> Parser::OrderBy() {
  Take();
  ExpectWord("BY");
  std::vector<OrderItem> items;
  do {
    OrderItem item;
    item.expr = Additive();
    if (!AcceptWord("ASC")) item.descending = AcceptWord("DESC");
    items.push_back(std::move(item));
  } while (AcceptSymbol(","));
  return items;
}

}  // namespace cb::tsql
