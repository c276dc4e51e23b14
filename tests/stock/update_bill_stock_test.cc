// The stock update driver: the stock-timing gate, the balance update, and what it hands back to
// CheckBill on success, refusal and error.
#include "stock/update_bill_stock.h"

#include <gtest/gtest.h>

#include "stock/apply_temp_bill.h"
#include "stock/stock_fixture.h"
#include "support/fake_connection.h"
#include "support/fault_injecting_connection.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;
using testing::kNut;
using testing::kShelfA;

const std::vector<std::pair<std::string, std::string>> kMainShelfA = {{"FDCStockID", "1"},
                                                                      {"FDCSPID", "11"}};

class UpdateBillStockTest : public testing::StockDatabase {};

TEST_F(UpdateBillStockTest, StockTimingGateSkipsOperationsThatDoNotMoveStock) {
  InsertEntries("ICStockBillEntry", 1, {Entry{kBolt, 5, 0, kMainShelfA}});
  struct Case {
    int32_t operate_code;
    bool up_stock_when_save;
    double expected;
  };
  // A bill that updates stock on save moves it on save, delete, void and un-void; any other bill
  // on check and uncheck.
  const Case cases[] = {{1, true, 0},   {2, true, 0},   {4, false, 0}, {8, false, 0},
                        {16, false, 0}, {32, false, 0}, {4, true, 5},  {1, false, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE("operation " + std::to_string(c.operate_code));
    Exec("DELETE FROM ICInventory");
    const DictionaryPtr result = NewResult();
    EXPECT_TRUE(Run(StepParams(1, 1, c.operate_code, 0, c.up_stock_when_save), result));
    EXPECT_EQ(result->Read("ReturnCode").ToInt32(), 0);
    EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, kShelfA), c.expected);
    EXPECT_TRUE(result->Exists("vectDeleteItem"));
  }
}

TEST_F(UpdateBillStockTest, EntriesOfOneKeyAreSummedAndANewKeyIsInserted) {
  SetBalance("ICInventory", kBolt, kMainStock, kShelfA, 1.5, 1);
  InsertEntries("ICStockBillEntry", 2,
                {Entry{kBolt, 2, 1, kMainShelfA}, Entry{kBolt, 3, 2, kMainShelfA},
                 Entry{kNut, 4, 0, kMainShelfA}});
  Move(2, 1, 1);
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, kShelfA), 6.5);
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, kShelfA, "", true), 4);
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory WHERE FItemID=7"), 1);
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory WHERE FItemID=8 AND FBrNo='' AND FQty=4"),
            1);
  EXPECT_EQ(log().votes.back(), "commit");
}

TEST_F(UpdateBillStockTest, EntryWithoutAKnownStockChangesNoBalance) {
  InsertEntries("ICStockBillEntry", 3,
                {Entry{kBolt, 2, 0, {}}, Entry{kBolt, 3, 0, {{"FDCStockID", "99"}}}});
  Move(3, 1, 1);
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory"), 0);
}

TEST_F(UpdateBillStockTest, DecimalResidueNeverLooksNegative) {
  SetBalance("ICInventory", kBolt, kMainStock, kShelfA, 0.3);
  InsertEntries("ICStockBillEntry", 4,
                {Entry{kBolt, 0.1, 0, kMainShelfA}, Entry{kBolt, 0.2, 0, kMainShelfA}});
  Move(4, 21, 1);  // issue exactly what is there, negative stock not allowed
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory WHERE FQty<0"), 0);
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory WHERE FQty=0"), 1);
}

TEST_F(UpdateBillStockTest, RefusalReportsTheStepCodeAndMessageAndVotesAbort) {
  InsertEntries("ICStockBillEntry", 5, {Entry{kBolt, 2, 0, kMainShelfA}});
  const DictionaryPtr result = NewResult();
  EXPECT_FALSE(Run(StepParams(5, 21, 1), result));
  EXPECT_EQ(result->Read("ReturnCode").ToInt32(), 1);
  EXPECT_EQ(result->Read("ReturnString").ToString(), "物料[Bolt]代码[1.01]库存数量不允许负数!");
  EXPECT_EQ(result->Read("VectItemInfo").As<Vector>(), nullptr)
      << "no stock limit is switched on: the alert did nothing and hands back nothing";
  EXPECT_EQ(log().votes.back(), "abort");
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory"), 0) << "refused before the update";
  EXPECT_THROW(connection()->Execute("SELECT COUNT(*) FROM #TempBill"), Error)
      << "#TempBill is dropped on the failure exit";
}

TEST(ApplyTempBill, AnyErrorIsReportedAsAFailureWithItsDescription) {
  auto broken = std::make_shared<cb::testing::FakeConnection>();
  broken->FailWithForeignError("connection reset");
  frame::ClassFrame frame;
  std::string message;
  EXPECT_TRUE(ApplyTempBill(frame, "", 1, message, broken));
  EXPECT_NE(message.find("connection reset"), std::string::npos) << message;
}

TEST_F(UpdateBillStockTest, DatabaseErrorInAnyStatementEndsInTheFailureExit) {
  InsertEntries("ICStockBillEntry", 6, {Entry{kBolt, 2, 0, kMainShelfA}});
  // Fail each statement of a receipt check in turn, inside a transaction that is rolled back
  // afterwards as the host does. Every failure must end in the failure exit: -1, or the
  // virtual-stock step's own -200022. The drops of temporary tables are no exception: they forgive
  // only a missing table, and the injected fault is not one.
  std::vector<int64_t> passed_despite_fault;
  int64_t statements = 0;
  for (int64_t fail_at = 1; statements == 0; ++fail_at) {
    SCOPED_TRACE("fault at statement " + std::to_string(fail_at));
    auto faulty = std::make_shared<cb::testing::FaultInjectingConnection>(connection(), fail_at);
    const DictionaryPtr result = NewResult();
    frame::ClassFrame frame;
    connection()->BeginTrans();
    const bool ok = UpdateBillStock(frame, kDsn, *StepParams(6, 1, 1), *result, faulty, nullptr);
    connection()->RollbackTrans();
    if (faulty->statement_count() < fail_at) {  // the fault was never reached
      statements = fail_at - 1;
      EXPECT_TRUE(ok);
    } else if (ok) {
      passed_despite_fault.push_back(fail_at);
    } else {
      const int32_t code = result->Read("ReturnCode").ToInt32();
      EXPECT_TRUE(code == -1 || code == -200022) << code;
      EXPECT_NE(result->Read("ReturnString").ToString().find("Injected fault"), std::string::npos);
      EXPECT_EQ(log().votes.back(), "abort");
    }
    EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, kShelfA), 0);
  }
  EXPECT_GE(statements, 10);
  EXPECT_EQ(passed_despite_fault, std::vector<int64_t>{});
}

}  // namespace
}  // namespace cb::stock
