// Tests of the question-and-answer loop around CheckBill, with a scripted engine in place of the
// real one.
#include "tools/checkbill/bill_conversation.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/variant/vector.h"
#include "tools/checkbill/engine_call.h"
#include "tools/checkbill/exit_status.h"

namespace cb::tool {
namespace {

TEST(BillConversation, EachQuestionCodeMapsToTheReCheckBitOfItsStep) {
  struct Case {
    int32_t code;
    int32_t bit;
  };
  const Case cases[] = {{1, 1},     {2, 2}, {-200, 4}, {-201, 4}, {-204, 32},
                        {-205, 32}, {0, 0}, {3, 0},    {-1, 0},   {512, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(ConsentBit(c.code), c.bit) << c.code;
    EXPECT_EQ(IsQuestionCode(c.code), c.bit != 0) << c.code;
  }
  EXPECT_TRUE(IsSuccessCode(0));
  EXPECT_TRUE(IsSuccessCode(3));
  EXPECT_FALSE(IsSuccessCode(1));
  EXPECT_FALSE(IsSuccessCode(-1));
}

TEST(BillConversation, EachQuestionIsAnsweredOnceWithItsYesKeyOrItsReCheckBit) {
  struct Case {
    int32_t code;
    const char* tip;        // the tip flag the result sets, or ""
    int32_t recheck;        // the bits the request gives already
    const char* yes_key;    // the key the answer sets, or "" when it adds a ReCheck bit
    int32_t recheck_after;  // ReCheck after the answer
  };
  const Case cases[] = {
      {1, "ShowUnderTip", 0, "YesWhenUnderTip", 0},
      {1, "ShowStockWarnTip", 0, "YesWhenStockWarnTip", 0},
      {-201, "", 32, "", 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " " + c.tip);
    Dictionary result;
    result.Write("ReturnCode", c.code);
    result.Write(*c.tip != '\0' ? c.tip : "ShowUnderTip", *c.tip != '\0' ? 1 : 0);
    Dictionary request;
    request.Write("ReCheck", c.recheck);
    ASSERT_TRUE(AddConsent(result, request));
    EXPECT_EQ(request.Read("ReCheck"), Variant(c.recheck_after));
    EXPECT_EQ(request.Exists("YesWhenUnderTip"), std::string(c.yes_key) == "YesWhenUnderTip");
    if (*c.yes_key != '\0') {
      EXPECT_EQ(request.Read(c.yes_key), Variant(1));
    }
    // The same question again has no new answer; an error is no question.
    EXPECT_FALSE(AddConsent(result, request));
    result.Write("ReturnCode", -1);
    result.Write("ShowUnderTip", 0);
    result.Write("ShowStockWarnTip", 0);
    EXPECT_FALSE(AddConsent(result, request));
  }
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

// An engine that asks question_code until the request carries the bit that answers it.
struct ScriptedEngine {
  int32_t question_code = -200;
  int32_t answer_bit = 4;
  std::vector<Dictionary> requests;

  CheckBillCall Call() {
    return [this](DictionaryPtr& params) {
      requests.push_back(*params);
      const bool agreed = (params->Read("ReCheck").ToInt32() & answer_bit) != 0;
      params->Write("ReturnCode", agreed ? 0 : question_code);
      params->Write("ReturnString", agreed ? "done" : "stopped");
      params->Write("ReturnString2", agreed ? "" : "Continue?");
    };
  }
};

TEST(BillConversation, DecliningOrAnEngineThatKeepsAskingEndsTheConversation) {
  struct Case {
    const char* name;
    int32_t answer_bit;  // 0: no answer ever satisfies the engine
    bool user_agrees;
    size_t calls;
  };
  for (const Case& c : {Case{"declined", 4, false, 1}, Case{"asks forever", 0, true, 2}}) {
    ScriptedEngine engine;
    engine.answer_bit = c.answer_bit;
    Dictionary request;
    request.Write("ReCheck", 0);
    const DictionaryPtr result =
        RunConversation(request, engine.Call(), [&](const std::string&) { return c.user_agrees; });
    EXPECT_EQ(engine.requests.size(), c.calls) << c.name;
    EXPECT_EQ(result->Read("ReturnCode"), Variant(-200)) << c.name;
  }
}

TEST(EngineDsn, AddsTheUserGivenAndEnglishOnlyWhereTheStringNamesNone) {
  struct Case {
    const char* dsn;
    std::optional<int32_t> user;
    const char* expected;
  };
  const Case cases[] = {
      {"Provider=SQLite;Data Source=a.db", std::nullopt,
       "Provider=SQLite;Data Source=a.db;Language=en"},
      {"Provider=SQLite;Data Source=a.db;", 7,
       "Provider=SQLite;Data Source=a.db;UserID=7;Language=en"},
      {"Provider=SQLite;Data Source=a.db;userid=3;Language=zh", 7,
       "Provider=SQLite;Data Source=a.db;userid=3;Language=zh"},
  };
  for (const Case& c : cases) EXPECT_EQ(EngineDsn(c.dsn, c.user), c.expected) << c.dsn;
  EXPECT_THROW(EngineDsn("Provider=SQLite;Data Source=a.db;Language=xx", 7), UsageError);
}

}  // namespace
}  // namespace cb::tool
