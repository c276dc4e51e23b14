// Conversions between calendar dates, ISO text and the platform's day numbers.
#include "platform/variant/date.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace cb {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian), after H. Hinnant's algorithm.
constexpr int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Day 0 of the platform (1899-12-30) counted from 1970-01-01. A constant expression, so that day
// numbers computed while other files initialise their globals are right too.
constexpr int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Reads exactly `count` digits at text[pos].
bool ReadDigits(std::string_view text, size_t pos, size_t count, int& out) {
  if (pos + count > text.size()) return false;
  int value = 0;
  for (size_t i = 0; i < count; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  out = value;
  return true;
}

// Splits a day number into whole days and seconds of the day. Negative day numbers keep the
// platform's meaning: the integer part is the day, the fraction is the time on that day.
void Split(double day_number, int64_t& days, int64_t& seconds) {
  double whole = std::trunc(day_number);
  double fraction = std::fabs(day_number - whole);
  int64_t secs = std::llround(fraction * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    whole += day_number < 0 ? -1 : 1;
  }
  days = static_cast<int64_t>(whole);
  seconds = secs;
}

}  // namespace

double DayNumberFromCivil(int year, int month, int day) {
  return static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffset);
}

double DayNumberFromCivil(int year, int month, int day, int hour, int minute, double second) {
  const double days = DayNumberFromCivil(year, month, day);
  const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return days >= 0 ? days + fraction : days - fraction;
}

CivilDate CivilFromDayNumber(double day_number) {
  int64_t days = 0;
  int64_t seconds = 0;
  Split(day_number, days, seconds);
  return CivilFromDays(days + kEpochOffset);
}

std::optional<double> ParseDate(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int y = 0, m = 0, d = 0;
  if (text.size() < 10 || !ReadDigits(text, 0, 4, y) || text[4] != '-' ||
      !ReadDigits(text, 5, 2, m) || text[7] != '-' || !ReadDigits(text, 8, 2, d)) {
    return std::nullopt;
  }
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return std::nullopt;
  if (text.size() == 10) return DayNumberFromCivil(y, m, d);

  int hh = 0, mi = 0, ss = 0;
  double frac = 0;
  if ((text[10] != ' ' && text[10] != 'T') || !ReadDigits(text, 11, 2, hh) || text.size() < 16 ||
      text[13] != ':' || !ReadDigits(text, 14, 2, mi)) {
    return std::nullopt;
  }
  size_t pos = 16;
  if (pos < text.size()) {
    if (text[pos] != ':' || !ReadDigits(text, pos + 1, 2, ss)) return std::nullopt;
    pos += 3;
    if (pos < text.size()) {
      if (text[pos] != '.') return std::nullopt;
      double scale = 0.1;
      ++pos;
      if (pos == text.size()) return std::nullopt;
      for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') return std::nullopt;
        frac += (c - '0') * scale;
        scale /= 10;
      }
    }
  }
  if (hh > 23 || mi > 59 || ss > 59) return std::nullopt;
  return DayNumberFromCivil(y, m, d, hh, mi, ss + frac);
}

std::string FormatDate(double day_number) {
  const CivilDate c = CivilFromDayNumber(day_number);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.year, c.month, c.day);
  return buffer;
}

std::string FormatDateTime(double day_number) {
  int64_t days = 0;
  int64_t seconds = 0;
  Split(day_number, days, seconds);
  const CivilDate c = CivilFromDays(days + kEpochOffset);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day,
                static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                static_cast<int>(seconds % 60));
  return buffer;
}

std::string FormatDateAuto(double day_number) {
  int64_t days = 0;
  int64_t seconds = 0;
  Split(day_number, days, seconds);
  return seconds == 0 ? FormatDate(day_number) : FormatDateTime(day_number);
}

double Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return DayNumberFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                            local.tm_min, local.tm_sec);
}

}  // namespace cb
