// Lock stock: deliveries against a reserving sales order shrink its reservation (and uncheck grows
// it back, never above the original), and no bill may leave less stock than is reserved.
#include "stock/lock_stock.h"

#include <gtest/gtest.h>

#include "stock/stock_fixture.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;

constexpr int32_t kSalesOrder = 900;

class LockStockTest : public testing::StockDatabase {
 protected:
  void SetUp() override {
    StockDatabase::SetUp();
    // A sales order entry that locks 10 Bolts in the main stock, which holds 20.
    Exec(
        "INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FQty, FLockFlag) VALUES (900, 1, "
        "7, 10, 1)");
    Exec(
        "INSERT INTO t_LockStock (FInterID, FEntryID, FTranType, FItemID, FStockID, FQty, FOrgQty) "
        "VALUES (900, 1, 81, 7, 1, 10, 10)");
    SetBalance("ICInventory", kBolt, kMainStock, 0, 20);
  }
  void Delivery(int32_t bill, double qty, int32_t order = kSalesOrder) {
    InsertEntries("ICStockBillEntry", bill,
                  {Entry{kBolt,
                         qty,
                         0,
                         {{"FDCStockID", "1"},
                          {"FOrderInterID", std::to_string(order)},
                          {"FOrderEntryID", "1"}}}});
  }
  double Locked(int32_t order = kSalesOrder) {
    return connection()
        ->Execute("SELECT FQty FROM t_LockStock WHERE FInterID=" + std::to_string(order))
        ->Field("FQty")
        .ToDouble();
  }
  int32_t LockFlag() {
    return connection()
        ->Execute("SELECT FLockFlag FROM SEOrderEntry")
        ->Field("FLockFlag")
        .ToInt32();
  }
};

TEST_F(LockStockTest, DeliveriesConsumeTheReservationAndUncheckRestoresItUpToTheOriginal) {
  Delivery(1, 4);
  Delivery(2, 6);
  Move(1, 21, 1);
  EXPECT_DOUBLE_EQ(Locked(), 6);
  EXPECT_EQ(LockFlag(), 1);
  Move(2, 21, 1);
  EXPECT_DOUBLE_EQ(Locked(), 0);
  EXPECT_EQ(LockFlag(), 0);
  Move(1, 21, 2);
  EXPECT_DOUBLE_EQ(Locked(), 4);
  EXPECT_EQ(LockFlag(), 1);
  Move(2, 21, 2);
  Move(2, 21, 2);  // a second uncheck cannot lift the reservation above what was locked
  EXPECT_DOUBLE_EQ(Locked(), 10);
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock), 26);
}

TEST_F(LockStockTest, UnrelatedIssueBelowTheReservationIsRefused) {
  Delivery(1, 4);
  Move(1, 21, 1);  // 16 in stock, 6 locked
  InsertEntries("ICStockBillEntry", 3, {Entry{kBolt, 11, 0, {{"FDCStockID", "1"}}}});
  const DictionaryPtr result = NewResult();
  EXPECT_FALSE(Run(StepParams(3, 29, 1), result));
  EXPECT_EQ(result->Read("ReturnCode").ToInt32(), kLockShort);
  EXPECT_EQ(result->Read("ReturnString").ToString(),
            "物料[Bolt]代码[1.01]在仓库[Main]中有锁库，当前操作会导致库存不足锁库!");
}

TEST_F(LockStockTest, ShortageAfterADeliveryThatChangedReservationsIsTheReleaseQuestion) {
  // A second order locks 9 more: 19 of 20 are reserved.
  Exec(
      "INSERT INTO t_LockStock (FInterID, FEntryID, FTranType, FItemID, FStockID, FQty, FOrgQty) "
      "VALUES (901, 1, 81, 7, 1, 9, 9)");
  // One against order 901 plus three unrelated: 16 left against 10 + 8 locked.
  InsertEntries(
      "ICStockBillEntry", 5,
      {Entry{kBolt, 1, 0, {{"FDCStockID", "1"}, {"FOrderInterID", "901"}, {"FOrderEntryID", "1"}}},
       Entry{kBolt, 3, 0, {{"FDCStockID", "1"}}}});
  const DictionaryPtr result = NewResult();
  EXPECT_FALSE(Run(StepParams(5, 21, 1), result));
  EXPECT_EQ(result->Read("ReturnCode").ToInt32(), kLockShortChanged);
  EXPECT_EQ(result->Read("ReturnString").ToString(),
            "物料[Bolt]代码[1.01]在仓库[Main]中有锁库，当前操作会导致库存不足锁库!");
}

TEST_F(LockStockTest, NegativeRowUnderALockIsRefusedEvenWhenNegativeStockIsAllowed) {
  profile_->Write("IC|UnderStock", "1");
  // Five from an empty place: the stock as a whole (15) still covers the 10 locked, the place
  // row goes to -5.
  InsertEntries("ICStockBillEntry", 6,
                {Entry{kBolt, 5, 0, {{"FDCStockID", "1"}, {"FDCSPID", "11"}}}});
  const DictionaryPtr result = NewResult();
  connection()->BeginTrans();  // the host rolls the refused call back
  EXPECT_FALSE(Run(StepParams(6, 29, 1), result));
  connection()->RollbackTrans();
  EXPECT_EQ(result->Read("ReturnCode").ToInt32(), kLockNegative);
  EXPECT_EQ(result->Read("ReturnString").ToString(),
            "物料[Bolt]代码[1.01]在仓库[Main]中有锁库，且会造成库存为负！不能更新库存!");
  // Re-check bit 4 skips the lock check.
  const DictionaryPtr accepted = NewResult();
  EXPECT_TRUE(Run(StepParams(6, 29, 1, 4), accepted));
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, 11), -5);
}

TEST_F(LockStockTest, ReCheckBitEightAdjustsReservationsWithoutChecking) {
  Exec(
      "INSERT INTO t_LockStock (FInterID, FEntryID, FTranType, FItemID, FStockID, FQty, FOrgQty) "
      "VALUES (901, 1, 81, 7, 1, 9, 9)");
  Delivery(1, 4);
  Exec("UPDATE ICInventory SET FQty=5");  // far below the 6 + 9 that stay locked
  frame::ClassFrame frame;
  std::string message;
  const DictionaryPtr stocks = Dictionary::Create();
  EXPECT_EQ(CheckLockStock(frame, kDsn, *Head(1, 21), 1, 8, *stocks, message, "zh", connection()),
            0);
  EXPECT_DOUBLE_EQ(Locked(kSalesOrder), 6);
  EXPECT_EQ(CheckLockStock(frame, kDsn, *Head(1, 21), 2, 0, *stocks, message, "zh", connection()),
            kLockShortChanged);
  EXPECT_DOUBLE_EQ(Locked(kSalesOrder), 10);
  EXPECT_EQ(message, "物料[Bolt]代码[1.01]在仓库[Main]中有锁库，当前操作会导致库存不足锁库!");
}

TEST_F(LockStockTest, ReCheckBitFourReleasesTheSourceOrdersLocks) {
  Delivery(1, 4);
  EXPECT_TRUE(Run(StepParams(1, 21, 1, 4), NewResult()));
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM t_LockStock"), 0);
}

TEST_F(LockStockTest, LockStockIsInUseWhenReservationsExistOrTheSwitchIsOn) {
  EXPECT_TRUE(IsLockStockInUse(kDsn, *profile_, *connection()));
  Exec("DELETE FROM t_LockStock");
  EXPECT_FALSE(IsLockStockInUse(kDsn, *profile_, *connection()));
  profile_->Write("IC|UseLockStock", "1");
  EXPECT_TRUE(IsLockStockInUse(kDsn, *profile_, *connection()));
}

}  // namespace
}  // namespace cb::stock
