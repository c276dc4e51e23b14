// Whitelist of built-in functions, CAST and CONVERT forms, and the type families they rely on.
#include "platform/tsql/functions.h"

#include <string>
#include <string_view>

#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {
namespace {

struct FunctionShape {
  std::string_view name;
  size_t arguments;
};

constexpr FunctionShape kFunctions[] = {
    {"ISNULL", 2}, {"GETDATE", 0}, {"LEFT", 2},  {"ROUND", 2}, {"SUM", 1},
    {"COUNT", 1},  {"MAX", 1},     {"MIN", 1},   {"AVG", 1},   {"ABS", 1},
    {"UPPER", 1},  {"LOWER", 1},   {"LTRIM", 1}, {"RTRIM", 1}, {"LEN", 1},
};

bool IsAggregate(std::string_view name) {
  return name == "SUM" || name == "COUNT" || name == "MAX" || name == "MIN" || name == "AVG";
}

bool OneOf(const std::string& name, std::initializer_list<std::string_view> names) {
  for (std::string_view candidate : names) {
    if (name == candidate) return true;
  }
  return false;
}

}  // namespace

bool IsIntegerType(const SqlType& type) {
  return OneOf(type.name, {"INT", "SMALLINT", "TINYINT", "BIGINT"});
}
bool IsDecimalType(const SqlType& type) {
  return OneOf(type.name, {"DECIMAL", "NUMERIC", "MONEY"});
}
bool IsFloatType(const SqlType& type) {
  return OneOf(type.name, {"FLOAT", "REAL"});
}
bool IsCharacterType(const SqlType& type) {
  return OneOf(type.name, {"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT"});
}

int DecimalScale(const SqlType& type) {
  if (type.name == "MONEY") return 4;
  return type.scale >= 0 ? type.scale : 0;
}

void CheckFunction(const Expr& call) {
  for (const FunctionShape& shape : kFunctions) {
    if (shape.name != call.text) continue;
    if (call.args.size() != shape.arguments) {
      RaiseInvalid("The " + Lower(call.text) + " function requires " +
                       std::to_string(shape.arguments) + " argument(s)",
                   call.pos);
    }
    if (call.distinct && !IsAggregate(call.text)) RaiseSyntax("DISTINCT", call.pos);
    for (const ExprPtr& arg : call.args) {
      if (arg->kind == ExprKind::kStar && call.text != "COUNT") RaiseSyntax("*", arg->pos);
    }
    if (call.text == "ROUND") {
      const Expr& precision = *call.args[1];
      if (precision.kind == ExprKind::kNegate) {
        RaiseUnsupported("ROUND with a negative precision", precision.pos);
      }
    }
    return;
  }
  RaiseUnsupported(call.text, call.pos);
}

void CheckCast(const Expr& cast) {
  const SqlType& type = cast.type;
  if (IsIntegerType(type) || IsFloatType(type) || IsDecimalType(type)) return;
  if (IsCharacterType(type) && type.name != "TEXT" && type.name != "NTEXT") return;
  RaiseUnsupported("CAST to " + type.name, cast.pos);
}

void CheckConvert(const Expr& convert) {
  const SqlType& type = convert.type;
  if (IsDecimalType(type) && convert.style < 0) return;
  if (IsCharacterType(type) && type.name != "TEXT" && type.name != "NTEXT") {
    if (convert.style == 120) return;
    RaiseUnsupported("CONVERT to " + type.name + " without style 120", convert.pos);
  }
  RaiseUnsupported("CONVERT to " + type.name, convert.pos);
}

}  // namespace cb::tsql
