// The period guard's rules, with the bill's head held in a detached recordset.
#include "rules/period_guard.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"

namespace cb::rules {
namespace {

const double kStart = DayNumberFromCivil(2024, 3, 1);
const double kEnd = DayNumberFromCivil(2024, 3, 31);

db::Recordset Head(Variant date, int32_t tran_type) {
  return db::Recordset({{"FDate", "DATETIME"}, {"FTranType", "INT"}}, {{date, tran_type}});
}

Variant Day(int y, int m, int d) {
  return Variant::Date(DayNumberFromCivil(y, m, d));
}

struct Profile {
  bool initialised = true;
  bool closed = false;
  bool ok_after_close = false;
};

Dictionary MakeProfile(const Profile& p) {
  Dictionary d;
  d.Write("IC|ICClosed", p.initialised ? "1" : "0");
  d.Write("IC|BillStatus", p.closed ? "1" : "0");
  d.Write("IC|IsOkToModAfterClose", p.ok_after_close ? "1" : "0");
  return d;
}

struct PeriodCase {
  const char* name;
  Profile profile;
  Variant date;
  int32_t tran_type;
  const char* refusal;  // nullptr: passes
};

constexpr const char* kEarlier = "不能审核以前会计期间的单据!";
constexpr const char* kBeforeStartUp = "系统还未完成初始化，不能实现审核功能!";
constexpr const char* kLater = "系统还未完成初始化，不能审核以后期间的单据!";
constexpr const char* kClosed = "当前期间已经关账，不能审核当前单据";
const Profile kNotInitialised = {false};
const Profile kPeriodClosed = {true, true};
const Profile kClosedButOpenToChanges = {true, true, true};

TEST(PeriodGuard, AppliesTheRuleOfThePeriod) {
  const PeriodCase cases[] = {
      {"MissingDateIsAnEarlierPeriod", {}, Variant::Null(), 21, kEarlier},
      {"StartDayIsNotEarlier", {}, Day(2024, 3, 1), 1, nullptr},
      {"TimeOfDayIsDropped", {}, Variant("2024-03-01 23:59:00"), 1, nullptr},
      {"InitialisationAcceptsEarlierReceipt", kNotInitialised, Day(2024, 1, 5), 1, nullptr},
      {"InitialisationRefusesEarlierSalesOrder", kNotInitialised, Day(2024, 1, 5), 81,
       kBeforeStartUp},
      {"InitialisationRefusesLaterBills", kNotInitialised, Day(2024, 3, 1), 1, kLater},
      {"ClosedPeriodRefusesInvoice", kPeriodClosed, Day(2024, 3, 10), 80, kClosed},
      {"ClosedPeriodAllowsChangesWhenProfileSaysSo", kClosedButOpenToChanges, Day(2024, 3, 10), 80,
       nullptr},
      {"PeriodEndDayIsOutsideTheClosedRule", kPeriodClosed, Day(2024, 3, 31), 80, nullptr},
      {"ClosedPeriodIgnoresPlanPriceBill", kPeriodClosed, Day(2024, 3, 10), 65, nullptr},
  };
  for (const PeriodCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string message = "left over";
    const int32_t code = CheckPeriod(Head(c.date, c.tran_type), MakeProfile(c.profile), kStart,
                                     kEnd, "审核", message, "zh");
    EXPECT_EQ(code, c.refusal == nullptr ? 0 : kPeriodRefused);
    EXPECT_EQ(message, c.refusal == nullptr ? "" : c.refusal);
  }
}

TEST(PeriodGuardProfile, MissingSwitchesReadAsFalse) {
  std::string message;
  // Without IC|ICClosed the system counts as not initialised: a later bill is refused.
  EXPECT_EQ(
      CheckPeriod(Head(Day(2024, 3, 5), 1), Dictionary(), kStart, kEnd, "审核", message, "zh"),
      kPeriodRefused);
  EXPECT_EQ(message, kLater);
}

}  // namespace
}  // namespace cb::rules
