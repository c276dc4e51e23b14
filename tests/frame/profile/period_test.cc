// Tests of the accounting-period lookup over the database's GetPeriodStartEnd procedure.
#include "frame/profile/period.h"

#include <gtest/gtest.h>

#include "frame/class_frame.h"
#include "frame/profile/suite_database.h"
#include "platform/variant/date.h"
#include "support/fake_connection.h"

namespace cb::profile {
namespace {

using ::cb::testing::SuiteDatabase;

DictionaryPtr Profile(std::initializer_list<std::pair<const char*, Variant>> entries) {
  DictionaryPtr profile = Dictionary::Create();
  for (const auto& [key, value] : entries) profile->Write(key, value);
  return profile;
}

class PeriodTest : public SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec("UPDATE t_SystemProfile SET FValue='2024' WHERE FCategory='IC' AND FKey='CurrentYear'");
  }
  // Dates a failed lookup must leave alone.
  double start_ = -7;
  double end_ = -7;
};

TEST_F(PeriodTest, CurrentPeriodGivesItsFirstAndLastDay) {
  frame::ClassFrame frame;
  const DictionaryPtr profile = Profile({{"IC|StartPeriod", "3"}, {"IC|CurrentPeriod", "5"}});
  ASSERT_TRUE(GetPeriodStartEnd(frame, kDsn, profile, 2031, start_, end_, false, nullptr));
  EXPECT_EQ(FormatDate(start_), "2024-05-01");
  EXPECT_EQ(FormatDate(end_), "2024-05-31");
}

TEST_F(PeriodTest, StartPeriodFlagReadsStartPeriodAndIgnoresCurrentPeriod) {
  frame::ClassFrame frame;
  const DictionaryPtr profile = Profile({{"IC|StartPeriod", "2"}, {"IC|CurrentPeriod", "0"}});
  ASSERT_TRUE(GetPeriodStartEnd(frame, kDsn, profile, 0, start_, end_, true, connection()));
  EXPECT_EQ(FormatDate(start_), "2024-02-01");
  EXPECT_EQ(FormatDate(end_), "2024-02-29");
}

TEST_F(PeriodTest, FailsWithoutTouchingTheDatesWhenThePeriodIsUnusable) {
  struct Case {
    const char* name;
    DictionaryPtr profile;
    bool start_period;
  };
  const Case cases[] = {
      {"current period 0", Profile({{"IC|CurrentPeriod", "0"}}), false},
      {"current period absent", Profile({{"IC|StartPeriod", "4"}}), false},
      {"start period absent", Profile({{"IC|CurrentPeriod", "4"}}), true},
      {"not a number", Profile({{"IC|CurrentPeriod", "abc"}}), false},
      {"no profile", nullptr, false},
      {"period missing from the calendar", Profile({{"IC|CurrentPeriod", "13"}}), false},
  };
  for (const Case& c : cases) {
    frame::ClassFrame frame;
    EXPECT_FALSE(
        GetPeriodStartEnd(frame, kDsn, c.profile, 0, start_, end_, c.start_period, nullptr))
        << c.name;
    EXPECT_EQ(start_, -7) << c.name;
    EXPECT_EQ(end_, -7) << c.name;
  }
  EXPECT_TRUE(log().votes.empty()) << "a failed lookup casts no vote";
}

TEST(PeriodNumber, ZeroIsRefusedWithPeriodInfoErrorBeforeTheProcedure) {
  const DictionaryPtr profile = Profile({{"IC|CurrentPeriod", "0"}});
  try {
    static_cast<void>(PeriodNumberFromProfile(profile, false));
    FAIL() << "period 0 was accepted";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), -200002);
    EXPECT_EQ(error.source(), "VellMCheckBill.CheckNow");
    EXPECT_EQ(error.description(), "Get Period Info Error");
  }
  auto fake = std::make_shared<testing::FakeConnection>();
  frame::ClassFrame frame;
  double start = 0;
  double end = 0;
  EXPECT_FALSE(GetPeriodStartEnd(frame, "", profile, 0, start, end, false, fake));
  EXPECT_TRUE(fake->log().empty()) << "the procedure must not be called";
}

TEST(PeriodProcedure, PassesYearZeroAndThePeriodInOrder) {
  // A connection that answers the procedure and records the parameters it received.
  class ProcedureProbe : public testing::FakeConnection {
   public:
    void CallProcedure(std::string_view name, db::Parameters& parameters) override {
      called = std::string(name);
      for (const db::Parameter& parameter : parameters) names.push_back(parameter.name);
      year = parameters.Item("aYear").value;
      period = parameters.Item("aPeriod").value;
      parameters.Item("aPeriodStart").value = Variant("2024-07-01");
      parameters.Item("aPeriodEnd").value = Variant::Date(DayNumberFromCivil(2024, 7, 31));
    }
    std::string called;
    std::vector<std::string> names;
    Variant year;
    Variant period;
  };
  auto probe = std::make_shared<ProcedureProbe>();
  const PeriodDates dates = CallPeriodProcedure(probe, 7);
  EXPECT_EQ(probe->called, "GetPeriodStartEnd");
  EXPECT_EQ(probe->names,
            (std::vector<std::string>{"aYear", "aPeriod", "aPeriodStart", "aPeriodEnd"}));
  EXPECT_EQ(probe->year, Variant(0));
  EXPECT_EQ(probe->period, Variant(7));
  EXPECT_EQ(FormatDate(dates.start), "2024-07-01");
  EXPECT_EQ(FormatDate(dates.end), "2024-07-31");
}

}  // namespace
}  // namespace cb::profile
