// Raw value to declared T-SQL type, as assignments to variables need it.
#include "platform/tsql/interpreter_conversion.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/db/database_error.h"
#include "platform/tsql/stored_datetime.h"
#include "platform/tsql/value_type.h"

namespace cb::tsql {
namespace {

enum class TypeClass { kInteger, kBit, kDecimal, kFloat, kText, kDate, kUnknown };

struct IntegerRange {
  int64_t min;
  int64_t max;
};

TypeClass Classify(const std::string& name) {
  if (name == "INT" || name == "INTEGER" || name == "SMALLINT" || name == "TINYINT" ||
      name == "BIGINT") {
    return TypeClass::kInteger;
  }
  if (name == "BIT") return TypeClass::kBit;
  if (name == "DECIMAL" || name == "NUMERIC" || name == "MONEY") return TypeClass::kDecimal;
  if (name == "FLOAT" || name == "REAL") return TypeClass::kFloat;
  if (name == "CHAR" || name == "VARCHAR" || name == "NCHAR" || name == "NVARCHAR") {
    return TypeClass::kText;
  }
  if (name == "DATETIME" || name == "SMALLDATETIME") return TypeClass::kDate;
  return TypeClass::kUnknown;
}

IntegerRange RangeOf(const SqlType& type) {
  if (type.name == "BIGINT") {
    return {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()};
  }
  int bytes = TypeOfSql(type).bytes;
  return {IntegerMin(bytes), IntegerMax(bytes)};
}

std::string LowerName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

[[noreturn]] void Fail(db::DbErrorKind kind, int native, std::string description) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.kind = kind;
  error.native_error = native;
  error.source = "T-SQL";
  error.description = std::move(description);
  throw db::DatabaseException(std::move(error));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<int64_t> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

Variant ToInteger(const Variant& raw, const SqlType& type) {
  int64_t value = 0;
  if (raw.IsString()) {
    auto parsed = ParseInteger(raw.ToString());
    if (!parsed) {
      Fail(db::DbErrorKind::kConversion, 245,
           "Conversion failed when converting the varchar value '" + raw.ToString() +
               "' to data type " + LowerName(type.name) + ".");
    }
    value = *parsed;
  } else if (raw.IsDecimal()) {
    std::optional<int64_t> whole = raw.ToDecimal().TruncatedInt();
    if (!whole) {
      Fail(db::DbErrorKind::kConversion, 8115,
           "Arithmetic overflow error converting expression to data type " + LowerName(type.name) +
               ".");
    }
    value = *whole;
  } else if (raw.type() == VariantType::kDouble) {
    double real = std::trunc(raw.ToDouble());
    if (!(real >= -9.2233720368547758e18 && real < 9.2233720368547758e18)) {
      Fail(db::DbErrorKind::kConversion, 8115,
           "Arithmetic overflow error converting expression to data type " + LowerName(type.name) +
               ".");
    }
    value = static_cast<int64_t>(real);
  } else {
    value = raw.ToInt64();
  }
  IntegerRange range = RangeOf(type);
  if (value < range.min || value > range.max) {
    Fail(db::DbErrorKind::kConversion, 8115,
         "Arithmetic overflow error converting expression to data type " + LowerName(type.name) +
             ".");
  }
  return Variant(value);
}

double ToReal(const Variant& raw, int native, const char* type_text) {
  if (!raw.IsString()) return raw.ToDouble();
  auto parsed = ParseReal(raw.ToString());
  if (!parsed) {
    Fail(db::DbErrorKind::kConversion, native,
         std::string("Error converting data type varchar to ") + type_text + ".");
  }
  return *parsed;
}

Variant ToDecimal(const Variant& raw, const SqlType& type) {
  std::optional<Decimal> value;
  if (raw.IsString()) {
    value = Decimal::Parse(raw.ToString());
    if (!value) {
      Fail(db::DbErrorKind::kConversion, 8114, "Error converting data type varchar to numeric.");
    }
  } else if (raw.IsDecimal()) {
    value = raw.ToDecimal();
  } else if (raw.type() == VariantType::kDouble) {
    value = Decimal::FromDouble(raw.ToDouble());
  } else {
    value = Decimal::FromInt(raw.ToInt64());
  }
  int precision = type.name == "MONEY" ? 19 : (type.length >= 0 ? type.length : 18);
  int scale = type.scale >= 0 ? type.scale : (type.name == "MONEY" ? 4 : 0);
  if (value) value = value->Rounded(scale);
  if (!value || !value->FitsIntegerDigits(precision, scale)) {
    Fail(db::DbErrorKind::kConversion, 8115,
         "Arithmetic overflow error converting numeric to data type numeric.");
  }
  return Variant(*value);
}

Variant ToText(const Variant& raw, const SqlType& type) {
  std::string text = raw.ToString();
  size_t length = type.length > 0 ? static_cast<size_t>(type.length) : 1;
  if (text.size() > length) text.resize(length);
  if (type.name == "CHAR" || type.name == "NCHAR") text.resize(length, ' ');
  return Variant(std::move(text));
}

Variant ToDateText(const Variant& raw) {
  StoredDateTime stored;
  if (raw.IsString()) {
    stored = DateTimeFromText(raw.ToString());
  } else if (std::optional<Decimal> days = raw.IsDecimal() ? std::optional(raw.ToDecimal())
                                           : raw.type() == VariantType::kDouble
                                               ? Decimal::FromDouble(raw.ToDouble())
                                               : std::optional(Decimal::FromInt(raw.ToInt64()))) {
    stored = DateTimeFromDays(*days);
  } else {
    stored.fault = DateTimeFault::kOutOfRange;
  }
  switch (stored.fault) {
    case DateTimeFault::kNone:
      return Variant(std::move(stored.text));
    case DateTimeFault::kNotADate:
      Fail(db::DbErrorKind::kConversion, 241,
           "Conversion failed when converting date and/or time from character string.");
    case DateTimeFault::kOutOfRange:
      if (raw.IsString()) {
        Fail(db::DbErrorKind::kConversion, 242,
             "The conversion of a varchar data type to a datetime data type resulted in an "
             "out-of-range value.");
      }
      Fail(db::DbErrorKind::kConversion, 8115,
           "Arithmetic overflow error converting expression to data type datetime.");
    case DateTimeFault::kFractionBeforeEpoch:
      break;
  }
  Fail(db::DbErrorKind::kUnsupported, 0,
       "Unsupported T-SQL construct 'a negative fractional number as datetime'");
}

}  // namespace

Variant ConvertToSqlType(const Variant& raw, const SqlType& type) {
  if (raw.IsNull() || raw.IsEmpty()) return Variant::Null();
  switch (Classify(type.name)) {
    case TypeClass::kInteger:
      return ToInteger(raw, type);
    case TypeClass::kBit:
      if (raw.IsString()) {
        // TRUE and FALSE in any case, as a write to a bit column reads them.
        std::string word = LowerName(std::string(Trim(raw.ToString())));
        if (word == "true") return Variant(int64_t{1});
        if (word == "false") return Variant(int64_t{0});
      }
      return Variant(int64_t{ToReal(raw, 245, "bit") != 0.0 ? 1 : 0});
    case TypeClass::kDecimal:
      return ToDecimal(raw, type);
    case TypeClass::kFloat:
      return Variant(ToReal(raw, 8114, "float"));
    case TypeClass::kText:
      return ToText(raw, type);
    case TypeClass::kDate:
      return ToDateText(raw);
    case TypeClass::kUnknown:
      break;
  }
  Fail(db::DbErrorKind::kUnsupported, 2715,
       "Column, parameter, or variable: cannot find data type " + type.name + ".");
}

}  // namespace cb::tsql
