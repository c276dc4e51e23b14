// The accounting calendar: one period per calendar month, replaceable year by year.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installed_schema.h"
#include "platform/variant/date.h"

namespace cb::schema::testing {
namespace {

struct Period {
  int year;
  int period;
  int last_day;
};

class AccountingCalendar : public InstalledSchema {
 protected:
  // Expects period `period` of `year` to run from the 1st to `last_day` of month `period`.
  void ExpectMonth(const Period& p) {
    SCOPED_TRACE(std::to_string(p.year) + "/" + std::to_string(p.period));
    db::RecordsetPtr row = connection().Execute(
        "SELECT FStartDate,FEndDate FROM t_AccountingPeriod WHERE FYear=" + std::to_string(p.year) +
        " AND FPeriod=" + std::to_string(p.period));
    ASSERT_EQ(row->RecordCount(), 1);
    EXPECT_EQ(row->Field("FStartDate").ToDate(), DayNumberFromCivil(p.year, p.period, 1));
    EXPECT_EQ(row->Field("FEndDate").ToDate(), DayNumberFromCivil(p.year, p.period, p.last_day));
  }
  int32_t PeriodsOf(int year) {
    return Count("SELECT COUNT(*) FROM t_AccountingPeriod WHERE FYear=" + std::to_string(year));
  }
};

TEST_F(AccountingCalendar, PeriodsAreCalendarMonthsWithLeapYears) {
  const std::vector<Period> months = {
      {2024, 2, 29}, {2023, 2, 28},  {2000, 2, 29},  {2024, 1, 31},
      {2024, 4, 30}, {2024, 12, 31}, {2099, 12, 31}, {2010, 9, 30},
  };
  for (const Period& month : months) ExpectMonth(month);
  // A fresh schema covers exactly the century from 2000.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccountingPeriod"), 1200);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccountingPeriod WHERE FYear BETWEEN 2000 AND 2099 "
                  "AND FPeriod BETWEEN 1 AND 12"),
            1200);
}

TEST_F(AccountingCalendar, ReinstallingYearsReplacesOnlyThoseYearsAndMayPassTheCentury) {
  connection().Execute(
      "UPDATE t_AccountingPeriod SET FEndDate='2024-01-25' WHERE FYear=2024 AND FPeriod=1\r\n"
      "DELETE FROM t_AccountingPeriod WHERE FYear=2024 AND FPeriod=7\r\n"
      "UPDATE t_AccountingPeriod SET FEndDate='2025-01-25' WHERE FYear=2025 AND FPeriod=1");

  InstallAccountingCalendar(connection(), 2024, 2024);

  ExpectMonth({2024, 1, 31});
  ExpectMonth({2024, 7, 31});
  EXPECT_EQ(PeriodsOf(2024), 12);
  EXPECT_EQ(
      Scalar("SELECT FEndDate FROM t_AccountingPeriod WHERE FYear=2025 AND FPeriod=1").ToDate(),
      DayNumberFromCivil(2025, 1, 25));
  EXPECT_FALSE(connection().InTransaction());

  // 2100 is a common year.
  InstallAccountingCalendar(connection(), 2100, 2101);
  EXPECT_EQ(PeriodsOf(2101), 12);
  ExpectMonth({2100, 2, 28});
}

}  // namespace
}  // namespace cb::schema::testing
