// Fills the accounting calendar with one period per calendar month.
#include <cstdio>
#include <string>

#include "platform/variant/error.h"
#include "schema/install_transaction.h"
#include "schema/suite_schema.h"

namespace cb::schema {
namespace {

constexpr int kMinYear = 1900;
constexpr int kMaxYear = 9999;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int LastDayOfMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::string IsoDay(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  return text;
}

// One batch of twelve INSERT statements, one per month of the year.
std::string YearBatch(int year) {
  std::string batch;
  for (int month = 1; month <= 12; ++month) {
    batch += "INSERT INTO t_AccountingPeriod (FYear, FPeriod, FStartDate, FEndDate) VALUES (" +
             std::to_string(year) + ", " + std::to_string(month) + ", '" + IsoDay(year, month, 1) +
             "', '" + IsoDay(year, month, LastDayOfMonth(year, month)) + "')\r\n";
  }
  return batch;
}

}  // namespace

void InstallAccountingCalendar(db::Connection& connection, int first_year, int last_year) {
  if (first_year < kMinYear || first_year > last_year || last_year > kMaxYear) {
    throw Error(kErrInvalidArgument, "cb.schema",
                "Accounting calendar years must satisfy " + std::to_string(kMinYear) +
                    " <= first <= last <= " + std::to_string(kMaxYear) + "; got " +
                    std::to_string(first_year) + ".." + std::to_string(last_year) + ".");
  }
  InstallTransaction transaction(connection);
  connection.Execute("DELETE FROM t_AccountingPeriod WHERE FYear >= " + std::to_string(first_year) +
                     " AND FYear <= " + std::to_string(last_year));
  for (int year = first_year; year <= last_year; ++year) connection.Execute(YearBatch(year));
  transaction.Commit();
}

}  // namespace cb::schema
