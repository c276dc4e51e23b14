// Emits expressions, applying the value rewrites that keep the server's meaning.
#include "platform/tsql/emitter.h"
#include "platform/tsql/functions.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"
#include "platform/tsql/type_map.h"

namespace cb::tsql {
namespace {

bool IsAggregateCall(const Expr& expr) {
  if (expr.kind != ExprKind::kFunction) return false;
  const std::string& name = expr.text;
  return name == "SUM" || name == "COUNT" || name == "MAX" || name == "MIN" || name == "AVG";
}

// Arithmetic or an aggregate anywhere in the expression, subqueries excepted: such a comparison is
// made between values rounded to the decimal scale, so that float residue cannot flip it.
bool NeedsRounding(const Expr& expr) {
  if (expr.kind == ExprKind::kArith || IsAggregateCall(expr)) return true;
  for (const ExprPtr& arg : expr.args) {
    if (NeedsRounding(*arg)) return true;
  }
  return false;
}

bool IsIntegerLiteral(const Expr& expr) {
  if (expr.kind == ExprKind::kNegate) return IsIntegerLiteral(*expr.args[0]);
  return expr.kind == ExprKind::kNumber &&
         expr.text.find_first_not_of("0123456789") == std::string::npos;
}

const Expr& StripParens(const Expr& expr) {
  return expr.kind == ExprKind::kParen ? StripParens(*expr.args[0]) : expr;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : ", ") + part;
  return out;
}

}  // namespace

std::string Emitter::Dec(const Expr& expr) {
  bool rounded = (expr.kind == ExprKind::kFunction && expr.text == "SUM") ||
                 ((expr.kind == ExprKind::kCast || expr.kind == ExprKind::kConvert) &&
                  IsDecimalType(expr.type));
  std::string text = Expression(expr);
  return rounded ? text : "dec(" + text + ")";
}

std::string Emitter::Compare(const Expr& compare) {
  const Expr& lhs = *compare.args[0];
  const Expr& rhs = *compare.args[1];
  if (NeedsRounding(lhs) || NeedsRounding(rhs)) {
    return Dec(lhs) + " " + compare.text + " " + Dec(rhs);
  }
  return Expression(lhs) + " " + compare.text + " " + Expression(rhs);
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
      return expr.text;
    case ExprKind::kString:
      return Literal(expr.text);
    case ExprKind::kNull:
      return "NULL";
    case ExprKind::kParen:
      return "(" + Expression(*expr.args[0]) + ")";
    case ExprKind::kNegate: {
      std::string operand = Expression(*expr.args[0]);
      return operand.starts_with("-") ? "- " + operand : "-" + operand;
    }
    case ExprKind::kArith:
      if (expr.text == "+" || expr.text == "-") RefuseTextArithmetic(expr);
      if (expr.text == "/") {
        return "tsql_div(" + Expression(*expr.args[0]) + ", " + Expression(*expr.args[1]) + ")";
      }
      return Expression(*expr.args[0]) + " " + expr.text + " " + Expression(*expr.args[1]);
    case ExprKind::kCompare:
      return Compare(expr);
    case ExprKind::kAnd:
    case ExprKind::kOr:
      return Expression(*expr.args[0]) + " " + expr.text + " " + Expression(*expr.args[1]);
    case ExprKind::kNot:
      return "NOT " + Expression(*expr.args[0]);
    case ExprKind::kIsNull:
      return Expression(*expr.args[0]) + (expr.negated ? " IS NOT NULL" : " IS NULL");
    case ExprKind::kInList: {
      std::vector<std::string> values;
      for (size_t i = 1; i < expr.args.size(); ++i) values.push_back(Expression(*expr.args[i]));
      return Expression(*expr.args[0]) + (expr.negated ? " NOT IN (" : " IN (") + Join(values) +
             ")";
    }
    case ExprKind::kInSelect:
      return Expression(*expr.args[0]) + (expr.negated ? " NOT IN (" : " IN (") +
             Query(*expr.select) + ")";
    case ExprKind::kExists:
      return "EXISTS (" + Query(*expr.select) + ")";
    case ExprKind::kSubquery:
      return "(" + Query(*expr.select) + ")";
    case ExprKind::kFunction:
      return Function(expr);
    case ExprKind::kCast:
    case ExprKind::kConvert: {
      std::string operand = Expression(*expr.args[0]);
      const SqlType& type = expr.type;
      if (IsDecimalType(type)) {
        return "dec(CAST(" + operand + " AS REAL), " + std::to_string(DecimalScale(type)) + ")";
      }
      if (IsCharacterType(type)) {
        std::string length = std::to_string(type.length >= 0 ? type.length : 30);
        if (expr.kind == ExprKind::kConvert) {
          return "substr(strftime('%Y-%m-%d %H:%M:%S', " + operand + "), 1, " + length + ")";
        }
        return "substr(CAST(" + operand + " AS TEXT), 1, " + length + ")";
      }
      return "CAST(" + operand + " AS " + NativeType(type) + ")";
    }
    case ExprKind::kCase: {
      std::string out = "CASE";
      size_t pairs = expr.args.size() - (expr.has_else ? 1 : 0);
      for (size_t i = 0; i + 1 < pairs; i += 2) {
        out += " WHEN " + Expression(*expr.args[i]) + " THEN " + Expression(*expr.args[i + 1]);
      }
      if (expr.has_else) out += " ELSE " + Expression(*expr.args.back());
      return out + " END";
    }
  }
  return "";
}

bool Emitter::IsRealValued(const Expr& expr) {
  switch (expr.kind) {
    case ExprKind::kColumn:
      return IsRealDeclared(DeclaredType(expr));
    case ExprKind::kParen:
      return IsRealValued(*expr.args[0]);
    case ExprKind::kCast:
    case ExprKind::kConvert:
      return IsDecimalType(expr.type) || IsFloatType(expr.type);
    case ExprKind::kFunction:
      if (expr.text == "SUM" || expr.text == "MAX" || expr.text == "MIN" || expr.text == "AVG" ||
          expr.text == "ABS" || expr.text == "ROUND" || expr.text == "ISNULL") {
        return IsRealValued(*expr.args[0]);
      }
      return false;
    default:
      return false;
  }
}

// The server concatenates when either operand of '+' is text, and counts days on a date; the
// native operators would add or subtract numbers.
void Emitter::RefuseTextArithmetic(const Expr& arithmetic) {
  for (const ExprPtr& arg : arithmetic.args) {
    const Expr& operand = StripParens(*arg);
    if (operand.kind != ExprKind::kColumn) continue;
    std::string declared = Upper(DeclaredType(operand));
    if (declared.find("DATE") != std::string::npos) {
      RaiseUnsupported("date arithmetic", arithmetic.pos);
    }
    bool text =
        declared.find("CHAR") != std::string::npos || declared.find("TEXT") != std::string::npos;
    if (text && arithmetic.text == "+")
      RaiseUnsupported("string concatenation with '+'", arithmetic.pos);
  }
}

std::string Emitter::Function(const Expr& call) {
  const std::string& name = call.text;
  std::vector<std::string> args;
  for (const ExprPtr& arg : call.args) args.push_back(Expression(*arg));
  std::string distinct = call.distinct ? "DISTINCT " : "";
  if (name == "ISNULL") {
    const Expr& fallback = *call.args[1];
    if (IsIntegerLiteral(fallback) && IsRealValued(*call.args[0])) {
      args[1] += ".0";
    }
    return "ifnull(" + Join(args) + ")";
  }
  if (name == "GETDATE") return "getdate()";
  if (name == "LEFT") return "substr(" + args[0] + ", 1, " + args[1] + ")";
  if (name == "LEN") return "length(rtrim(" + args[0] + "))";
  if (name == "SUM") return "dec(sum(" + distinct + args[0] + "))";
  if (name == "AVG" && call.args[0]->kind == ExprKind::kColumn &&
      Upper(DeclaredType(*call.args[0])).find("INT") != std::string::npos) {
    // The server's average of integers is an integer, truncated toward zero.
    return "CAST(avg(" + distinct + args[0] + ") AS INTEGER)";
  }
  return Lower(name) + "(" + distinct + Join(args) + ")";
}

}  // namespace cb::tsql
