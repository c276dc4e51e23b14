// The rule that tells handlers a bill lies before the system's start-up.
#include "check/step_dictionaries.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb::check {
namespace {

TEST(BeforeSystemStartUp, OnlyBeforeInitialisationAndBeforeThePeriod) {
  const double period_start = DayNumberFromCivil(2024, 3, 1);
  const double earlier = DayNumberFromCivil(2024, 2, 29);
  struct Case {
    const char* ic_closed;  // nullptr: key absent
    double bill_date;
    bool expected;
  };
  const Case cases[] = {
      {"0", earlier, true},       {nullptr, earlier, true},       {"1", earlier, false},
      {"0", period_start, false}, {"0", period_start + 3, false},
  };
  for (const Case& c : cases) {
    DictionaryPtr profile = Dictionary::Create();
    if (c.ic_closed != nullptr) profile->Write("IC|ICClosed", c.ic_closed);
    EXPECT_EQ(IsBeforeSystemStartUp(profile, c.bill_date, period_start), c.expected)
        << (c.ic_closed ? c.ic_closed : "absent") << " " << FormatDate(c.bill_date);
  }
  EXPECT_THROW(static_cast<void>(IsBeforeSystemStartUp(nullptr, earlier, period_start)), Error);
}

}  // namespace
}  // namespace cb::check
