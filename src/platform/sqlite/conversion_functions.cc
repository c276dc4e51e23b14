// Bodies and registration of tsql_int (text to integer, integer ranges), tsql_single and the
// column write conversions.
#include "platform/sqlite/conversion_functions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/sqlite/decimal_functions.h"
#include "platform/tsql/stored_datetime.h"
#include "platform/tsql/value_type.h"

namespace cb::sqlite {
namespace {

constexpr int kNativeConversionFailed = 245;
constexpr int kNativeSubqueryRows = 512;
constexpr int kNativeTruncated = 8152;
constexpr int kNativeNoDate = 241;
constexpr int kNativeDateOutOfRange = 242;
constexpr int kNativeOverflow = 8115;
constexpr int kNativeConstantOverflow = 220;
constexpr int kNativeRealOverflow = 232;
constexpr int kNativeTextOverflowSmall = 244;
constexpr int kNativeTextOverflowInt = 248;

void Raise(sqlite3_context* context, db::DbErrorKind kind, int native, const std::string& text) {
  if (auto* fault = static_cast<FunctionFault*>(sqlite3_user_data(context))) {
    *fault = FunctionFault{true, kind, native};
  }
  sqlite3_result_error(context, text.c_str(), -1);
}

const char* IntegerTypeName(int bytes) {
  switch (bytes) {
    case 1:
      return "tinyint";
    case 2:
      return "smallint";
    case 4:
      return "int";
    default:
      return "bigint";
  }
}

bool InRange(int64_t value, int bytes) {
  return value >= tsql::IntegerMin(bytes) && value <= tsql::IntegerMax(bytes);
}

// A number that does not fit: an integer constant names its value, any other integer or decimal
// the expression, a real its value with six decimals.
void RaiseNumberOverflow(sqlite3_context* context, sqlite3_value* value, int bytes, bool literal) {
  std::string type = IntegerTypeName(bytes);
  if (sqlite3_value_type(value) == SQLITE_FLOAT) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%f", sqlite3_value_double(value));
    Raise(context, db::DbErrorKind::kConversion, kNativeRealOverflow,
          "Arithmetic overflow error for type " + type + ", value = " + digits + ".");
  } else if (literal) {
    Raise(context, db::DbErrorKind::kConversion, kNativeConstantOverflow,
          "Arithmetic overflow error for data type " + type +
              ", value = " + std::to_string(sqlite3_value_int64(value)) + ".");
  } else {
    Raise(context, db::DbErrorKind::kConversion, kNativeOverflow,
          "Arithmetic overflow error converting expression to data type " + type + ".");
  }
}

// A number for an integer type of `bytes` bytes: reals truncate toward zero, as the server
// converts them.
void NumberInRange(sqlite3_context* context, sqlite3_value* value, int bytes, bool literal) {
  if (sqlite3_value_type(value) == SQLITE_INTEGER) {
    if (InRange(sqlite3_value_int64(value), bytes)) {
      sqlite3_result_value(context, value);
    } else {
      RaiseNumberOverflow(context, value, bytes, literal);
    }
    return;
  }
  double whole = std::trunc(sqlite3_value_double(value));
  if (whole >= static_cast<double>(tsql::IntegerMin(bytes)) &&
      whole <= static_cast<double>(tsql::IntegerMax(bytes))) {
    sqlite3_result_int64(context, static_cast<int64_t>(whole));
  } else {
    RaiseNumberOverflow(context, value, bytes, literal);
  }
}

// tsql_int(value[, bytes[, literal]]): text read as an integer the way the server reads it, and,
// with `bytes` (1, 2 or 4), a number or text checked against that integer type's range. Without
// `bytes` only text is converted, to a 64-bit integer.
void IntFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  int bytes = argc > 1 ? sqlite3_value_int(argv[1]) : 8;
  int type = sqlite3_value_type(argv[0]);
  if (type != SQLITE_TEXT) {
    if (bytes < 8 && (type == SQLITE_INTEGER || type == SQLITE_FLOAT)) {
      NumberInRange(context, argv[0], bytes, argc > 2 && sqlite3_value_int(argv[2]) != 0);
    } else {
      sqlite3_result_value(context, argv[0]);
    }
    return;
  }
  std::string_view text(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                        static_cast<size_t>(sqlite3_value_bytes(argv[0])));
  std::string_view digits = text;
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t')) {
    digits.remove_prefix(1);
  }
  while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
    digits.remove_suffix(1);
  if (digits.empty()) {
    sqlite3_result_int64(context, 0);
    return;
  }
  if (digits.front() == '+') digits.remove_prefix(1);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  bool whole = end == digits.data() + digits.size();
  bool overflow = whole && (ec == std::errc::result_out_of_range ||
                            (ec == std::errc() && bytes < 8 && !InRange(value, bytes)));
  if (overflow && bytes < 8) {
    // An INT column names itself; the narrower ones by their storage names.
    std::string quoted = "The conversion of the varchar value '" + std::string(text) + "'";
    if (bytes == 4) {
      Raise(context, db::DbErrorKind::kConversion, kNativeTextOverflowInt,
            quoted + " overflowed an int column.");
    } else {
      Raise(context, db::DbErrorKind::kConversion, kNativeTextOverflowSmall,
            quoted + " overflowed an INT" + std::to_string(bytes) +
                " column. Use a larger integer column.");
    }
    return;
  }
  if (ec != std::errc() || !whole) {
    Raise(context, db::DbErrorKind::kConversion, kNativeConversionFailed,
          "Conversion failed when converting the varchar value '" + std::string(text) +
              "' to data type " + IntegerTypeName(bytes) + ".");
    return;
  }
  sqlite3_result_int64(context, value);
}

std::string_view TextOf(sqlite3_value* value) {
  return std::string_view(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                          static_cast<size_t>(sqlite3_value_bytes(value)));
}

// Characters, not bytes: a UTF-8 continuation byte does not start one.
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

void TextFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
    sqlite3_result_value(context, argv[0]);
    return;
  }
  std::string_view text = TextOf(argv[0]);
  auto limit = static_cast<size_t>(sqlite3_value_int64(argv[1]));
  size_t count = CharacterCount(text);
  if (count < limit && argc == 3) {
    std::string padded(text);
    padded.append(limit - count, ' ');
    sqlite3_result_text(context, padded.data(), static_cast<int>(padded.size()), SQLITE_TRANSIENT);
    return;
  }
  if (count <= limit) {
    sqlite3_result_value(context, argv[0]);
    return;
  }
  // Blanks past the column's length are cut silently; anything else is lost data.
  std::string_view kept = text;
  while (CharacterCount(kept) > limit && !kept.empty() && kept.back() == ' ') kept.remove_suffix(1);
  if (CharacterCount(kept) > limit) {
    Raise(context, db::DbErrorKind::kConversion, kNativeTruncated,
          "String or binary data would be truncated.");
    return;
  }
  sqlite3_result_text(context, kept.data(), static_cast<int>(kept.size()), SQLITE_TRANSIENT);
}

bool SameWord(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void BitFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
      sqlite3_result_null(context);
      return;
    case SQLITE_INTEGER:
      sqlite3_result_int(context, sqlite3_value_int64(argv[0]) != 0);
      return;
    case SQLITE_FLOAT:
      sqlite3_result_int(context, sqlite3_value_double(argv[0]) != 0.0);
      return;
    case SQLITE_TEXT:
      break;
    default:
      sqlite3_result_value(context, argv[0]);
      return;
  }
  std::string_view text = TextOf(argv[0]);
  std::string_view word = Trimmed(text);
  if (SameWord(word, "true")) return sqlite3_result_int(context, 1);
  if (SameWord(word, "false")) return sqlite3_result_int(context, 0);
  if (!word.empty() && (word.front() == '+' || word.front() == '-')) word.remove_prefix(1);
  bool digits = !word.empty();
  bool zero = true;
  for (char c : word) {
    digits = digits && c >= '0' && c <= '9';
    zero = zero && c == '0';
  }
  if (!digits) {
    Raise(context, db::DbErrorKind::kConversion, kNativeConversionFailed,
          "Conversion failed when converting the varchar value '" + std::string(text) +
              "' to data type bit.");
    return;
  }
  sqlite3_result_int(context, zero ? 0 : 1);
}

void RaiseDateFault(sqlite3_context* context, tsql::DateTimeFault fault, bool from_text) {
  switch (fault) {
    case tsql::DateTimeFault::kNotADate:
      Raise(context, db::DbErrorKind::kConversion, kNativeNoDate,
            "Conversion failed when converting date and/or time from character string.");
      return;
    case tsql::DateTimeFault::kOutOfRange:
      if (from_text) {
        Raise(context, db::DbErrorKind::kConversion, kNativeDateOutOfRange,
              "The conversion of a varchar data type to a datetime data type resulted in an "
              "out-of-range value.");
      } else {
        Raise(context, db::DbErrorKind::kConversion, kNativeOverflow,
              "Arithmetic overflow error converting expression to data type datetime.");
      }
      return;
    case tsql::DateTimeFault::kFractionBeforeEpoch:
      Raise(context, db::DbErrorKind::kUnsupported, 0,
            "Unsupported T-SQL construct 'a negative fractional number as datetime'");
      return;
    case tsql::DateTimeFault::kNone:
      return;
  }
}

void DateTimeFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  bool text = sqlite3_value_type(argv[0]) == SQLITE_TEXT;
  tsql::StoredDateTime stored;
  if (text) {
    stored = tsql::DateTimeFromText(TextOf(argv[0]));
  } else if (std::optional<Decimal> days = ValueAsDecimal(argv[0])) {
    stored = tsql::DateTimeFromDays(*days);
  } else {
    stored.fault = tsql::DateTimeFault::kOutOfRange;
  }
  if (stored.fault != tsql::DateTimeFault::kNone) {
    RaiseDateFault(context, stored.fault, text);
    return;
  }
  sqlite3_result_text(context, stored.text.data(), static_cast<int>(stored.text.size()),
                      SQLITE_TRANSIENT);
}

void SingleFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_int64(argv[1]) > 1) {
    Raise(context, db::DbErrorKind::kOther, kNativeSubqueryRows,
          "Subquery returned more than 1 value. This is not permitted when the subquery follows "
          "=, !=, <, <= , >, >= or when the subquery is used as an expression.");
    return;
  }
  sqlite3_result_value(context, argv[0]);
}

}  // namespace

int RegisterConversionFunctions(sqlite3* db, FunctionFault* fault) {
  static constexpr ScalarFunction kScalars[] = {
      {"tsql_int", 1, IntFunction},   {"tsql_int", 2, IntFunction},
      {"tsql_int", 3, IntFunction},   {"tsql_single", 2, SingleFunction},
      {"tsql_text", 2, TextFunction}, {"tsql_text", 3, TextFunction},
      {"tsql_bit", 1, BitFunction},   {"tsql_datetime", 1, DateTimeFunction},
  };
  return RegisterScalarFunctions(db, fault, kScalars);
}

}  // namespace cb::sqlite
