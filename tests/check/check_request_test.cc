// Tests of reading CheckBill's request keys and resolving the checker.
#include "check/check_request.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb::check {
namespace {

DictionaryPtr Params(std::initializer_list<std::pair<const char*, Variant>> entries) {
  DictionaryPtr params = Dictionary::Create();
  for (const auto& [key, value] : entries) params->Write(key, value);
  return params;
}

TEST(CheckRequest, AbsentKeysTakeTheirDefaults) {
  const CheckRequest request = ReadCheckRequest(*Dictionary::Create());
  EXPECT_EQ(request.InterID, 0);
  EXPECT_EQ(request.TransType, 0);
  EXPECT_EQ(request.CheckSwitch, 0);
  EXPECT_EQ(request.OperateType, 0);
  EXPECT_EQ(request.ReCheck, 0);
  EXPECT_EQ(request.CheckDate, 0);
  EXPECT_EQ(request.OperateCode, 1) << "a request without an operation is a check";
  EXPECT_EQ(request.PropString, "");
  EXPECT_EQ(request.vectDeleteItem, nullptr);
}

TEST(CheckRequest, ReadsEveryKeyGiven) {
  const VectorPtr rows = Vector::Create();
  const CheckRequest request = ReadCheckRequest(*Params({
      {"InterID", int32_t{1001}},
      {"TransType", "21"},
      {"CheckSwitch", int16_t{1}},
      {"OperateType", 3.0},
      {"ReCheck", int32_t{40}},
      {"CheckDate", "2024-03-07"},
      {"OperateCode", int32_t{2}},
      {"PropString", "Provider=SQLite;Data Source=x.db"},
      {"vectDeleteItem", rows},
  }));
  EXPECT_EQ(request.InterID, 1001);
  EXPECT_EQ(request.TransType, 21);
  EXPECT_EQ(request.CheckSwitch, 1);
  EXPECT_EQ(request.OperateType, 3);
  EXPECT_EQ(request.ReCheck, 40);
  EXPECT_EQ(request.CheckDate, DayNumberFromCivil(2024, 3, 7));
  EXPECT_EQ(request.OperateCode, 2);
  EXPECT_EQ(request.PropString, "Provider=SQLite;Data Source=x.db");
  EXPECT_EQ(request.vectDeleteItem, rows);
}

TEST(CheckRequest, UnreadableValuesRaiseToTheCaller) {
  const std::pair<const char*, Variant> cases[] = {
      {"ReCheck", "not a number"},
      {"CheckDate", "2024-02-30"},
      {"CheckDate", "next week"},
      {"InterID", Variant::Null()},
  };
  for (const auto& [key, value] : cases) {
    EXPECT_THROW(static_cast<void>(ReadCheckRequest(*Params({{key, value}}))), Error) << key;
  }
}

TEST(CheckRequest, CheckerFallsBackToTheCurrentUser) {
  constexpr int32_t kUser = 16;
  struct Case {
    const char* name;
    DictionaryPtr params;
    int32_t expected;
  };
  const Case cases[] = {
      {"absent", Params({}), kUser},
      {"zero", Params({{"CheckerID", int32_t{0}}}), kUser},
      {"zero as text", Params({{"CheckerID", "0"}}), kUser},
      {"unreadable", Params({{"CheckerID", "nobody"}}), kUser},
      {"given", Params({{"CheckerID", int32_t{25}}}), 25},
      {"given as text", Params({{"CheckerID", "31"}}), 31},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveCheckerID(*c.params, kUser), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace cb::check
