// Day numbers, ISO text and their round trips.
#include "platform/variant/date.h"

#include <gtest/gtest.h>

namespace cb {
namespace {

TEST(DayNumber, KeepsThePlatformsEpochAndRoundTripsThroughCivilDates) {
  EXPECT_EQ(DayNumberFromCivil(1899, 12, 30), 0.0);
  EXPECT_EQ(DayNumberFromCivil(1900, 1, 1), 2.0);
  EXPECT_EQ(DayNumberFromCivil(2000, 1, 1), 36526.0);
  EXPECT_EQ(DayNumberFromCivil(1899, 12, 29), -1.0);
  for (double day = -1000; day < 80000; day += 37) {
    const CivilDate c = CivilFromDayNumber(day);
    EXPECT_EQ(DayNumberFromCivil(c.year, c.month, c.day), day);
  }
}

TEST(ParseDate, ReadsDatesAndDateTimes) {
  EXPECT_EQ(ParseDate("2024-02-29"), DayNumberFromCivil(2024, 2, 29));
  EXPECT_EQ(ParseDate("2024-03-07 12:00:00"), DayNumberFromCivil(2024, 3, 7) + 0.5);
  EXPECT_EQ(ParseDate("2024-03-07T06:00"), DayNumberFromCivil(2024, 3, 7) + 0.25);
  EXPECT_NEAR(*ParseDate("2024-03-07 00:00:01.500"), DayNumberFromCivil(2024, 3, 7) + 1.5 / 86400,
              1e-9);
}

TEST(ParseDate, RefusesWhatIsNotADay) {
  for (const char* text :
       {"", "2023-02-29", "2024-13-01", "2024-00-10", "2024-1-5", "24-01-05", "2024-01-05 25:00",
        "2024-01-05 10:00:00.", "2024-01-05x", "2024-01-05 10:61"}) {
    EXPECT_FALSE(ParseDate(text).has_value()) << text;
  }
}

TEST(FormatDate, PrintsIsoText) {
  const double day = DayNumberFromCivil(2024, 3, 7);
  EXPECT_EQ(FormatDate(day), "2024-03-07");
  EXPECT_EQ(FormatDateTime(day + 0.75), "2024-03-07 18:00:00");
  EXPECT_EQ(FormatDateAuto(day), "2024-03-07");
  EXPECT_EQ(FormatDateAuto(day + 0.75), "2024-03-07 18:00:00");
  EXPECT_EQ(FormatDate(0), "1899-12-30");
}

}  // namespace
}  // namespace cb
