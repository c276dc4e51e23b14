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

TEST(BillConversation, TipFlagsAreAnsweredWithTheirYesKeysNotWithReCheck) {
  struct Case {
    const char* flag;
    const char* yes_key;
  };
  for (const Case& c :
       {Case{"ShowUnderTip", "YesWhenUnderTip"}, Case{"ShowStockWarnTip", "YesWhenStockWarnTip"}}) {
    Dictionary result;
    result.Write("ReturnCode", 1);
    result.Write(c.flag, 1);
    Dictionary request;
    request.Write("ReCheck", 0);
    ASSERT_TRUE(AddConsent(result, request)) << c.flag;
    EXPECT_EQ(request.Read(c.yes_key), Variant(1)) << c.flag;
    EXPECT_EQ(request.Read("ReCheck"), Variant(0)) << c.flag;
    // The same tip again has no new answer.
    EXPECT_FALSE(AddConsent(result, request)) << c.flag;
  }
}

TEST(BillConversation, QuestionWithoutTipAddsItsBitToTheBitsAlreadyGiven) {
  Dictionary result;
  result.Write("ReturnCode", -201);
  result.Write("ShowUnderTip", 0);
  Dictionary request;
  request.Write("ReCheck", 32);
  ASSERT_TRUE(AddConsent(result, request));
  EXPECT_EQ(request.Read("ReCheck"), Variant(36));
  EXPECT_FALSE(request.Exists("YesWhenUnderTip"));
  EXPECT_FALSE(AddConsent(result, request));
  EXPECT_EQ(request.Read("ReCheck"), Variant(36));

  result.Write("ReturnCode", -1);
  EXPECT_FALSE(AddConsent(result, request));
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

TEST(BillConversation, AgreeingRepeatsTheRequestWithTheAnswerAndWithoutTheOldResults) {
  ScriptedEngine engine;
  Dictionary request;
  request.Write("InterID", 7);
  request.Write("ReCheck", 0);
  std::vector<std::string> questions;
  const DictionaryPtr result = RunConversation(request, engine.Call(), [&](const std::string& q) {
    questions.push_back(q);
    return true;
  });
  ASSERT_EQ(engine.requests.size(), 2u);
  EXPECT_EQ(questions, std::vector<std::string>{"Continue?"});
  EXPECT_EQ(engine.requests[1].Read("ReCheck"), Variant(4));
  EXPECT_EQ(engine.requests[1].Read("InterID"), Variant(7));
  EXPECT_FALSE(engine.requests[1].Exists("ReturnCode"));
  EXPECT_EQ(result->Read("ReturnCode"), Variant(0));
}

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

TEST(BillConversation, BuildRequestCarriesTheBillAndTheOperation) {
  BillRequest bill;
  bill.tran_type = 21;
  bill.inter_id = 1003;
  bill.operate_code = check::OperateCode::kVoid;
  bill.checker_id = 5;
  bill.check_date = "2026-12-05";
  bill.dsn = "Provider=SQLite;Data Source=x.db";
  const DictionaryPtr params = BuildRequest(bill);
  EXPECT_EQ(params->Read("TransType"), Variant(21));
  EXPECT_EQ(params->Read("InterID"), Variant(1003));
  EXPECT_EQ(params->Read("OperateCode"), Variant(32));
  EXPECT_EQ(params->Read("CheckerID"), Variant(5));
  EXPECT_EQ(params->Read("ReCheck"), Variant(0));
  EXPECT_EQ(params->Read("CheckDate").ToDate(), Variant("2026-12-05").ToDate());
  EXPECT_EQ(params->Read("PropString"), Variant("Provider=SQLite;Data Source=x.db"));
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

TEST(CheckerOf, IsTheUserGivenOrTheDataSourcesUserAndAlwaysPositive) {
  EXPECT_EQ(CheckerOf("Provider=SQLite;Data Source=a.db;UserID=3", 7), 7);
  EXPECT_EQ(CheckerOf("Provider=SQLite;Data Source=a.db;UserID=3", std::nullopt), 3);
  for (const auto& [dsn, user] : std::vector<std::pair<const char*, std::optional<int32_t>>>{
           {"Provider=SQLite;Data Source=a.db", std::nullopt},
           {"Provider=SQLite;Data Source=a.db;UserID=0", std::nullopt},
           {"Provider=SQLite;Data Source=a.db;UserID=-2", std::nullopt},
           {"Provider=SQLite;Data Source=a.db;UserID=3", 0},
           {"Provider=SQLite;Data Source=a.db", -1}}) {
    EXPECT_THROW(CheckerOf(dsn, user), UsageError) << dsn;
  }
}

}  // namespace
}  // namespace cb::tool
