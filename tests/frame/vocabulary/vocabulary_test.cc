// The shared vocabulary: "ReCheck" masks, profile readers and the period guards' transaction types.
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
  for (int32_t recheck : {2, 8}) {
    EXPECT_TRUE(HasAnyBit(recheck, kAlertOrRows)) << recheck;
    EXPECT_FALSE(HasAllBits(recheck, kAlertOrRows)) << recheck;
  }
  EXPECT_TRUE(HasAllBits(14, kAlertOrRows));
  EXPECT_FALSE(HasAnyBit(4, kAlertOrRows));
}

// Absent and Null entries read as the default; so does text that is no number.
TEST(ProfileReaders, EmptyNullAndTextReadTheSameWayForEveryKind) {
  DictionaryPtr profile = Dictionary::Create();
  profile->Write("IC|On", Variant("1"));
  profile->Write("IC|True", Variant("True"));
  profile->Write("IC|Off", Variant("0"));
  profile->Write("IC|Null", Variant::Null());
  profile->Write("IC|Word", Variant("abc"));

  struct Case {
    const char* key;
    bool on;
    double number;     // read with default 7
    std::string text;  // read with default "d"
  };
  const Case cases[] = {
      {"IC|On", true, 1, "1"},    {"IC|True", true, -1, "True"}, {"IC|Off", false, 0, "0"},
      {"IC|Null", false, 7, "d"}, {"IC|Missing", false, 7, "d"}, {"IC|Word", false, 7, "abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileSwitch(*profile, c.key), c.on) << c.key;
    EXPECT_EQ(ProfileNumber(*profile, c.key, 7), c.number) << c.key;
    EXPECT_EQ(ProfileText(*profile, c.key, "d"), c.text) << c.key;
  }
}

// The period guards' tests show each rule on one type; the two lists differ as the rules say:
// invoices and expense bills fall under the closed-period rule only; inspection bills, plan-price
// bills and type -8 under the earlier-period rule only.
TEST(TransTypeSets, PeriodGuardListsDifferWhereTheRulesSay) {
  for (int32_t type : {75, 76, 77, 78, 80, 86}) {
    EXPECT_TRUE(kClosedPeriodTypes.Contains(type) && !kEarlierPeriodTypes.Contains(type)) << type;
  }
  for (int32_t type : {46, 65, -8}) {
    EXPECT_TRUE(kEarlierPeriodTypes.Contains(type) && !kClosedPeriodTypes.Contains(type)) << type;
  }
}

}  // namespace
}  // namespace cb
