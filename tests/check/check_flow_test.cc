// Whole CheckBill calls that meet the host's own components: the credit components and the stage
// hooks, scripted here, with the state the host keeps afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "check/flow_fixture.h"
#include "platform/services/sales_credit.h"
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
  void RegisterStageHook(int32_t stage, const std::string& prog_id) {
    Exec(
        "INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex, FComponentSrv) "
        "VALUES (2, " +
        std::to_string(stage) + ", 1, '" + prog_id + "')");
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

TEST_F(CheckFlowTest, CreditRefusalOfAHostComponentReplacesTheTextAndReCheckBitLetsItPass) {
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
}

TEST_F(CheckFlowTest, FailedCreditAdjustmentRefusesEvenWhenTheOverrunWasAccepted) {
  RegisterRefusingCredit();
  credit_->adjust_succeeds = false;
  Exec("UPDATE ICMO SET FCheckerID=16, FStatus=1 WHERE FInterID=3001");
  const DictionaryPtr params = RunAsHost(Request(kProductionOrder, 85, 2, 512));
  EXPECT_EQ(Code(params), 512);
  EXPECT_EQ(Text(params, "ReturnString"), "信用超支，操作不成功!");
  EXPECT_EQ(credit_->last_request->Read("DoSwitch"), Variant(0));
  EXPECT_EQ(credit_->tested, 0);
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICMO WHERE FInterID=3001"), "16|1|\n");
}

TEST_F(CheckFlowTest, CreditIsNotAskedForOperationsOtherThanCheckAndUncheck) {
  RegisterRefusingCredit();
  // A save of a receipt that does not move stock on save: nothing to do, nothing refused.
  const DictionaryPtr params = RunAsHost(Request(kReceipt, 1, 4));
  EXPECT_EQ(Code(params), 0);
  EXPECT_EQ(credit_->adjusted, 0);
  EXPECT_DOUBLE_EQ(Balance(), 0);
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICStockBill WHERE FInterID=2001"), "NULL|0|\n");
}

TEST_F(CheckFlowTest, StageHooksRunInOrderAndAVetoAtTheLastStageRollsEverythingBack) {
  for (int32_t stage : {200001, 200002, 200003}) RegisterStageHook(stage, "Site.Stage");
  bool veto = false;
  components_.Stage("Site.Stage", journal_, [&veto](int32_t& stage, DictionaryPtr& hook) {
    if (!veto || stage != 200003) return true;
    hook->Write("ErrDescription", "site veto");
    return false;
  });

  veto = true;
  const std::string before = ReceiptState();
  const DictionaryPtr vetoed = RunAsHost(Request(kReceipt, 1, 1));
  EXPECT_EQ(*journal_, (Journal{"Site.Stage@200001", "Site.Stage@200002", "Site.Stage@200003"}));
  EXPECT_EQ(Code(vetoed), -1);
  EXPECT_EQ(Text(vetoed, "ReturnString"), "审核[编号：WIN2001]单据时未成功!site veto");
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(ReceiptState(), before);
  EXPECT_DOUBLE_EQ(Balance(), 0);

  veto = false;
  journal_->clear();
  EXPECT_EQ(Code(RunAsHost(Request(kReceipt, 1, 1))), 0);
  EXPECT_DOUBLE_EQ(Balance(), 5);
}

TEST_F(CheckFlowTest, WriteBackHooksRunOnlyWhenTheOperationMovesTheBillsStock) {
  RegisterStageHook(200002, "Site.WriteBack");
  components_.Stage("Site.WriteBack", journal_);
  // A production order is not a stock-moving head; a receipt that moves stock on save does not
  // move it on check.
  EXPECT_EQ(Code(RunAsHost(Request(kProductionOrder, 85, 1))), 0);
  Exec("UPDATE ICStockBill SET FUpStockWhenSave=1 WHERE FInterID=2001");
  EXPECT_EQ(Code(RunAsHost(Request(kReceipt, 1, 1))), 0);
  EXPECT_TRUE(journal_->empty());
  EXPECT_DOUBLE_EQ(Balance(), 0);

  // Its save does.
  EXPECT_EQ(Code(RunAsHost(Request(kReceipt, 1, 4))), 0);
  EXPECT_EQ(*journal_, (Journal{"Site.WriteBack@200002"}));
  EXPECT_DOUBLE_EQ(Balance(), 5);
}

}  // namespace
}  // namespace cb::check
