// Tests of the question-and-answer loop around CheckBill, with scripted results in place of the
// engine's.
#include "tools/checkbill/bill_conversation.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/variant/vector.h"
#include "tools/checkbill/engine_call.h"

namespace cb::tool {
namespace {

TEST(BillConversation, EachQuestionIsAnsweredOnceWithItsYesKeyOrItsReCheckBit) {
  struct Case {
    int32_t code;
    const char* tip;        // the tip flag the result sets, or ""
    int32_t recheck;        // the bits the request gives already
    const char* yes_key;    // the key the answer sets, or "" when it adds a ReCheck bit
    int32_t recheck_after;  // ReCheck after the answer; the same as before: no question
  };
  // Codes 1 and 2 (a negative balance, the stock limits) are answered in the command line table.
  const Case cases[] = {
      {-200, "", 0, "", 4},
      {-201, "", 32, "", 36},
      {-204, "", 0, "", 32},
      {-205, "", 4, "", 36},
      {1, "ShowUnderTip", 0, "YesWhenUnderTip", 0},
      {1, "ShowStockWarnTip", 0, "YesWhenStockWarnTip", 0},
      {0, "", 0, "", 0},
      {512, "", 0, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " " + c.tip);
    const bool question = c.recheck_after != c.recheck || *c.yes_key != '\0';
    EXPECT_EQ(IsQuestionCode(c.code), question);
    Dictionary result;
    result.Write("ReturnCode", c.code);
    result.Write(*c.tip != '\0' ? c.tip : "ShowUnderTip", *c.tip != '\0' ? 1 : 0);
    Dictionary request;
    request.Write("ReCheck", c.recheck);
    EXPECT_EQ(AddConsent(result, request), question);
    EXPECT_EQ(request.Read("ReCheck"), Variant(c.recheck_after));
    EXPECT_EQ(request.Exists("YesWhenUnderTip"), std::string(c.yes_key) == "YesWhenUnderTip");
    if (*c.yes_key != '\0') {
      EXPECT_EQ(request.Read(c.yes_key), Variant(1));
    }
    // The same question again has no new answer.
    EXPECT_FALSE(AddConsent(result, request));
  }
  // Codes 0 and 3 are the engine's two successes.
  EXPECT_TRUE(IsSuccessCode(0));
  EXPECT_TRUE(IsSuccessCode(3));
  EXPECT_FALSE(IsSuccessCode(1));
  EXPECT_FALSE(IsSuccessCode(-1));
}

TEST(BillConversation, ReturnedStockRowsTravelBackAndStaleOnesAreDropped) {
  auto rows = std::make_shared<Vector>();
  Dictionary result;
  result.Write("ReturnCode", -200);
  result.Write("vectDeleteItem", Variant(rows));
  Dictionary request;
  request.Write("ReCheck", 0);
  ASSERT_TRUE(AddConsent(result, request));
  EXPECT_EQ(request.Read("vectDeleteItem").ToObject(), rows);

  Dictionary next_result;
  next_result.Write("ReturnCode", 2);
  next_result.Write("vectDeleteItem", Variant::Null());
  ASSERT_TRUE(AddConsent(next_result, request));
  EXPECT_FALSE(request.Exists("vectDeleteItem"));
}

// Declining ends the conversation too (the command line table shows it); an engine that asks the
// same question again once it was answered must not keep the user answering.
TEST(BillConversation, AnEngineThatKeepsAskingEndsTheConversation) {
  int calls = 0;
  Dictionary request;
  request.Write("ReCheck", 0);
  const DictionaryPtr result = RunConversation(
      request,
      [&](DictionaryPtr& params) {
        ++calls;
        params->Write("ReturnCode", -200);
        params->Write("ReturnString2", "Continue?");
      },
      [](const std::string&) { return true; });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(result->Read("ReturnCode"), Variant(-200));
}

TEST(EngineDsn, AddsTheUserGivenAndEnglishOnlyWhereTheStringNamesNone) {
  EXPECT_EQ(EngineDsn("Provider=SQLite;Data Source=a.db;", 7),
            "Provider=SQLite;Data Source=a.db;UserID=7;Language=en");
  EXPECT_EQ(EngineDsn("Provider=SQLite;Data Source=a.db;userid=3;Language=zh", 7),
            "Provider=SQLite;Data Source=a.db;userid=3;Language=zh");
}

}  // namespace
}  // namespace cb::tool
