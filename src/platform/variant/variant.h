// Variant: the value type that crosses every interface of the engine, with the platform's rules for
// comparison and conversion.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "platform/variant/decimal.h"
#include "platform/variant/object.h"

namespace cb {

enum class VariantType {
  kEmpty,
  kNull,
  kBool,
  kInt16,
  kInt32,
  kInt64,
  kDouble,
  kString,
  kDate,
  kObject
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool value) : value_(value) {}
  Variant(int16_t value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(int64_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  // A DECIMAL value: its type() is kDouble, so that callers who know only doubles read it as the
  // nearest double, while ToDecimal() and ToString() keep every digit.
  Variant(Decimal value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(std::string_view value) : value_(std::string(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ObjectPtr value) : value_(std::move(value)) {}
  template <typename T>
  requires std::is_base_of_v<Object, T> Variant(std::shared_ptr<T> value)
      : value_(ObjectPtr(std::move(value))) {}

  static Variant Null();
  static Variant Date(double day_number);

  VariantType type() const;
  bool IsEmpty() const { return type() == VariantType::kEmpty; }
  bool IsNull() const { return type() == VariantType::kNull; }
  bool IsNumeric() const;  // bool, integers and double
  bool IsString() const { return type() == VariantType::kString; }
  bool IsDate() const { return type() == VariantType::kDate; }
  bool IsObject() const { return type() == VariantType::kObject; }
  bool IsDecimal() const { return std::holds_alternative<Decimal>(value_); }

  // Conversions raise cb::Error (type mismatch) when the value cannot be converted. Empty converts
  // to 0 or ""; Null raises, as the platform does (read Null through NullToDefault first).
  bool ToBool() const;
  int16_t ToInt16() const;
  int32_t ToInt32() const;  // doubles round half to even, as the platform's CLng does
  int64_t ToInt64() const;
  double ToDouble() const;
  std::string ToString() const;  // numbers without trailing zeros, dates as FormatDateAuto
  // The exact value of a decimal; other numbers and numeric text through Decimal's conversions.
  // Raises (type mismatch or overflow) when the value has no decimal form.
  Decimal ToDecimal() const;
  double ToDate() const;  // dates, day numbers, and 'YYYY-MM-DD[ HH:MM:SS]' text

  ObjectPtr ToObject() const;  // nullptr unless the value holds an object
  template <typename T>
  std::shared_ptr<T> As() const {
    return std::dynamic_pointer_cast<T>(ToObject());
  }

  // Variant comparison: numbers (and dates) compare by value whatever their type (1 equals 1.0),
  // strings exactly, Empty equals 0 and "", Null equals nothing, objects by identity.
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  struct DateValue {
    double day_number;
  };
  std::variant<std::monostate, NullTag, bool, int16_t, int32_t, int64_t, double, std::string,
               DateValue, ObjectPtr, Decimal>
      value_;
};

// Text of a number the way the engine splices numbers into SQL and messages (no exponent for the
// magnitudes it uses, no trailing zeros: 1.5, -2, 0.1).
std::string FormatNumber(double value);

}  // namespace cb
