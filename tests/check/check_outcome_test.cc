// Tests of how a refusal, an error or a success becomes CheckBill's result keys and vote.
#include "check/check_outcome.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/class_frame.h"
#include "platform/services/pending_error.h"
#include "support/suite_database.h"

namespace cb::check {
namespace {

// The catalogue of the language "zh" is the identity, so the expected texts are the keys
// themselves.
constexpr const char* kFailureLine = "审核[编号：B-7]单据时未成功!";
constexpr const char* kContinue = "是否继续？";

class CheckOutcomeTest : public cb::testing::SuiteDatabase {
 protected:
  CheckOutcome Outcome(int32_t ret, std::string msg) {
    CheckOutcome outcome;
    outcome.lRet = ret;
    outcome.sMsg = std::move(msg);
    outcome.operation_name = "审核";
    outcome.bill_no = "B-7";
    outcome.language = "zh";
    return outcome;
  }
  void TearDown() override {
    services::ClearPendingError();
    SuiteDatabase::TearDown();
  }
  DictionaryPtr params_ = Dictionary::Create();
};

// The codes with a question of their own (2, -200, -201, -204, -205) and the credit code 512 are
// answered through whole calls in the scenario files and check_flow_test.
TEST_F(CheckOutcomeTest, RefusalCodesGiveTheirMessageAndQuestion) {
  struct Case {
    int32_t step_code;
    const char* step_text;
    int32_t code;
    std::string message;
    std::string question;
  };
  const std::string failure = kFailureLine;
  const Case cases[] = {
      {1, "", 1, failure, failure + kContinue},
      {-200015, "closed; ", -1, failure + "closed; ", failure + "closed; "},
      {7, "odd; ", -1, failure + "odd; ", failure + "odd; "},
  };
  for (const Case& c : cases) {
    frame::ClassFrame frame;
    CheckOutcome outcome = Outcome(c.step_code, c.step_text);
    log().votes.clear();
    WriteFailure(frame, outcome, *params_);
    EXPECT_EQ(params_->Read("ReturnCode"), Variant(c.code)) << c.step_code;
    EXPECT_EQ(params_->Read("ReturnString"), Variant(c.message)) << c.step_code;
    EXPECT_EQ(params_->Read("ReturnString2"), Variant(c.question)) << c.step_code;
    EXPECT_NE(params_->Read("vectItemInfo").As<Vector>(), nullptr) << c.step_code;
    EXPECT_EQ(log().votes, (std::vector<std::string>{"abort"})) << c.step_code;
  }
}

TEST_F(CheckOutcomeTest, RefusalAppendsThePendingErrorAfterTheQuestionIsTaken) {
  services::SetPendingError(Error(-9, "step", " (pending detail)"));
  frame::ClassFrame frame;
  CheckOutcome outcome = Outcome(-204, "warn; ");
  WriteFailure(frame, outcome, *params_);
  const std::string message = std::string(kFailureLine) + "warn; ";
  EXPECT_EQ(params_->Read("ReturnString"), Variant(message + " (pending detail)"));
  EXPECT_EQ(params_->Read("ReturnString2"), Variant(message + kContinue));
}

TEST_F(CheckOutcomeTest, ErrorReplacesTheTextAndLeavesNoQuestion) {
  frame::ClassFrame frame;
  CheckOutcome outcome = Outcome(0, "texts so far");
  outcome.item_info->Add(Variant("item"));
  WriteError(frame, outcome, *params_);
  EXPECT_EQ(params_->Read("ReturnCode"), Variant(-1));
  EXPECT_EQ(params_->Read("ReturnString"), Variant("审核单据时出现错误！请检查单据后再试。"));
  EXPECT_FALSE(params_->Exists("ReturnString2"));
  EXPECT_EQ(params_->Read("vectItemInfo").As<Vector>(), outcome.item_info);
  EXPECT_EQ(log().votes, (std::vector<std::string>{"abort"}));
}

TEST_F(CheckOutcomeTest, SuccessPutsTheOutcomeLineFirstAndVotesCommit) {
  frame::ClassFrame frame;
  CheckOutcome outcome = Outcome(0, "note; ");
  WriteSuccess(frame, outcome, *params_);
  EXPECT_EQ(params_->Read("ReturnString"), Variant("审核[编号：B-7]单据成功!note; "));

  DictionaryPtr multi = Dictionary::Create();
  CheckOutcome level = Outcome(0, "");
  WriteMultiLevelSuccess(frame, level, *multi);
  EXPECT_EQ(multi->Read("ReturnCode"), Variant(3));
  EXPECT_EQ(multi->Read("ReturnString"), Variant("多级审核[编号：B-7]单据成功!"));
  EXPECT_FALSE(multi->Exists("ReturnString2"));
  EXPECT_EQ(log().votes, (std::vector<std::string>{"commit", "commit"}));
}

}  // namespace
}  // namespace cb::check
