// Decimal: reading, writing, exact arithmetic with half-away-from-zero rounding, overflow and an
// encoding that sorts as the numbers.
#include "platform/variant/decimal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace cb {
namespace {

Decimal D(const char* text) {
  std::optional<Decimal> value = Decimal::Parse(text);
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(Decimal());
}

std::string Text(const std::optional<Decimal>& value) {
  return value ? value->ToString() : "overflow";
}

TEST(Decimal, ReadsAndWritesTextRoundingBeyondTenDecimals) {
  struct Case {
    const char* text;
    const char* expected;  // nullptr: not a number, or beyond the range
  };
  const Case cases[] = {
      {"-0.5", "-0.5"},
      {".5", "0.5"},
      {"2.", "2"},
      {" +3.250 ", "3.25"},
      {"0.00000000005", "0.0000000001"},
      {"0.00000000004999", "0"},
      {"12345678901234567890.1234567891", "12345678901234567890.1234567891"},
      {"1e3", nullptr},
      {"", nullptr},
      {"1.2.3", nullptr},
      {"99999999999999999999999999999", nullptr},
  };
  for (const Case& c : cases) {
    std::optional<Decimal> value = Decimal::Parse(c.text);
    if (c.expected == nullptr) {
      EXPECT_FALSE(value.has_value()) << c.text;
    } else {
      EXPECT_EQ(Text(value), c.expected) << c.text;
    }
  }
}

TEST(Decimal, DoublesTakeTheirShortestDecimalForm) {
  EXPECT_EQ(Text(Decimal::FromDouble(0.1)), "0.1");
  EXPECT_EQ(Text(Decimal::FromDouble(0.1 + 0.2)), "0.3");
  EXPECT_EQ(Text(Decimal::FromDouble(-2.5)), "-2.5");
  EXPECT_FALSE(Decimal::FromDouble(1e30).has_value());
  EXPECT_EQ(D("0.3").ToDouble(), 0.3);
  EXPECT_EQ(D("-12345678.125").ToDouble(), -12345678.125);
}

TEST(Decimal, ArithmeticIsExactAndRoundsHalfAwayFromZero) {
  struct Case {
    char op;
    const char* a;
    const char* b;
    int scale;
    const char* expected;
  };
  const Case cases[] = {
      {'+', "0.1", "0.2", 10, "0.3"},
      {'-', "-100000.5", "-100000.5", 10, "0"},
      {'-', "10000000.1", "10000000.1000000001", 10, "-0.0000000001"},
      {'*', "1.0000005", "1", 6, "1.000001"},
      {'*', "-1.0000005", "1", 6, "-1.000001"},
      {'*', "123456789012.3456789012", "98765432.1", 10, "12193263112482853211.2448712085"},
      {'*', "99999999999999999999", "1000000000", 10, "overflow"},
      {'/', "1", "3", 10, "0.3333333333"},
      {'/', "1", "8", 2, "0.13"},
      {'/', "-1", "8", 2, "-0.13"},
      {'/', "1234567890.123", "-0.0000000007", 10, "-1763668414461428571.4285714286"},
      {'/', "10000000000000000000", "0.0000000001", 10, "overflow"},
  };
  for (const Case& c : cases) {
    std::optional<Decimal> result;
    switch (c.op) {
      case '+':
        result = Decimal::Add(D(c.a), D(c.b));
        break;
      case '-':
        result = Decimal::Subtract(D(c.a), D(c.b));
        break;
      case '*':
        result = Decimal::Multiply(D(c.a), D(c.b), c.scale);
        break;
      default:
        result = Decimal::Divide(D(c.a), D(c.b), c.scale);
        break;
    }
    EXPECT_EQ(Text(result), c.expected) << c.a << ' ' << c.op << ' ' << c.b << " at " << c.scale;
  }
  Decimal largest = Decimal::FromUnits((~UInt128{0}) >> 1);
  EXPECT_FALSE(Decimal::Add(largest, D("0.0000000001")).has_value());
  EXPECT_FALSE(Decimal::Subtract(largest.Negated(), D("0.0000000001")).has_value());
}

TEST(Decimal, RoundsTruncatesAndChecksPrecision) {
  struct Case {
    const char* value;
    int scale;
    const char* rounded;
    const char* truncated;
  };
  const Case cases[] = {
      {"2.675", 2, "2.68", "2.67"},   {"-2.665", 2, "-2.67", "-2.66"},
      {"0.5", 0, "1", "0"},           {"-0.5", 0, "-1", "0"},
      {"1234.5", -1, "1230", "1230"}, {"1235", -1, "1240", "1230"},
      {"0.4999999999", 0, "0", "0"},  {"7.1234567891", 10, "7.1234567891", "7.1234567891"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(D(c.value).Rounded(c.scale)), c.rounded) << c.value << " at " << c.scale;
    EXPECT_EQ(D(c.value).Truncated(c.scale).ToString(), c.truncated)
        << c.value << " at " << c.scale;
  }
  EXPECT_TRUE(D("999.99").FitsIntegerDigits(5, 2));
  EXPECT_FALSE(D("1000").FitsIntegerDigits(5, 2));
  EXPECT_TRUE(D("-999999999999999999.9999999999").FitsIntegerDigits(28, 10));
  EXPECT_FALSE(D("-1000000000000000000").FitsIntegerDigits(28, 10));
  EXPECT_EQ(D("-7.9").TruncatedInt(), -7);
}

TEST(Decimal, EncodingsSortAsTheNumbers) {
  const char* ascending[] = {"-1000000000000000000", "-1000000", "-1.5", "-0.0000000001", "0",
                             "0.0000000001",         "1",        "1.5",  "99999999999"};
  std::vector<std::array<unsigned char, Decimal::kEncodedSize>> encodings;
  for (const char* text : ascending) encodings.push_back(D(text).Encode());
  for (size_t i = 1; i < encodings.size(); ++i) {
    EXPECT_LT(std::memcmp(encodings[i - 1].data(), encodings[i].data(), Decimal::kEncodedSize), 0)
        << ascending[i - 1] << " < " << ascending[i];
  }
  for (const char* text : ascending) {
    EXPECT_EQ(Decimal::Decode(D(text).Encode().data()).ToString(), text);
  }
}

}  // namespace
}  // namespace cb
