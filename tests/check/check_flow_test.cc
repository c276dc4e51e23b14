// Whole CheckBill calls through CheckNow against a real database: guards, the stock driver, the
// credit step, the check flag and the last hook stage, with the state the host keeps afterwards.
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

TEST_F(CheckFlowTest, CheckOfAReceiptMovesStockAndWritesTheFlagThenASecondCheckIsRefused) {
  const DictionaryPtr first = RunAsHost(Request(kReceipt, 1, 1));
  EXPECT_EQ(Code(first), 0);
  EXPECT_EQ(Text(first, "ReturnString"), "审核[编号：WIN2001]单据成功!");
  EXPECT_EQ(Text(first, "ReturnString2"), "");
  EXPECT_EQ(log().votes.back(), "commit");
  EXPECT_DOUBLE_EQ(Balance(), 5);
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICStockBill WHERE FInterID=2001"), "16|1|\n");
  EXPECT_EQ(Dump("SELECT COUNT(*) FROM ICStockBill WHERE FInterID=2001 AND FCheckDate IS NULL"),
            "0|\n");

  const std::string state_after_check = ReceiptState();
  const DictionaryPtr second = RunAsHost(Request(kReceipt, 1, 1));
  const std::string refusal = "审核[编号：WIN2001]单据时未成功!该单已被审核!";
  EXPECT_EQ(Code(second), -1);
  EXPECT_EQ(Text(second, "ReturnString"), refusal);
  EXPECT_EQ(Text(second, "ReturnString2"), refusal);
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(ReceiptState(), state_after_check);
}

TEST_F(CheckFlowTest, UncheckOfACheckedReceiptMovesTheStockBackAndClearsTheFlag) {
  ASSERT_EQ(Code(RunAsHost(Request(kReceipt, 1, 1))), 0);
  const DictionaryPtr uncheck = RunAsHost(Request(kReceipt, 1, 2));
  EXPECT_EQ(Code(uncheck), 0);
  EXPECT_EQ(Text(uncheck, "ReturnString"), "反审核[编号：WIN2001]单据成功!");
  EXPECT_DOUBLE_EQ(Balance(), 0);
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus, FCheckDate FROM ICStockBill WHERE FInterID=2001"),
            "NULL|0|NULL|\n");

  // Nothing is left to uncheck.
  const DictionaryPtr again = RunAsHost(Request(kReceipt, 1, 2));
  EXPECT_EQ(Code(again), -1);
  EXPECT_EQ(Text(again, "ReturnString"), "反审核[编号：WIN2001]单据时未成功!该单还未被审核。");
  EXPECT_DOUBLE_EQ(Balance(), 0);
}

TEST_F(CheckFlowTest, GuardsRefuseBeforeAnythingIsWritten) {
  struct Case {
    const char* name;
    const char* setup;
    const char* expected;
  };
  const Case cases[] = {
      {"bill of an earlier period",
       "UPDATE t_SystemProfile SET FValue='4' WHERE FCategory='IC' AND FKey='CurrentPeriod'",
       "审核[编号：WIN2001]单据时未成功!不能审核以前会计期间的单据!"},
      {"voided bill", "UPDATE ICStockBill SET FCancelLation=1 WHERE FInterID=2001",
       "审核[编号：WIN2001]单据时未成功!当前单据已作废，不能审核"},
      {"closed bill", "UPDATE ICStockBill SET FStatus=3 WHERE FInterID=2001",
       "审核[编号：WIN2001]单据时未成功!该单已关闭!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Exec(c.setup);
    const std::string before = ReceiptState();
    const DictionaryPtr params = RunAsHost(Request(kReceipt, 1, 1));
    EXPECT_EQ(Code(params), -1);
    EXPECT_EQ(Text(params, "ReturnString"), c.expected);
    EXPECT_EQ(log().votes.back(), "abort");
    EXPECT_EQ(ReceiptState(), before);
    EXPECT_DOUBLE_EQ(Balance(), 0);
    // Undo the case's change for the next one.
    Exec("UPDATE t_SystemProfile SET FValue='1' WHERE FCategory='IC' AND FKey='CurrentPeriod'");
    Exec("UPDATE ICStockBill SET FCancelLation=0, FStatus=0 WHERE FInterID=2001");
  }
}

TEST_F(CheckFlowTest, ClosedSalesOutStockBillMayBeUncheckedButNotChecked) {
  Exec(
      "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus) VALUES (2101, "
      "'XOUT2101', 21, '2024-03-05', 3)");
  Exec(
      "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FSCStockID, FDCSPID) "
      "VALUES (2101, 1, 7, 2, 1, 11)");
  const DictionaryPtr check = RunAsHost(Request(2101, 21, 1));
  EXPECT_EQ(Code(check), -1);
  EXPECT_EQ(Text(check, "ReturnString"), "审核[编号：XOUT2101]单据时未成功!该单已关闭!");

  const DictionaryPtr uncheck = RunAsHost(Request(2101, 21, 2));
  EXPECT_EQ(Code(uncheck), 0) << Text(uncheck, "ReturnString");
  EXPECT_EQ(log().votes.back(), "commit");

  // The exception needs both: an open sales out-stock bill, or a closed receipt, is refused.
  Exec("UPDATE ICStockBill SET FStatus=0 WHERE FInterID=2101");
  Exec("UPDATE ICStockBill SET FStatus=3 WHERE FInterID=2001");
  const DictionaryPtr open_issue = RunAsHost(Request(2101, 21, 2));
  EXPECT_EQ(Text(open_issue, "ReturnString"),
            "反审核[编号：XOUT2101]单据时未成功!该单还未被审核。");
  const DictionaryPtr closed_receipt = RunAsHost(Request(kReceipt, 1, 2));
  EXPECT_EQ(Text(closed_receipt, "ReturnString"),
            "反审核[编号：WIN2001]单据时未成功!该单还未被审核。");
}

TEST_F(CheckFlowTest, ExemptSalesOutStockBillCarriesNoRefusalTextOfTheStatusGuard) {
  Exec(
      "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FStatus) VALUES (2101, "
      "'XOUT2101', 21, '2024-03-05', 3)");
  Exec(
      "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FDCStockID, FDCSPID) "
      "VALUES (2101, 1, 7, 2, 1, 11)");
  // The uncheck brings 2 back into stock, above the item's highest stock of 1: the alert asks.
  Exec("UPDATE t_SystemProfile SET FValue='1' WHERE FCategory='IC' AND FKey='UseHighInv'");
  Exec("UPDATE t_ICItem SET FHighLimit=1 WHERE FItemID=7");
  const DictionaryPtr uncheck = RunAsHost(Request(2101, 21, 2));
  EXPECT_EQ(Code(uncheck), 2);
  EXPECT_EQ(Text(uncheck, "ReturnString"), "更新库存数据时现有库存数量偏离库存限额!");
  EXPECT_EQ(Text(uncheck, "ReturnString2"), "更新库存数据时现有库存数量偏离库存限额!是否继续？");
}

TEST_F(CheckFlowTest, EmptySystemProfileTakesTheErrorExit) {
  Exec("DELETE FROM t_SystemProfile");
  const std::string before = ReceiptState();
  const DictionaryPtr params = RunAsHost(Request(kReceipt, 1, 1));
  EXPECT_EQ(Code(params), -1);
  EXPECT_EQ(Text(params, "ReturnString"), "审核单据时出现错误！请检查单据后再试。");
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(ReceiptState(), before);
}

TEST_F(CheckFlowTest, TypeWithoutHandlerPassesTheDefaultCreditAndWritesTheCheckFlag) {
  const DictionaryPtr params = RunAsHost(Request(kProductionOrder, 85, 1));
  EXPECT_EQ(Code(params), 0);
  EXPECT_EQ(Text(params, "ReturnString"), "审核[编号：MO3001]单据成功!");
  const VectorPtr items = params->Read("vectItemInfo").As<Vector>();
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(items->Count(), 0u);
  EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM ICMO WHERE FInterID=3001"), "16|1|\n");
  EXPECT_DOUBLE_EQ(Balance(), 0);
}

TEST_F(CheckFlowTest, TypesWhoseHandlerIsNotBuiltAreRefusedNamingTheTypeAndKeepTheirFlag) {
  struct Case {
    int32_t tran_type;
    const char* head;
    const char* entry;  // "" for a type without an entry table
  };
  const Case cases[] = {
      {65, "ICPlanAdjPrice", "INSERT INTO ICPlanAdjPriEntry (FInterID, FItemID) VALUES (5001, 7)"},
      {46, "ICQCBill", ""},
      {715, "ICQCBill", ""},
      // The purchase order names its supplier: an order without one is refused before the type
      // step.
      {71, "POOrder",
       "INSERT INTO POOrderEntry (FInterID, FEntryID, FItemID) VALUES (5001, 1, 7)\r\n"
       "UPDATE POOrder SET FSupplyID = 8 WHERE FInterID = 5001"},
      {75, "ICPurchase",
       "INSERT INTO ICPurchaseEntry (FInterID, FEntryID, FItemID) VALUES (5001, 1, 7)"},
      {86, "ICSale", "INSERT INTO ICSaleEntry (FInterID, FEntryID, FItemID) VALUES (5001, 1, 7)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tran_type);
    const std::string head = c.head;
    const std::string type = std::to_string(c.tran_type);
    Exec("INSERT INTO " + head + " (FInterID, FBillNo, FTranType, FDate) VALUES (5001, 'B" + type +
         "', " + type + ", '2024-03-05')");
    if (*c.entry != '\0') Exec(c.entry);
    const DictionaryPtr params = RunAsHost(Request(5001, c.tran_type, 1));
    EXPECT_EQ(Code(params), -1);
    EXPECT_EQ(Text(params, "ReturnString"), "审核[编号：B" + type + "]单据时未成功!事务类型" +
                                                type + "的单据处理尚未提供，不能继续!");
    EXPECT_EQ(log().votes.back(), "abort");
    EXPECT_EQ(Dump("SELECT FCheckerID, FStatus FROM " + head + " WHERE FInterID=5001"),
              "NULL|0|\n");
    Exec("DELETE FROM " + head + " WHERE FInterID=5001");
  }
}

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

TEST_F(CheckFlowTest, ABillThatMovesStockOnSaveMovesItOnSaveVoidRestoreAndDeleteButNotOnCheck) {
  Exec("UPDATE ICStockBill SET FUpStockWhenSave=1 WHERE FInterID=2001");
  struct Step {
    int32_t operate_code;
    double balance;
  };
  // Save receives, void takes back, restore receives again, check leaves stock alone, delete takes
  // back.
  for (const Step& step : {Step{4, 5}, Step{32, 0}, Step{16, 5}, Step{1, 5}, Step{8, 0}}) {
    const DictionaryPtr result = RunAsHost(Request(kReceipt, 1, step.operate_code));
    EXPECT_EQ(Code(result), 0) << step.operate_code << ": " << Text(result, "ReturnString");
    EXPECT_DOUBLE_EQ(Balance(), step.balance) << "after operation " << step.operate_code;
  }
}

}  // namespace
}  // namespace cb::check
