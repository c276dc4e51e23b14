// The one stored form of a DATETIME value, 'YYYY-MM-DD HH:MM:SS.mmm', from the server's literal
// forms and from day counts, with the server's 1/300-second clock.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/variant/decimal.h"

namespace cb::tsql {

enum class DateTimeFault { kNone, kNotADate, kOutOfRange, kFractionBeforeEpoch };

struct StoredDateTime {
  std::string text;  // the stored form when `fault` is kNone
  DateTimeFault fault = DateTimeFault::kNone;
};

// Reads 'YYYYMMDD' or 'YYYY-MM-DD', optionally followed by ' HH:MM', ':SS' and '.m' to '.mmm'
// (blanks around are ignored); an empty or blank text is 1900-01-01. The milliseconds land on the
// clock's ticks, shown as .xx0, .xx3 or .xx7; .999 carries into the next second, and so on up to
// the year. kNotADate for any other text or a day that does not exist; kOutOfRange outside
// 1753-01-01 … 9999-12-31.
StoredDateTime DateTimeFromText(std::string_view text);

// A number as a DATETIME: whole days after 1900-01-01, the fraction the time of day rounded to the
// clock's ticks. kOutOfRange outside the type's range; kFractionBeforeEpoch for a negative number
// with a fraction, whose time of day this layer does not claim to know.
StoredDateTime DateTimeFromDays(const Decimal& days);

}  // namespace cb::tsql
