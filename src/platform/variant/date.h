// Dates as the platform's day numbers: day 0 is 1899-12-30, the fraction is the time of day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cb {

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

// Day number of a calendar date (time 00:00).
double DayNumberFromCivil(int year, int month, int day);
// Day number of a date and a time of day.
double DayNumberFromCivil(int year, int month, int day, int hour, int minute, double second);
// Calendar date of a day number (the time of day is dropped).
CivilDate CivilFromDayNumber(double day_number);

// Reads 'YYYY-MM-DD', 'YYYY-MM-DD HH:MM[:SS[.fff]]' or 'YYYY-MM-DDTHH:MM:SS'; nullopt when the text
// is not such a date or names a day that does not exist.
std::optional<double> ParseDate(std::string_view text);

// 'YYYY-MM-DD'.
std::string FormatDate(double day_number);
// 'YYYY-MM-DD HH:MM:SS'; date-only values also print their 00:00:00.
std::string FormatDateTime(double day_number);
// 'YYYY-MM-DD' when the value has no time of day, otherwise 'YYYY-MM-DD HH:MM:SS'.
std::string FormatDateAuto(double day_number);

// The local date and time now as a day number.
double Now();

}  // namespace cb
