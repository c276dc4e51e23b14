// Variant comparison and conversion rules.
#include "platform/variant/variant.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/error.h"

namespace cb {
namespace {

int32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

TEST(VariantEquality, FollowsThePlatformsRules) {
  auto a = Dictionary::Create();
  auto b = Dictionary::Create();
  struct Case {
    Variant left;
    Variant right;
    bool equal;
  };
  const Case cases[] = {
      // Numbers compare by value whatever their type; True is -1.
      {Variant(int32_t{1}), Variant(1.0), true},
      {Variant(true), Variant(int32_t{-1}), true},
      {Variant(int32_t{1}), Variant(1.5), false},
      {Variant::Date(45000), Variant(45000.0), true},
      // Null equals nothing, not even Null.
      {Variant::Null(), Variant::Null(), false},
      {Variant::Null(), Variant(int32_t{0}), false},
      // Empty equals zero and empty text.
      {Variant(), Variant(int32_t{0}), true},
      {Variant(), Variant(""), true},
      {Variant(), Variant("0"), false},
      // Text compares exactly and never equals a number.
      {Variant("abc"), Variant("ABC"), false},
      {Variant("1"), Variant(int32_t{1}), false},
      // Objects compare by identity.
      {Variant(a), Variant(a), true},
      {Variant(a), Variant(b), false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].left == cases[i].right, cases[i].equal) << "case " << i;
  }
}

TEST(VariantConversion, IntegersRoundHalfToEven) {
  EXPECT_EQ(Variant(2.5).ToInt32(), 2);
  EXPECT_EQ(Variant(3.5).ToInt32(), 4);
  EXPECT_EQ(Variant(-2.5).ToInt32(), -2);
  EXPECT_EQ(Variant(2.4999).ToInt32(), 2);
  EXPECT_EQ(Variant(" 42 ").ToInt32(), 42);
}

TEST(VariantConversion, FailuresRaiseThePlatformErrors) {
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant::Null().ToInt32(); }), kErrInvalidUseOfNull);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant("12a").ToDouble(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant("0x10").ToDouble(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant(int64_t{70000}).ToInt16(); }), kErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant(3e10).ToInt32(); }), kErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant(Dictionary::Create()).ToString(); }),
            kErrTypeMismatch);
}

TEST(VariantConversion, EmptyReadsAsZeroOrEmptyText) {
  EXPECT_EQ(Variant().ToInt32(), 0);
  EXPECT_EQ(Variant().ToString(), "");
  EXPECT_FALSE(Variant().ToBool());
}

TEST(VariantConversion, DatesFromTextAndNumbers) {
  EXPECT_EQ(Variant("2024-03-07").ToDate(), DayNumberFromCivil(2024, 3, 7));
  EXPECT_EQ(Variant(int32_t{2}).ToDate(), 2.0);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant("2024-02-30").ToDate(); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { (void)Variant("07/03/2024").ToDate(); }), kErrTypeMismatch);
}

TEST(VariantConversion, TextOfValuesHasNoExponentForEverydayMagnitudes) {
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant(-2.0).ToString(), "-2");
  EXPECT_EQ(Variant::Date(DayNumberFromCivil(2024, 3, 7)).ToString(), "2024-03-07");
  EXPECT_EQ(FormatNumber(123456789012.0), "123456789012");
  EXPECT_EQ(FormatNumber(0.25), "0.25");
  EXPECT_EQ(FormatNumber(-1.5e-20), "-1.5E-20");
}

}  // namespace
}  // namespace cb
