// Reading DATETIME literals and day counts into the stored form.
#include "platform/tsql/stored_datetime.h"

#include <cstdio>

namespace cb::tsql {
namespace {

constexpr int kTicksPerSecond = 300;
constexpr int64_t kTicksPerDay = int64_t{86400} * kTicksPerSecond;

// Reads `count` digits at `pos`; false when any of them is not a digit.
bool ReadNumber(std::string_view text, size_t pos, size_t count, int& out) {
  if (pos + count > text.size()) return false;
  out = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    out = out * 10 + (text[i] - '0');
  }
  return true;
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

struct Civil {
  int year = 1900, month = 1, day = 1;
};

void NextDay(Civil& date) {
  if (++date.day <= DaysIn(date.year, date.month)) return;
  date.day = 1;
  if (++date.month <= 12) return;
  date.month = 1;
  ++date.year;
}

// Days after 1900-01-01 to a calendar date (days may be negative, back to 1753).
Civil CivilAfterEpoch(int64_t days) {
  // Day counts from 0000-03-01, whose leap days fall at the ends of 400-, 100- and 4-year cycles.
  int64_t z = days + 693901;  // 1900-01-01 is day 693901 of that count
  int64_t era = z / 146097;
  int64_t day_of_era = z - era * 146097;
  int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  int64_t mp = (5 * day_of_year + 2) / 153;
  Civil civil;
  civil.day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  civil.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  civil.year = static_cast<int>(year_of_era + era * 400 + (civil.month <= 2 ? 1 : 0));
  return civil;
}

// The stored form of a date and a tick of its day (0 … kTicksPerDay); the last tick is the next
// day's midnight. Ticks print as whole milliseconds, 1/300 s rounded to the nearest.
StoredDateTime Format(Civil date, int64_t tick) {
  if (tick == kTicksPerDay) {
    NextDay(date);
    tick = 0;
  }
  if (date.year < 1753 || date.year > 9999) return {{}, DateTimeFault::kOutOfRange};
  int64_t seconds = tick / kTicksPerSecond;
  int64_t millis = ((tick % kTicksPerSecond) * 10 + 1) / 3;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", date.year, date.month,
                date.day, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                static_cast<int>(seconds % 60), static_cast<int>(millis));
  return {buffer, DateTimeFault::kNone};
}

}  // namespace

StoredDateTime DateTimeFromText(std::string_view text) {
  const StoredDateTime kNoDate{{}, DateTimeFault::kNotADate};
  text = Trimmed(text);
  Civil date;
  // An empty or blank text is the type's day zero, 1900-01-01 at midnight.
  if (text.empty()) return Format(date, 0);
  size_t pos = 0;
  int packed = 0;
  if (ReadNumber(text, 0, 8, packed) && (text.size() == 8 || text[8] == ' ' || text[8] == 'T')) {
    date = {packed / 10000, packed / 100 % 100, packed % 100};
    pos = 8;
  } else if (ReadNumber(text, 0, 4, date.year) && 10 <= text.size() && text[4] == '-' &&
             ReadNumber(text, 5, 2, date.month) && text[7] == '-' &&
             ReadNumber(text, 8, 2, date.day)) {
    pos = 10;
  } else {
    return kNoDate;
  }
  if (date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > DaysIn(date.year, date.month)) {
    return kNoDate;
  }
  int hour = 0, minute = 0, second = 0, millis = 0;
  if (pos < text.size()) {
    if ((text[pos] != ' ' && text[pos] != 'T') || !ReadNumber(text, pos + 1, 2, hour) ||
        pos + 3 >= text.size() || text[pos + 3] != ':' || !ReadNumber(text, pos + 4, 2, minute)) {
      return kNoDate;
    }
    pos += 6;
    if (pos < text.size()) {
      if (text[pos] != ':' || !ReadNumber(text, pos + 1, 2, second)) return kNoDate;
      pos += 3;
    }
    if (pos < text.size()) {
      size_t digits = text.size() - pos - 1;
      if (text[pos] != '.' || digits < 1 || digits > 3 ||
          !ReadNumber(text, pos + 1, digits, millis)) {
        return kNoDate;
      }
      for (size_t i = digits; i < 3; ++i) millis *= 10;
    }
  }
  if (hour > 23 || minute > 59 || second > 59) return kNoDate;
  if (date.year < 1753) return {{}, DateTimeFault::kOutOfRange};
  // Milliseconds to the nearest tick, half a tick up.
  int64_t tick = (int64_t{hour} * 3600 + minute * 60 + second) * kTicksPerSecond +
                 (int64_t{millis} * 3 + 5) / 10;
  return Format(date, tick);
}

StoredDateTime DateTimeFromDays(const Decimal& days) {
  // Whole days as far as the type reaches: 1753-01-01 is day -53690, 9999-12-31 day 2958463.
  constexpr Int128 kUnitsPerDay = 10000000000;  // 10^Decimal::kScale
  Int128 units = days.units();
  Int128 whole = units / kUnitsPerDay;
  Int128 fraction = units % kUnitsPerDay;
  if (whole < -53690 || whole > 2958463) return {{}, DateTimeFault::kOutOfRange};
  if (fraction < 0) return {{}, DateTimeFault::kFractionBeforeEpoch};
  // The fraction to the nearest tick, half a tick up.
  int64_t tick =
      static_cast<int64_t>((fraction * kTicksPerDay * 2 + kUnitsPerDay) / (kUnitsPerDay * 2));
  return Format(CivilAfterEpoch(static_cast<int64_t>(whole)), tick);
}

}  // namespace cb::tsql
