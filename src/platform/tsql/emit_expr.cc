// Emits expressions, applying the value rewrites that keep the server's meaning.
#include "platform/tsql/emitter.h"
#include "platform/tsql/functions.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"
#include "platform/tsql/type_map.h"

namespace cb::tsql {
namespace {

const Expr& StripParens(const Expr& expr) {
  return expr.kind == ExprKind::kParen ? StripParens(*expr.args[0]) : expr;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : ", ") + part;
  return out;
}

bool Compared(ValueType type) {
  return type.Is(TypeFamily::kDecimal) || type.Is(TypeFamily::kFloat);
}

bool IsText(ValueType type) {
  return type.Is(TypeFamily::kText);
}

[[noreturn]] void RaiseUntyped(const std::string& construct, SourcePos pos) {
  RaiseUnsupported("an operand of '" + construct + "' whose type cannot be told", pos);
}

}  // namespace

// The layer answers only where it knows the types that decide the answer: an untyped operand
// (a column made from a bare NULL, text in arithmetic) would otherwise compare or add as SQLite
// guesses.
void Emitter::RefuseUntyped(ValueType type, const Expr& at, const std::string& construct) {
  if (type.Is(TypeFamily::kUnknown) && !Unresolved(at)) RaiseUntyped(construct, at.pos);
}

std::string Emitter::Compare(const Expr& compare) {
  return Comparison(*compare.args[0], compare.text, *compare.args[1], compare);
}

// The server reads x BETWEEN a AND b as x >= a AND x <= b, each pair compared in its own common
// type; NOT BETWEEN is the negation, which keeps an unknown bound unknown.
std::string Emitter::Between(const Expr& between) {
  const Expr& value = *between.args[0];
  std::string both = Comparison(value, ">=", *between.args[1], between) + " AND " +
                     Comparison(value, "<=", *between.args[2], between);
  return (between.negated ? "NOT (" : "(") + both + ")";
}

std::string Emitter::Comparison(const Expr& lhs, const std::string& op, const Expr& rhs,
                                const Expr& at) {
  ValueType left = TypeOf(lhs);
  ValueType right = TypeOf(rhs);
  ValueType common = CommonType(left, right);
  RefuseUntyped(common, at, at.text);
  if (Compared(common)) return Converted(lhs, common) + " " + op + " " + Converted(rhs, common);
  if (left.Is(TypeFamily::kDate) || right.Is(TypeFamily::kDate)) {
    return AsStoredDate(lhs) + " " + op + " " + AsStoredDate(rhs);
  }
  // A bare column on either side already brings its declared collation to the comparison.
  bool column =
      StripParens(lhs).kind == ExprKind::kColumn || StripParens(rhs).kind == ExprKind::kColumn;
  if (IsText(common) && !column) {
    return Collated(Expression(lhs)) + " " + op + " " + Expression(rhs);
  }
  return Expression(lhs) + " " + op + " " + Expression(rhs);
}

std::string Emitter::Arithmetic(const Expr& arithmetic) {
  RefuseTextArithmetic(arithmetic);
  const Expr& lhs = *arithmetic.args[0];
  const Expr& rhs = *arithmetic.args[1];
  ValueType type = TypeOf(arithmetic);
  const std::string& op = arithmetic.text;
  switch (type.family) {
    case TypeFamily::kDecimal: {
      std::string name = op == "+"   ? "dec_add"
                         : op == "-" ? "dec_sub"
                         : op == "*" ? "dec_mul"
                                     : "dec_div";
      std::string args = Converted(lhs, type) + ", " + Converted(rhs, type);
      if (op == "*" || op == "/") args += ", " + std::to_string(type.scale);
      return name + "(" + args + ")";
    }
    case TypeFamily::kFloat:
    case TypeFamily::kInt:
    case TypeFamily::kBigInt: {
      std::string a = Converted(lhs, type);
      std::string b = Converted(rhs, type);
      if (op == "/") return "tsql_div(" + a + ", " + b + ")";
      return a + " " + op + " " + b;
    }
    case TypeFamily::kDate:
      RaiseUnsupported("date arithmetic", arithmetic.pos);
    case TypeFamily::kText:
      RaiseUnsupported("string concatenation with '+'", arithmetic.pos);
    default:
      RaiseUntyped(op, arithmetic.pos);
  }
}

std::string Emitter::Negation(const Expr& negation) {
  if (TypeOf(negation).Is(TypeFamily::kDecimal)) {
    const Expr& operand = StripParens(*negation.args[0]);
    if (operand.kind == ExprKind::kNumber) return Converted(negation, TypeOf(negation));
    return "dec_neg(" + Expression(*negation.args[0]) + ")";
  }
  std::string operand = Expression(*negation.args[0]);
  return operand.starts_with("-") ? "- " + operand : "-" + operand;
}

std::string Emitter::InListText(const Expr& in) {
  ValueType common = TypeOf(*in.args[0]);
  for (size_t i = 1; i < in.args.size(); ++i) common = CommonType(common, TypeOf(*in.args[i]));
  RefuseUntyped(common, in, "IN");
  bool convert = Compared(common);
  bool dates = common.Is(TypeFamily::kDate);
  auto operand = [&](const Expr& value) {
    return convert ? Converted(value, common) : dates ? AsStoredDate(value) : Expression(value);
  };
  std::vector<std::string> values;
  for (size_t i = 1; i < in.args.size(); ++i) values.push_back(operand(*in.args[i]));
  std::string left = operand(*in.args[0]);
  if (IsText(common) && StripParens(*in.args[0]).kind != ExprKind::kColumn) left = Collated(left);
  return left + (in.negated ? " NOT IN (" : " IN (") + Join(values) + ")";
}

// x IN (SELECT y …) compares x and y in their common type, as '=' would: the subquery's item is
// written in that type and x converted to it.
std::string Emitter::InSelectText(const Expr& in) {
  const Expr& value = *in.args[0];
  std::vector<ValueType> items = ItemTypes(*in.select);
  ValueType item = items.empty() ? ValueType::Of(TypeFamily::kUnknown) : items[0];
  ValueType common = CommonType(TypeOf(value), item);
  RefuseUntyped(common, in, "IN");
  std::string left = Compared(common)               ? Converted(value, common)
                     : common.Is(TypeFamily::kDate) ? AsStoredDate(value)
                                                    : TextCollated(value);
  std::vector<ValueType> written{common};
  std::string query = Compared(common) || common.Is(TypeFamily::kDate) ? Query(*in.select, &written)
                                                                       : Query(*in.select);
  return left + (in.negated ? " NOT IN (" : " IN (") + query + ")";
}

std::string Emitter::CaseText(const Expr& expr) {
  ValueType type = TypeOf(expr);
  RefuseUntyped(type, expr, "CASE");
  std::string out = "CASE";
  size_t pairs = expr.args.size() - (expr.has_else ? 1 : 0);
  for (size_t i = 0; i + 1 < pairs; i += 2) {
    out += " WHEN " + Expression(*expr.args[i]) + " THEN " + Converted(*expr.args[i + 1], type);
  }
  if (expr.has_else) out += " ELSE " + Converted(*expr.args.back(), type);
  return out + " END";
}

std::string Emitter::CastText(const Expr& cast) {
  const Expr& operand = *cast.args[0];
  const SqlType& type = cast.type;
  ValueType target = TypeOfSql(type);
  if (target.Is(TypeFamily::kDecimal)) {
    return "dec(" + Expression(operand) + ", " + std::to_string(target.precision) + ", " +
           std::to_string(target.scale) + ")";
  }
  if (IsCharacterType(type)) {
    std::string length = std::to_string(type.length >= 0 ? type.length : 30);
    if (cast.kind == ExprKind::kConvert) {
      return "substr(strftime('%Y-%m-%d %H:%M:%S', " + Expression(operand) + "), 1, " + length +
             ")";
    }
    return "substr(CAST(" + Converted(operand, target) + " AS TEXT), 1, " + length + ")";
  }
  ValueType source = TypeOf(operand);
  if (source.Is(TypeFamily::kDecimal)) return Converted(operand, target);
  // SQLite reads text that is no number as 0 where the server raises an error: text goes through
  // the same checked conversions as a write to a column of the target type.
  if (source.Is(TypeFamily::kText)) {
    if (target.Is(TypeFamily::kInt) || target.Is(TypeFamily::kBigInt)) {
      return Converted(operand, target);
    }
    if (target.Is(TypeFamily::kFloat)) RaiseUnsupported("CAST of text to FLOAT", cast.pos);
  }
  // A number cast to a narrower integer type is checked against its range as a write is.
  if (target.Is(TypeFamily::kInt) && !source.Is(TypeFamily::kDate)) {
    return Converted(operand, target);
  }
  return "CAST(" + Expression(operand) + " AS " + NativeType(type) + ")";
}

// A subquery used as a value must find at most one row (512 otherwise): its first item is checked
// against the count of its rows, unless TOP, DISTINCT or an aggregate without GROUP BY bounds them.
std::string Emitter::ScalarSubquery(const Select& select) {
  const SelectCore& core = select.cores[0];
  const Expr& first = *core.items[0].expr;
  bool aggregate = first.kind == ExprKind::kFunction &&
                   (first.text == "SUM" || first.text == "COUNT" || first.text == "MIN" ||
                    first.text == "MAX" || first.text == "AVG");
  bool bounded = select.cores.size() > 1 || !core.top.empty() || core.distinct ||
                 (aggregate && core.group_by.empty());
  single_row_check_ = !bounded;
  return "(" + Query(select) + ")";
}

std::string Emitter::Collated(const std::string& text) {
  return "(" + text + ") COLLATE TSQLCI";
}

std::string Emitter::TextCollated(const Expr& expr) {
  if (StripParens(expr).kind == ExprKind::kColumn || !IsText(TypeOf(expr))) {
    return Expression(expr);
  }
  return Collated(Expression(expr));
}

std::string Emitter::Expression(const Expr& expr) {
  switch (expr.kind) {
    case ExprKind::kColumn:
      return (expr.qualifier.empty() ? "" : Quote(expr.qualifier) + ".") + Quote(expr.text);
    case ExprKind::kStar:
      return expr.qualifier.empty() ? "*" : Quote(expr.qualifier) + ".*";
    case ExprKind::kVariable:
      Use("@" + expr.text);
      return "@" + expr.text;
    case ExprKind::kRowCount:
      Use(kRowCountParameter);
      return kRowCountParameter;
    case ExprKind::kNumber:
      if (TypeOf(expr).Is(TypeFamily::kDecimal)) return Converted(expr, TypeOf(expr));
      return expr.text;
    case ExprKind::kString:
      return Literal(expr.text);
    case ExprKind::kNull:
      return "NULL";
    case ExprKind::kParen:
      return "(" + Expression(*expr.args[0]) + ")";
    case ExprKind::kNegate:
      return Negation(expr);
    case ExprKind::kArith:
      return Arithmetic(expr);
    case ExprKind::kCompare:
      return Compare(expr);
    case ExprKind::kAnd:
    case ExprKind::kOr:
      return Expression(*expr.args[0]) + " " + expr.text + " " + Expression(*expr.args[1]);
    case ExprKind::kNot:
      return "NOT " + Expression(*expr.args[0]);
    case ExprKind::kIsNull:
      return Expression(*expr.args[0]) + (expr.negated ? " IS NOT NULL" : " IS NULL");
    case ExprKind::kInList:
      return InListText(expr);
    case ExprKind::kInSelect:
      return InSelectText(expr);
    case ExprKind::kBetween:
      return Between(expr);
    case ExprKind::kExists:
      return "EXISTS (" + Query(*expr.select) + ")";
    case ExprKind::kSubquery:
      return ScalarSubquery(*expr.select);
    case ExprKind::kFunction:
      return Function(expr);
    case ExprKind::kCast:
    case ExprKind::kConvert:
      return CastText(expr);
    case ExprKind::kCase:
      return CaseText(expr);
  }
  return "";
}

// The server concatenates when either operand of '+' is text, and counts days on a date; the
// native operators would add or subtract numbers.
void Emitter::RefuseTextArithmetic(const Expr& arithmetic) {
  if (arithmetic.text != "+" && arithmetic.text != "-") return;
  for (const ExprPtr& arg : arithmetic.args) {
    ValueType type = TypeOf(*arg);
    if (type.Is(TypeFamily::kDate)) RaiseUnsupported("date arithmetic", arithmetic.pos);
    if (type.Is(TypeFamily::kText) && arithmetic.text == "+") {
      RaiseUnsupported("string concatenation with '+'", arithmetic.pos);
    }
  }
}

std::string Emitter::Function(const Expr& call) {
  const std::string& name = call.text;
  std::string distinct = call.distinct ? "DISTINCT " : "";
  if (name == "ISNULL") {
    ValueType type = FunctionType(call);
    RefuseUntyped(type, call, name);
    return "ifnull(" + Converted(*call.args[0], type) + ", " + Converted(*call.args[1], type) + ")";
  }
  std::vector<std::string> args;
  for (const ExprPtr& arg : call.args) args.push_back(Expression(*arg));
  if (name == "GETDATE") return "getdate()";
  if (name == "LEFT") return "substr(" + args[0] + ", 1, " + args[1] + ")";
  if (name == "LEN") return "length(rtrim(" + args[0] + "))";
  ValueType argument = TypeOf(*call.args[0]);
  if (name == "SUM" || name == "AVG" || name == "MIN" || name == "MAX" || name == "ABS" ||
      name == "ROUND") {
    RefuseUntyped(FunctionType(call), call, name);
  }
  bool decimal = argument.Is(TypeFamily::kDecimal);
  if (name == "SUM") return (decimal ? "dec_sum(" : "sum(") + distinct + args[0] + ")";
  if (name == "AVG") {
    if (decimal) {
      if (call.distinct) RaiseUnsupported("AVG(DISTINCT) of a decimal", call.pos);
      return "dec_avg(" + args[0] + ", " + std::to_string(FunctionType(call).scale) + ")";
    }
    // The server's average of integers is an integer, truncated toward zero.
    if (argument.Is(TypeFamily::kInt) || argument.Is(TypeFamily::kBigInt) ||
        argument.Is(TypeFamily::kBit)) {
      return "CAST(avg(" + distinct + args[0] + ") AS INTEGER)";
    }
  }
  if (name == "ABS" && decimal) return "dec_abs(" + args[0] + ")";
  if ((name == "MIN" || name == "MAX") && IsText(argument)) {
    return Lower(name) + "(" + distinct + Collated(args[0]) + ")";
  }
  if (name == "ROUND") {
    if (decimal) return "dec_round(" + args[0] + ", " + args[1] + ")";
    if (argument.Is(TypeFamily::kInt) || argument.Is(TypeFamily::kBigInt)) return args[0];
  }
  return Lower(name) + "(" + distinct + Join(args) + ")";
}

}  // namespace cb::tsql
