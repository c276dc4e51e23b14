// Variant conversions and comparison, following the platform's rules for mixed types.
#include "platform/variant/variant.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb {
namespace {

constexpr const char* kSource = "Variant";

[[noreturn]] void RaiseTypeMismatch() {
  throw Error(kErrTypeMismatch, kSource, "Type mismatch");
}
[[noreturn]] void RaiseNull() {
  throw Error(kErrInvalidUseOfNull, kSource, "Invalid use of Null");
}
[[noreturn]] void RaiseOverflow() {
  throw Error(kErrOverflow, kSource, "Overflow");
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Numeric text as the platform reads it: blanks around, optional sign, digits, point, exponent.
double ParseNumber(std::string_view text) {
  const std::string trimmed(Trim(text));
  if (trimmed.empty()) RaiseTypeMismatch();
  if (EqualsIgnoreCase(trimmed, "true")) return -1;
  if (EqualsIgnoreCase(trimmed, "false")) return 0;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE || !std::isfinite(value)) {
    RaiseTypeMismatch();
  }
  // strtod also reads hexadecimal and "inf"/"nan"; the platform does not.
  for (char c : trimmed) {
    if (c == 'x' || c == 'X' || c == 'n' || c == 'N' || c == 'i' || c == 'I') RaiseTypeMismatch();
  }
  return value;
}

// Rounds half to even, as the platform does when it turns a double into an integer.
double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return floor + 1;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int64_t DoubleToInt64(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0)) RaiseOverflow();
  return static_cast<int64_t>(rounded);
}

template <typename T>
T Narrow(int64_t value) {
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
    RaiseOverflow();
  }
  return static_cast<T>(value);
}

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.value_ = NullTag{};
  return v;
}

Variant Variant::Date(double day_number) {
  Variant v;
  v.value_ = DateValue{day_number};
  return v;
}

VariantType Variant::type() const {
  static constexpr VariantType kTypes[] = {
      VariantType::kEmpty, VariantType::kNull,   VariantType::kBool,   VariantType::kInt16,
      VariantType::kInt32, VariantType::kInt64,  VariantType::kDouble, VariantType::kString,
      VariantType::kDate,  VariantType::kObject, VariantType::kDouble};
  return kTypes[value_.index()];
}

bool Variant::IsNumeric() const {
  switch (type()) {
    case VariantType::kBool:
    case VariantType::kInt16:
    case VariantType::kInt32:
    case VariantType::kInt64:
    case VariantType::kDouble:
      return true;
    default:
      return false;
  }
}

bool Variant::ToBool() const {
  switch (type()) {
    case VariantType::kEmpty:
      return false;
    case VariantType::kNull:
      RaiseNull();
    case VariantType::kBool:
      return std::get<bool>(value_);
    case VariantType::kString:
      return ParseNumber(std::get<std::string>(value_)) != 0;
    case VariantType::kObject:
      RaiseTypeMismatch();
    default:
      return ToDouble() != 0;
  }
}

int64_t Variant::ToInt64() const {
  switch (type()) {
    case VariantType::kEmpty:
      return 0;
    case VariantType::kNull:
      RaiseNull();
    case VariantType::kBool:
      return std::get<bool>(value_) ? -1 : 0;
    case VariantType::kInt16:
      return std::get<int16_t>(value_);
    case VariantType::kInt32:
      return std::get<int32_t>(value_);
    case VariantType::kInt64:
      return std::get<int64_t>(value_);
    case VariantType::kDouble:
      if (IsDecimal()) return DoubleToInt64(std::get<Decimal>(value_).ToDouble());
      return DoubleToInt64(std::get<double>(value_));
    case VariantType::kString:
      return DoubleToInt64(ParseNumber(std::get<std::string>(value_)));
    case VariantType::kDate:
      return DoubleToInt64(std::get<DateValue>(value_).day_number);
    case VariantType::kObject:
      break;
  }
  RaiseTypeMismatch();
}

int32_t Variant::ToInt32() const {
  return Narrow<int32_t>(ToInt64());
}
int16_t Variant::ToInt16() const {
  return Narrow<int16_t>(ToInt64());
}

double Variant::ToDouble() const {
  switch (type()) {
    case VariantType::kEmpty:
      return 0;
    case VariantType::kNull:
      RaiseNull();
    case VariantType::kBool:
      return std::get<bool>(value_) ? -1 : 0;
    case VariantType::kInt16:
      return std::get<int16_t>(value_);
    case VariantType::kInt32:
      return std::get<int32_t>(value_);
    case VariantType::kInt64:
      return static_cast<double>(std::get<int64_t>(value_));
    case VariantType::kDouble:
      if (IsDecimal()) return std::get<Decimal>(value_).ToDouble();
      return std::get<double>(value_);
    case VariantType::kString:
      return ParseNumber(std::get<std::string>(value_));
    case VariantType::kDate:
      return std::get<DateValue>(value_).day_number;
    case VariantType::kObject:
      break;
  }
  RaiseTypeMismatch();
}

std::string Variant::ToString() const {
  switch (type()) {
    case VariantType::kEmpty:
      return {};
    case VariantType::kNull:
      RaiseNull();
    case VariantType::kBool:
      return std::get<bool>(value_) ? "True" : "False";
    case VariantType::kInt16:
    case VariantType::kInt32:
    case VariantType::kInt64:
      return std::to_string(ToInt64());
    case VariantType::kDouble:
      if (IsDecimal()) return std::get<Decimal>(value_).ToString();
      return FormatNumber(std::get<double>(value_));
    case VariantType::kString:
      return std::get<std::string>(value_);
    case VariantType::kDate:
      return FormatDateAuto(std::get<DateValue>(value_).day_number);
    case VariantType::kObject:
      break;
  }
  RaiseTypeMismatch();
}

double Variant::ToDate() const {
  switch (type()) {
    case VariantType::kDate:
      return std::get<DateValue>(value_).day_number;
    case VariantType::kString: {
      const std::optional<double> parsed = ParseDate(std::get<std::string>(value_));
      if (!parsed) RaiseTypeMismatch();
      return *parsed;
    }
    case VariantType::kNull:
      RaiseNull();
    case VariantType::kObject:
      RaiseTypeMismatch();
    default:
      return ToDouble();
  }
}

Decimal Variant::ToDecimal() const {
  if (IsDecimal()) return std::get<Decimal>(value_);
  std::optional<Decimal> value;
  switch (type()) {
    case VariantType::kDouble:
      value = Decimal::FromDouble(std::get<double>(value_));
      break;
    case VariantType::kString:
      value = Decimal::Parse(std::get<std::string>(value_));
      if (!value) RaiseTypeMismatch();
      break;
    case VariantType::kNull:
      RaiseNull();
    case VariantType::kObject:
      RaiseTypeMismatch();
    default:
      value = Decimal::FromInt(ToInt64());
      break;
  }
  if (!value) RaiseOverflow();
  return *value;
}

ObjectPtr Variant::ToObject() const {
  if (const ObjectPtr* object = std::get_if<ObjectPtr>(&value_)) return *object;
  return nullptr;
}

bool operator==(const Variant& a, const Variant& b) {
  const VariantType ta = a.type();
  const VariantType tb = b.type();
  if (ta == VariantType::kNull || tb == VariantType::kNull) return false;
  if (ta == VariantType::kObject || tb == VariantType::kObject) {
    return ta == tb && a.ToObject() == b.ToObject();
  }
  if (ta == VariantType::kEmpty && tb == VariantType::kEmpty) return true;
  const bool a_text = ta == VariantType::kString;
  const bool b_text = tb == VariantType::kString;
  if (a_text && b_text) return std::get<std::string>(a.value_) == std::get<std::string>(b.value_);
  if (a_text || b_text) {
    // A string equals Empty when it is empty; a string is never equal to a number or date.
    const VariantType other = a_text ? tb : ta;
    const std::string& text = std::get<std::string>(a_text ? a.value_ : b.value_);
    return other == VariantType::kEmpty && text.empty();
  }
  // Both numeric, date or Empty. Integers compare exactly; anything with a double by value.
  const auto is_integer = [](VariantType t) {
    return t == VariantType::kInt16 || t == VariantType::kInt32 || t == VariantType::kInt64 ||
           t == VariantType::kBool || t == VariantType::kEmpty;
  };
  if (is_integer(ta) && is_integer(tb)) return a.ToInt64() == b.ToInt64();
  if (a.IsDecimal() && b.IsDecimal()) return a.ToDecimal() == b.ToDecimal();
  return a.ToDouble() == b.ToDouble();
}

std::string FormatNumber(double value) {
  if (value == 0) return "0";
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    return std::to_string(static_cast<int64_t>(value));
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text(buffer);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace cb
