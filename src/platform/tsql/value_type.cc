// Result types by the server's rules: precedence between families, and decimal precision and scale
// for arithmetic, CASE and comparison.
#include "platform/tsql/value_type.h"

#include <algorithm>
#include <cstdlib>

#include "platform/tsql/functions.h"
#include "platform/tsql/text_case.h"

namespace cb::tsql {
namespace {

constexpr int kMaxPrecision = 38;

bool Contains(const std::string& upper, std::string_view part) {
  return upper.find(part) != std::string::npos;
}

// The (p,s) of a declared type; `precision` and `scale` keep their defaults when not written.
void ReadPrecision(const std::string& upper, int* precision, int* scale) {
  size_t open = upper.find('(');
  if (open == std::string::npos) return;
  *precision = std::atoi(upper.c_str() + open + 1);
  size_t comma = upper.find(',', open);
  *scale = comma == std::string::npos ? 0 : std::atoi(upper.c_str() + comma + 1);
}

// Precision cut to 38 digits the way the server cuts the result of + and -.
ValueType CutAdditive(int precision, int scale, int integer_digits) {
  if (precision > kMaxPrecision) {
    scale = std::max(0, std::min(scale, kMaxPrecision - integer_digits));
    precision = kMaxPrecision;
  }
  return ValueType::Decimal(precision, scale);
}

// … and of * and /: the scale gives way while the integer part needs it, down to 6 decimals.
ValueType CutMultiplicative(int precision, int scale) {
  if (precision > kMaxPrecision) {
    int integer_digits = precision - scale;
    if (integer_digits < 32) {
      scale = std::min(scale, kMaxPrecision - integer_digits);
    } else if (scale > 6) {
      scale = 6;
    }
    precision = kMaxPrecision;
  }
  return ValueType::Decimal(precision, scale);
}

}  // namespace

bool ValueType::IsNumeric() const {
  return family == TypeFamily::kBit || family == TypeFamily::kInt ||
         family == TypeFamily::kBigInt || family == TypeFamily::kDecimal ||
         family == TypeFamily::kFloat;
}

ValueType TypeOfDeclared(std::string_view declared) {
  std::string upper = Upper(declared);
  if (upper.empty()) return ValueType::Of(TypeFamily::kUnknown);
  if (Contains(upper, "DATE")) return ValueType::Of(TypeFamily::kDate);
  if (upper == "BIT") return ValueType::Of(TypeFamily::kBit);
  if (Contains(upper, "BIGINT")) return ValueType::Of(TypeFamily::kBigInt);
  if (Contains(upper, "TINYINT")) return ValueType::Integer(1);
  if (Contains(upper, "SMALLINT")) return ValueType::Integer(2);
  if (Contains(upper, "INT")) return ValueType::Of(TypeFamily::kInt);
  if (Contains(upper, "MONEY")) return ValueType::Decimal(19, 4);
  if (Contains(upper, "DEC") || Contains(upper, "NUMERIC")) {
    int precision = 18;
    int scale = 0;
    ReadPrecision(upper, &precision, &scale);
    return ValueType::Decimal(precision, scale);
  }
  if (Contains(upper, "REAL") || Contains(upper, "FLOA") || Contains(upper, "DOUB")) {
    return ValueType::Of(TypeFamily::kFloat);
  }
  if (Contains(upper, "CHAR") || Contains(upper, "TEXT") || Contains(upper, "CLOB")) {
    ValueType text = ValueType::Of(TypeFamily::kText);
    int unused = 0;
    if (Contains(upper, "CHAR")) ReadPrecision(upper, &text.length, &unused);
    if (text.length <= 0) text.length = -1;  // VARCHAR(MAX) and no length at all
    text.fixed = text.length > 0 && (upper.starts_with("CHAR") || upper.starts_with("NCHAR"));
    return text;
  }
  return ValueType::Of(TypeFamily::kUnknown);
}

ValueType TypeOfSql(const SqlType& type) {
  if (type.name == "BIGINT") return ValueType::Of(TypeFamily::kBigInt);
  if (type.name == "TINYINT") return ValueType::Integer(1);
  if (type.name == "SMALLINT") return ValueType::Integer(2);
  if (IsIntegerType(type)) return ValueType::Of(TypeFamily::kInt);
  if (type.name == "BIT") return ValueType::Of(TypeFamily::kBit);
  if (type.name == "MONEY") return ValueType::Decimal(19, 4);
  if (IsDecimalType(type)) {
    return ValueType::Decimal(type.length >= 0 ? type.length : 18, DecimalScale(type));
  }
  if (IsFloatType(type)) return ValueType::Of(TypeFamily::kFloat);
  if (IsCharacterType(type)) return ValueType::Of(TypeFamily::kText);
  if (type.name == "DATETIME" || type.name == "SMALLDATETIME" || type.name == "DATE") {
    return ValueType::Of(TypeFamily::kDate);
  }
  return ValueType::Of(TypeFamily::kUnknown);
}

ValueType TypeOfNumber(std::string_view text) {
  if (text.find_first_of("eE") != std::string_view::npos) return ValueType::Of(TypeFamily::kFloat);
  size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  if (whole == "0") whole = {};
  int integer_digits = static_cast<int>(whole.size());
  if (point == std::string_view::npos) {
    if (integer_digits < 10 || (integer_digits == 10 && whole <= "2147483647")) {
      return ValueType::Of(TypeFamily::kInt);
    }
    return ValueType::Decimal(std::min(integer_digits, kMaxPrecision), 0);
  }
  int scale = static_cast<int>(text.size() - point - 1);
  return ValueType::Decimal(std::min(std::max(1, integer_digits + scale), kMaxPrecision), scale);
}

int64_t IntegerMin(int bytes) {
  return bytes == 1 ? 0 : -(int64_t{1} << (8 * bytes - 1));
}

int64_t IntegerMax(int bytes) {
  return bytes == 1 ? 255 : (int64_t{1} << (8 * bytes - 1)) - 1;
}

ValueType AsDecimal(ValueType type) {
  switch (type.family) {
    case TypeFamily::kBit:
      return ValueType::Decimal(1, 0);
    case TypeFamily::kInt:
    case TypeFamily::kNull:
      return ValueType::Decimal(10, 0);
    case TypeFamily::kBigInt:
      return ValueType::Decimal(19, 0);
    default:
      return type;
  }
}

ValueType ArithmeticType(char op, ValueType a, ValueType b) {
  if (a.Is(TypeFamily::kNull)) a = b.Is(TypeFamily::kNull) ? ValueType::Of(TypeFamily::kInt) : b;
  if (b.Is(TypeFamily::kNull)) b = a;
  if (a.Is(TypeFamily::kUnknown) || b.Is(TypeFamily::kUnknown))
    return a.Is(TypeFamily::kUnknown) ? a : b;
  // Text converts to the other operand's type; two texts concatenate (the caller refuses that).
  if (a.Is(TypeFamily::kText) && b.Is(TypeFamily::kText)) {
    return op == '+' ? a : ValueType::Of(TypeFamily::kUnknown);
  }
  if (a.Is(TypeFamily::kText)) a = b;
  if (b.Is(TypeFamily::kText)) b = a;
  if (a.Is(TypeFamily::kDate) || b.Is(TypeFamily::kDate)) {
    return op == '+' || op == '-' ? ValueType::Of(TypeFamily::kDate)
                                  : ValueType::Of(TypeFamily::kUnknown);
  }
  if (a.Is(TypeFamily::kFloat) || b.Is(TypeFamily::kFloat))
    return ValueType::Of(TypeFamily::kFloat);
  if (a.Is(TypeFamily::kDecimal) || b.Is(TypeFamily::kDecimal)) {
    ValueType x = AsDecimal(a);
    ValueType y = AsDecimal(b);
    int p1 = x.precision, s1 = x.scale, p2 = y.precision, s2 = y.scale;
    switch (op) {
      case '+':
      case '-': {
        int integer_digits = std::max(p1 - s1, p2 - s2);
        int scale = std::max(s1, s2);
        return CutAdditive(integer_digits + scale + 1, scale, integer_digits);
      }
      case '*':
        return CutMultiplicative(p1 + p2 + 1, s1 + s2);
      case '/': {
        int scale = std::max(6, s1 + p2 + 1);
        return CutMultiplicative(p1 - s1 + s2 + scale, scale);
      }
      default:
        return ValueType::Of(TypeFamily::kUnknown);
    }
  }
  if (a.Is(TypeFamily::kBigInt) || b.Is(TypeFamily::kBigInt))
    return ValueType::Of(TypeFamily::kBigInt);
  return ValueType::Of(TypeFamily::kInt);
}

ValueType CommonType(ValueType a, ValueType b) {
  if (a.Is(TypeFamily::kNull)) return b;
  if (b.Is(TypeFamily::kNull)) return a;
  if (a.Is(TypeFamily::kUnknown) || b.Is(TypeFamily::kUnknown))
    return ValueType::Of(TypeFamily::kUnknown);
  if (a.Is(TypeFamily::kDecimal) || b.Is(TypeFamily::kDecimal)) {
    if (a.family > TypeFamily::kDecimal || b.family > TypeFamily::kDecimal) {
      return a.family > b.family ? a : b;
    }
    if (a.Is(TypeFamily::kText) || b.Is(TypeFamily::kText)) return a.Is(TypeFamily::kText) ? b : a;
    ValueType x = AsDecimal(a);
    ValueType y = AsDecimal(b);
    int scale = std::max(x.scale, y.scale);
    int integer_digits = std::max(x.precision - x.scale, y.precision - y.scale);
    return CutAdditive(integer_digits + scale, scale, integer_digits);
  }
  // Of two integer types the wider holds both.
  if (a.Is(TypeFamily::kInt) && b.Is(TypeFamily::kInt)) return a.bytes >= b.bytes ? a : b;
  return a.family >= b.family ? a : b;
}

std::string NativeDeclared(ValueType type) {
  switch (type.family) {
    case TypeFamily::kBit:
      return "BIT";
    case TypeFamily::kInt:
      return type.bytes == 1 ? "TINYINT" : type.bytes == 2 ? "SMALLINT" : "INT";
    case TypeFamily::kBigInt:
      return "BIGINT";
    case TypeFamily::kDecimal:
      return "DECIMAL_REAL(" + std::to_string(type.precision) + "," + std::to_string(type.scale) +
             ")";
    case TypeFamily::kFloat:
      return "REAL";
    case TypeFamily::kText:
      return "VARCHAR(8000)";
    case TypeFamily::kDate:
      return "DATETIME_TEXT";
    case TypeFamily::kUnknown:
    case TypeFamily::kNull:
      break;
  }
  return "";
}

std::string TypeName(ValueType type) {
  switch (type.family) {
    case TypeFamily::kDecimal:
      return "decimal(" + std::to_string(type.precision) + "," + std::to_string(type.scale) + ")";
    case TypeFamily::kText:
      return "varchar";
    case TypeFamily::kDate:
      return "datetime";
    case TypeFamily::kFloat:
      return "float";
    case TypeFamily::kNull:
      return "null";
    case TypeFamily::kUnknown:
      return "unknown";
    default:
      return Lower(NativeDeclared(type));
  }
}

}  // namespace cb::tsql
