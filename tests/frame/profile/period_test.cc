// Tests of the accounting-period lookup over the database's GetPeriodStartEnd procedure: the
// profiles it refuses. The dates of a usable period are checked by the profile scenarios.
#include "frame/profile/period.h"

#include <gtest/gtest.h>

#include "frame/class_frame.h"
#include "support/suite_database.h"

namespace cb::profile {
namespace {

using ::cb::testing::SuiteDatabase;

DictionaryPtr Profile(std::initializer_list<std::pair<const char*, Variant>> entries) {
  DictionaryPtr profile = Dictionary::Create();
  for (const auto& [key, value] : entries) profile->Write(key, value);
  return profile;
}

using PeriodTest = SuiteDatabase;

TEST_F(PeriodTest, FailsWithoutTouchingTheDatesWhenThePeriodIsUnusable) {
  struct Case {
    const char* name;
    DictionaryPtr profile;
    bool start_period;
  };
  const Case cases[] = {
      {"current period absent", Profile({{"IC|StartPeriod", "4"}}), false},
      {"start period absent", Profile({{"IC|CurrentPeriod", "4"}}), true},
      {"no profile", nullptr, false},
      {"period missing from the calendar", Profile({{"IC|CurrentPeriod", "13"}}), false},
  };
  for (const Case& c : cases) {
    frame::ClassFrame frame;
    double start = -7;
    double end = -7;
    EXPECT_FALSE(GetPeriodStartEnd(frame, kDsn, c.profile, 0, start, end, c.start_period, nullptr))
        << c.name;
    EXPECT_EQ(start, -7) << c.name;
    EXPECT_EQ(end, -7) << c.name;
  }
  EXPECT_TRUE(log().votes.empty()) << "a failed lookup casts no vote";
}

}  // namespace
}  // namespace cb::profile
