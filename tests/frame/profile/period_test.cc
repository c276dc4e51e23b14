// Tests of the accounting-period lookup over the database's GetPeriodStartEnd procedure: the
// profiles it refuses (none, or a period the calendar lacks). The dates of a usable period, and a
// period of 0, are checked by the profile scenarios.
#include "frame/profile/period.h"

#include <gtest/gtest.h>

#include "frame/class_frame.h"
#include "support/suite_database.h"

namespace cb::profile {
namespace {

using ::cb::testing::SuiteDatabase;

using PeriodTest = SuiteDatabase;

TEST_F(PeriodTest, FailsWithoutTouchingTheDatesWhenThePeriodIsUnusable) {
  DictionaryPtr outside_calendar = Dictionary::Create();
  outside_calendar->Write("IC|CurrentPeriod", "13");
  for (const DictionaryPtr& profile : {DictionaryPtr(), outside_calendar}) {
    SCOPED_TRACE(profile ? "period 13" : "no profile");
    frame::ClassFrame frame;
    double start = -7;
    double end = -7;
    EXPECT_FALSE(GetPeriodStartEnd(frame, kDsn, profile, 0, start, end, false, nullptr));
    EXPECT_EQ(start, -7);
    EXPECT_EQ(end, -7);
  }
  EXPECT_TRUE(log().votes.empty()) << "a failed lookup casts no vote";
}

}  // namespace
}  // namespace cb::profile
