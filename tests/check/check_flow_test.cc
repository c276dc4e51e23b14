// Whole CheckBill calls that meet the host's own components: the credit components, the bill hooks
// and the stage hooks, scripted here, with the state the host keeps afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "check/check_bill.h"
#include "check/flow_fixture.h"
#include "frame/class_frame.h"
#include "platform/services/pending_error.h"
#include "platform/services/sales_credit.h"
#include "platform/variant/error.h"
#include "platform/variant/vector.h"

namespace cb::check {
namespace {

using hooks::testing::Journal;
using testing::FlowDatabase;
using testing::kProductionOrder;
using testing::kReceipt;

// A host's credit components: they count their calls and refuse every bill.
struct CreditCalls {
  bool adjust_succeeds = true;
  int adjusted = 0;
  int tested = 0;
  DictionaryPtr last_request;
};

class CountingSetData : public services::SaleCreditSetData {
 public:
  explicit CountingSetData(std::shared_ptr<CreditCalls> calls) : calls_(std::move(calls)) {}
  bool AdjustCredit(DictionaryPtr& credit_request) override {
    ++calls_->adjusted;
    calls_->last_request = credit_request;
    return calls_->adjust_succeeds;
  }

 private:
  std::shared_ptr<CreditCalls> calls_;
};

class RefusingGetData : public services::SaleCreditGetData {
 public:
  explicit RefusingGetData(std::shared_ptr<CreditCalls> calls) : calls_(std::move(calls)) {}
  bool CheckCredit(DictionaryPtr& /*credit_request*/, ObjectPtr& credit_info) override {
    ++calls_->tested;
    DictionaryPtr info = Dictionary::Create();
    info->Write("Overrun", 250.0);
    credit_info = info;
    return false;
  }

 private:
  std::shared_ptr<CreditCalls> calls_;
};

class CheckFlowTest : public FlowDatabase {
 protected:
  void RegisterHook(int32_t type, int32_t detail, const std::string& prog_id) {
    Exec(
        "INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex, FComponentSrv) "
        "VALUES (" +
        std::to_string(type) + ", " + std::to_string(detail) + ", 1, '" + prog_id + "')");
  }
  void RegisterRefusingCredit() {
    components_.Add(std::string(services::kSaleCreditSetDataProgID),
                    [calls = credit_] { return std::make_shared<CountingSetData>(calls); });
    components_.Add(std::string(services::kSaleCreditGetDataProgID),
                    [calls = credit_] { return std::make_shared<RefusingGetData>(calls); });
  }
  static std::string Text(const DictionaryPtr& params, const char* key) {
    return params->Read(key).ToString();
  }
  static int32_t Code(const DictionaryPtr& params) { return params->Read("ReturnCode").ToInt32(); }

  std::shared_ptr<CreditCalls> credit_ = std::make_shared<CreditCalls>();
  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
};

TEST_F(CheckFlowTest, CreditRefusalOfAHostComponentReplacesTheTextAndReCheckBitAcceptsIt) {
  RegisterRefusingCredit();
  const DictionaryPtr refused = RunAsHost(Request(kProductionOrder, 85, 1));
  EXPECT_EQ(Code(refused), 512);
  EXPECT_EQ(Text(refused, "ReturnString"), "信用超支，操作不成功!");
  EXPECT_EQ(Text(refused, "ReturnString2"), "信用超支，操作不成功!");
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICMO WHERE FInterID=3001"), "NULL|0|\n");
  // The credit information reaches the caller in both item lists.
  const VectorPtr items = refused->Read("vectItemInfo").As<Vector>();
  ASSERT_NE(items, nullptr);
  ASSERT_EQ(items->Count(), 1u);
  const DictionaryPtr info = items->Item(0).As<Dictionary>();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Read("Overrun"), Variant(250.0));
  EXPECT_EQ(refused->Read("vctItemInfo").As<Vector>(), items);

  ASSERT_NE(credit_->last_request, nullptr);
  const Dictionary& request = *credit_->last_request;
  EXPECT_EQ(request.Read("sDsn"), Variant(kDsn));
  EXPECT_EQ(request.Read("BillSource"), Variant(0));
  EXPECT_EQ(request.Read("TranType"), Variant(85));
  EXPECT_EQ(request.Read("FInterID"), Variant(kProductionOrder));
  EXPECT_EQ(request.Read("ActType"), Variant(5));
  EXPECT_EQ(request.Read("DoSwitch"), Variant(1));

  const DictionaryPtr accepted = RunAsHost(Request(kProductionOrder, 85, 1, 512));
  EXPECT_EQ(Code(accepted), 0);
  EXPECT_EQ(credit_->adjusted, 2) << "the credit data is adjusted on both calls";
  EXPECT_EQ(credit_->tested, 1) << "the limit test is skipped on the accepted call";
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICMO WHERE FInterID=3001"), "16|1|\n");

  // A failed adjustment refuses even an accepted overrun: here an uncheck, which adjusts back.
  credit_->adjust_succeeds = false;
  const DictionaryPtr unchecked = RunAsHost(Request(kProductionOrder, 85, 2, 512));
  EXPECT_EQ(Code(unchecked), 512);
  EXPECT_EQ(Text(unchecked, "ReturnString"), "信用超支，操作不成功!");
  EXPECT_EQ(credit_->last_request->Read("DoSwitch"), Variant(0));
  EXPECT_EQ(credit_->tested, 1);
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICMO WHERE FInterID=3001"), "16|1|\n");
}

// How the bill hooks (type 9) and the stage hooks (type 2) meet a check: a bill hook's refusal or
// question is the call's answer before any stage runs, a stage's veto ends the call and rolls
// everything back, and agreeing hooks let the check finish.
TEST_F(CheckFlowTest, BillAndStageHooksRunInOrderAndTheirRefusalIsTheAnswer) {
  struct Case {
    const char* name;
    int32_t operate_code;
    int32_t bill_code;  // what the bill hook answers
    const char* bill_text;
    int32_t veto_stage;  // the stage that refuses; 0: none
    const char* stage_text;
    int32_t code;
    std::string text;
    std::string question;
    size_t hooks_run;  // how many of the four hook calls ran, in order
  };
  const std::string refused = "审核[编号：WIN2001]单据时未成功!";
  const std::string uncheck_refused = "反审核[编号：WIN2001]单据时未成功!site says no";
  const std::string locked = refused + "locked rows; ";
  const std::string release = "是否继续？如果继续，则会清除相关单据锁库信息!";
  const Case cases[] = {
      {"bill veto", 2, -3, "site says no", 0, "", -1, uncheck_refused, uncheck_refused, 1},
      {"bill question", 1, -200, "locked rows; ", 0, "", -200, locked, locked + release, 1},
      {"first stage veto", 1, 0, "", 200001, "", -1, refused + "No Information", "", 2},
      {"last stage veto", 1, 0, "", 200003, "site veto", -1, refused + "site veto", "", 4},
      {"all agree", 1, 0, "", 0, "", 0, "审核[编号：WIN2001]单据成功!", "", 4},
  };
  const Journal all = {"Site.Bill", "Site.Stage@200001", "Site.Stage@200002", "Site.Stage@200003"};
  Exec("UPDATE ICStockBill SET FROB=-1 WHERE FInterID=2001");
  RegisterHook(9, 1, "Site.Bill");
  for (int32_t stage : {200001, 200002, 200003}) RegisterHook(2, stage, "Site.Stage");
  const Case* current = nullptr;
  DictionaryPtr seen;
  components_.Bill("Site.Bill", journal_,
                   [&](auto&, DictionaryPtr& hook, int32_t& ret, std::string& msg) {
                     seen = hook;
                     ret = current->bill_code;
                     msg = current->bill_text;
                   });
  components_.Stage("Site.Stage", journal_, [&](int32_t& stage, DictionaryPtr& hook) {
    seen = hook;
    if (stage != current->veto_stage) return true;
    if (*current->stage_text != 0) hook->Write("ErrDescription", current->stage_text);
    return false;
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    current = &c;
    journal_->clear();
    const DictionaryPtr result = RunAsHost(Request(kReceipt, 1, c.operate_code));
    EXPECT_EQ(*journal_, Journal(all.begin(), all.begin() + c.hooks_run));
    EXPECT_EQ(Code(result), c.code);
    EXPECT_EQ(Text(result, "ReturnString"), c.text);
    if (!c.question.empty() || c.code == 0) {
      EXPECT_EQ(Text(result, "ReturnString2"), c.question);
    }
    EXPECT_EQ(log().votes.back(), c.code == 0 ? "commit" : "abort");
    // Refusals come before the agreeing call: they leave the receipt unchecked and unmoved.
    EXPECT_DOUBLE_EQ(Balance(), c.code == 0 ? 5 : 0);
    EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICStockBill WHERE FInterID=2001"),
              c.code == 0 ? "16|1|\n" : "NULL|0|\n");
    if (c.code != 0) {
      const VectorPtr items = result->Read("vectItemInfo").As<Vector>();
      ASSERT_NE(items, nullptr);
      EXPECT_EQ(items->Count(), 0u);
    }
  }
  // The hooks saw the bill of their call.
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->Read("sDsn"), Variant(kDsn));
  EXPECT_EQ(seen->Read("OperateCode"), Variant(1));
  EXPECT_EQ(seen->Read("InterID"), Variant(kReceipt));
  EXPECT_EQ(seen->Read("TranType"), Variant(1));
  EXPECT_EQ(seen->Read("ROB"), Variant(-1));
  // A head without FROB, as the production order's, gives them ROB 0.
  RunAsHost(Request(kProductionOrder, 85, 1));
  EXPECT_EQ(seen->Read("TranType"), Variant(85));
  EXPECT_EQ(seen->Read("ROB"), Variant(0));
}

// English texts are joined as the catalogue writes them; nothing rewrites the bill number or a
// component's text.
TEST_F(CheckFlowTest, EnglishResultKeepsBillNumberAndComponentTextAsTheyAre) {
  set_language("en");
  Exec("UPDATE ICStockBill SET FBillNo='WIN!A1' WHERE FInterID=2001");
  RegisterHook(9, 1, "Site.Veto");
  components_.Bill("Site.Veto", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = -3;
    msg = "Stop!Now";
  });
  const DictionaryPtr params = RunAsHost(Request(kReceipt, 1, 2));
  const std::string expected = "Bill [number: WIN!A1]: uncheck did not succeed! Stop!Now";
  EXPECT_EQ(Text(params, "ReturnString"), expected);
  EXPECT_EQ(Text(params, "ReturnString2"), expected);
}

// An error a component left pending is appended to a refusal's text, after the question is taken.
TEST_F(CheckFlowTest, RefusalCarriesThePendingError) {
  RegisterHook(9, 1, "Site.Pending");
  components_.Bill("Site.Pending", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    services::SetPendingError(Error(-9, "site", " (pending detail)"));
    ret = -204;
    msg = "warn; ";
  });
  const DictionaryPtr params = RunAsHost(Request(kReceipt, 1, 1));
  services::ClearPendingError();
  const std::string message = "审核[编号：WIN2001]单据时未成功!warn; ";
  EXPECT_EQ(Text(params, "ReturnString"), message + " (pending detail)");
  EXPECT_EQ(Text(params, "ReturnString2"), message + "是否继续？");
}

// A request the call cannot read raises to the host rather than answering an error exit.
TEST_F(CheckFlowTest, UnreadableRequestRaisesAndWritesNoResult) {
  const std::pair<const char*, Variant> cases[] = {
      {"ReCheck", "twice"},
      {"CheckDate", "2024-02-30"},
      {"CheckDate", "next week"},
      {"InterID", Variant::Null()},
  };
  frame::ClassFrame frame;
  Variant rs;
  for (const auto& [key, value] : cases) {
    DictionaryPtr params = Request(kReceipt, 1, 1);
    params->Write(key, value);
    EXPECT_THROW(CheckBill(frame, params, rs), Error) << key;
    EXPECT_FALSE(params->Exists("ReturnCode")) << key;
  }
  DictionaryPtr none;
  EXPECT_THROW(CheckBill(frame, none, rs), Error);
}

// The stock moves themselves are the receipt scenarios' rule; here the hooks and the credit
// components, which are asked for a check or an uncheck only.
TEST_F(CheckFlowTest, WriteBackHooksRunOnlyWhenTheOperationMovesTheBillsStock) {
  RegisterHook(2, 200002, "Site.WriteBack");
  components_.Stage("Site.WriteBack", journal_);
  // A production order is not a stock-moving head; a receipt that moves stock on save does not
  // move it on check.
  EXPECT_EQ(Code(RunAsHost(Request(kProductionOrder, 85, 1))), 0);
  Exec("UPDATE ICStockBill SET FUpStockWhenSave=1 WHERE FInterID=2001");
  EXPECT_EQ(Code(RunAsHost(Request(kReceipt, 1, 1))), 0);
  EXPECT_TRUE(journal_->empty());

  // Its save does, without asking the credit components.
  RegisterRefusingCredit();
  EXPECT_EQ(Code(RunAsHost(Request(kReceipt, 1, 4))), 0);
  EXPECT_EQ(*journal_, (Journal{"Site.WriteBack@200002"}));
  EXPECT_EQ(credit_->adjusted, 0);

  // During initialisation a bill dated before the start-up writes nothing back.
  journal_->clear();
  Exec("UPDATE t_SystemProfile SET FValue='0' WHERE FCategory='IC' AND FKey='ICClosed'");
  Exec("UPDATE ICStockBill SET FDate='2023-12-05' WHERE FInterID=2001");
  EXPECT_EQ(Code(RunAsHost(Request(kReceipt, 1, 8))), 0);
  EXPECT_TRUE(journal_->empty());
}

}  // namespace
}  // namespace cb::check
