// The server's type of a value and its rules for the result types of operators, CASE and
// comparisons: the type pass every emitted expression goes through.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/tsql/batch.h"

namespace cb::tsql {

// In the server's order of precedence, lowest first: when two types meet, the higher one wins.
enum class TypeFamily { kUnknown, kNull, kText, kBit, kInt, kBigInt, kDecimal, kFloat, kDate };

struct ValueType {
  TypeFamily family = TypeFamily::kUnknown;
  int precision = 0;   // kDecimal only
  int scale = 0;       // kDecimal only
  int length = -1;     // kText of a declared column: its characters at most; -1 when unbounded
  bool fixed = false;  // kText of a CHAR(n) column: stored padded with blanks to `length`
  int bytes = 4;       // kInt only: 1 for TINYINT, 2 for SMALLINT, 4 for INT

  static ValueType Of(TypeFamily family) { return ValueType{family, 0, 0, -1}; }
  static ValueType Decimal(int precision, int scale) {
    return ValueType{TypeFamily::kDecimal, precision, scale, -1};
  }
  static ValueType Integer(int bytes) {
    ValueType type = Of(TypeFamily::kInt);
    type.bytes = bytes;
    return type;
  }
  bool Is(TypeFamily f) const { return family == f; }
  bool IsNumeric() const;  // bit, int, bigint, decimal, float
  // The length limits writes only: texts of any length are the same type to the type pass.
  bool operator==(const ValueType& other) const {
    return family == other.family && precision == other.precision && scale == other.scale;
  }
};

// The type of a column from its declared type: the native names the layer creates
// (DECIMAL_REAL(p,s), DATETIME_TEXT …) and the T-SQL names alike; kUnknown when empty or not
// recognised.
ValueType TypeOfDeclared(std::string_view declared);
// The type a T-SQL type name stands for (DECIMAL without (p,s) is decimal(18,0), MONEY (19,4)).
ValueType TypeOfSql(const SqlType& type);
// A number as written: an integer that fits 32 bits is int, a larger one decimal(n,0), digits with
// a point decimal(p,s), a number with an exponent float.
ValueType TypeOfNumber(std::string_view text);

// The smallest and largest value of an integer type of `bytes` bytes (1 is TINYINT, unsigned).
int64_t IntegerMin(int bytes);
int64_t IntegerMax(int bytes);

// An integer type seen as a decimal: int is decimal(10,0), bigint (19,0), bit (1,0).
ValueType AsDecimal(ValueType type);
// The type of a op b for op one of + - * /, with the decimal precision and scale rules and their
// cut to 38 digits; kUnknown when the server would refuse or the layer cannot tell.
ValueType ArithmeticType(char op, ValueType a, ValueType b);
// The type two values are compared in, or that a CASE or UNION gives its branches: the higher of
// the two, with decimals widened to hold both.
ValueType CommonType(ValueType a, ValueType b);

// The native declared type a new column of this type gets ('' for kUnknown and kNull).
std::string NativeDeclared(ValueType type);
// For messages: 'decimal(28,10)', 'int', 'varchar' …
std::string TypeName(ValueType type);

}  // namespace cb::tsql
