// The shared vocabulary: "ReCheck" masks, profile readers and the transaction-type sets of rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/recheck_bits.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/dictionary.h"

namespace cb {
namespace {

// A multi-bit mask is where "all bits" and "any bit" part: the stock driver skips the alert when
// "ReCheck And 10" is non-zero, so either bit alone must count.
TEST(ReCheckBits, AllAndAnyDifferOnMultiBitMasks) {
  constexpr int32_t kAlertOrRows = kReCheckStockWarn | kReCheckStockRows;  // 10
  struct Case {
    int32_t recheck;
    bool all;
    bool any;
  };
  const Case cases[] = {{0, false, false}, {2, false, true},  {8, false, true},
                        {10, true, true},  {4, false, false}, {14, true, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(HasAllBits(c.recheck, kAlertOrRows), c.all) << c.recheck;
    EXPECT_EQ(HasAnyBit(c.recheck, kAlertOrRows), c.any) << c.recheck;
  }
}

// Absent and Null entries read as the default; so does text that is no number.
TEST(ProfileReaders, EmptyNullAndTextReadTheSameWayForEveryKind) {
  DictionaryPtr profile = Dictionary::Create();
  profile->Write("IC|On", Variant("1"));
  profile->Write("IC|Minus", Variant("-1"));
  profile->Write("IC|True", Variant("True"));
  profile->Write("IC|Off", Variant("0"));
  profile->Write("IC|Null", Variant::Null());
  profile->Write("IC|Word", Variant("abc"));
  profile->Write("IC|Two", Variant("2"));

  struct Case {
    const char* key;
    bool on;
    double number;     // read with default 7
    std::string text;  // read with default "d"
  };
  const Case cases[] = {
      {"IC|On", true, 1, "1"},      {"IC|Minus", true, -1, "-1"}, {"IC|True", true, -1, "True"},
      {"IC|Off", false, 0, "0"},    {"IC|Null", false, 7, "d"},   {"IC|Missing", false, 7, "d"},
      {"IC|Word", false, 7, "abc"}, {"IC|Two", true, 2, "2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileSwitch(*profile, c.key), c.on) << c.key;
    EXPECT_EQ(ProfileNumber(*profile, c.key, 7), c.number) << c.key;
    EXPECT_EQ(ProfileText(*profile, c.key, "d"), c.text) << c.key;
  }
}

// The two period-guard lists differ as the rules say: invoices and expense bills fall under the
// closed-period rule only; inspection bills, plan-price bills and type -8 under the earlier-period
// rule only.
TEST(TransTypeSets, PeriodGuardListsDifferWhereTheRulesSay) {
  for (int32_t type : {75, 76, 77, 78, 80, 86}) {
    EXPECT_TRUE(kClosedPeriodTypes.Contains(type)) << type;
    EXPECT_FALSE(kEarlierPeriodTypes.Contains(type)) << type;
  }
  for (int32_t type : {46, 65, -8}) {
    EXPECT_TRUE(kEarlierPeriodTypes.Contains(type)) << type;
    EXPECT_FALSE(kClosedPeriodTypes.Contains(type)) << type;
  }
  for (int32_t type : {1, 5, 21, 28}) EXPECT_TRUE(kInitialisationTypes.Contains(type)) << type;
  for (int32_t type : {2, 10, 81}) EXPECT_FALSE(kInitialisationTypes.Contains(type)) << type;
}

}  // namespace
}  // namespace cb
