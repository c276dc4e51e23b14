// The safety-stock alert: rows whose new balance leaves a switched-on limit are reported as a tip,
// with a formatted item table, unless the user has already accepted it.
#include "stock/stock_limits.h"

#include <gtest/gtest.h>

#include "stock/stock_fixture.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;
using testing::kVirtualStock;

class StockLimitsTest : public testing::StockDatabase {
 protected:
  void SetUp() override {
    StockDatabase::SetUp();
    // Bolt: lowest 2, safety 5, highest 1000.
    Exec("UPDATE t_ICItem SET FLowLimit=2, FSecInv=5, FHighLimit=1000 WHERE FItemID=7");
    SetBalance("ICInventory", kBolt, kMainStock, 0, 1234.5);
  }
  DictionaryPtr RunIssue(int32_t bill, double qty, int32_t stock = kMainStock,
                         int32_t item = kBolt) {
    InsertEntries("ICStockBillEntry", bill,
                  {Entry{item, qty, 0, {{"FDCStockID", std::to_string(stock)}}}});
    const DictionaryPtr result = NewResult();
    connection()->BeginTrans();
    Run(StepParams(bill, 29, 1), result);
    connection()->RollbackTrans();
    return result;
  }
};

TEST_F(StockLimitsTest, IssueBelowSafetyStockIsReportedAsATipWithTheItemTable) {
  profile_->Write("IC|UseSafeInv", "1");
  profile_->Write("IC|UnderStock", "1");
  const DictionaryPtr result = RunIssue(1, 1231.5);  // leaves 3: above lowest, below safety
  EXPECT_EQ(result->Read("ReturnCode").ToInt32(), 2);
  EXPECT_EQ(result->Read("ShowStockWarnTip").ToInt32(), 1);
  EXPECT_EQ(result->Read("ReturnString").ToString(), "更新库存数据时现有库存数量偏离库存限额!");
  const auto items = result->Read("VectItemInfo").As<Vector>();
  ASSERT_TRUE(items);
  ASSERT_EQ(items->Count(), 4u);
  const auto order = items->Item(0).As<Dictionary>();
  const auto captions = items->Item(1).As<Dictionary>();
  const auto flags = items->Item(2).As<Dictionary>();
  EXPECT_EQ(order->Read("FReturnResult").ToInt32(), 10);
  EXPECT_EQ(captions->Read("FSafeInv").ToString(), "安全库存$");
  EXPECT_EQ(flags->Read("FName").ToInt32(), 0);
  EXPECT_EQ(flags->Read("FDiffForLow").ToInt32(), 1);
  const auto row = items->Item(3).As<Dictionary>();
  EXPECT_EQ(row->Read("FNumber").ToString(), "1.01");
  EXPECT_EQ(row->Read("FCurInvQty").ToString(), "1,234.50");
  EXPECT_EQ(row->Read("FSafeInv").ToString(), "5.00");
  EXPECT_EQ(row->Read("FDiffForSafe").ToString(), "-2.00");
  EXPECT_EQ(row->Read("FDiffForHigh").ToString(), "997.00");
  EXPECT_EQ(row->Read("FReturnResult").ToString(), "物料[Bolt]代码[1.01]存储低于或等于安全库存");
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock), 1234.5);
}

TEST_F(StockLimitsTest, AcceptedTipOrSkippingBitLetsTheBillThrough) {
  profile_->Write("IC|UseSafeInv", "1");
  InsertEntries("ICStockBillEntry", 2, {Entry{kBolt, 1231.5, 0, {{"FDCStockID", "1"}}}});
  const DictionaryPtr accepted = StepParams(2, 29, 1);
  accepted->Write("YesWhenStockWarnTip", 1);
  const DictionaryPtr result = NewResult();
  EXPECT_TRUE(Run(accepted, result));
  EXPECT_EQ(result->Read("ShowStockWarnTip").ToInt32(), 0);
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock), 3);
  Move(2, 29, 2);
  EXPECT_TRUE(Run(StepParams(2, 29, 1, 2), NewResult()));
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock), 3);
}

TEST_F(StockLimitsTest, EachLimitIsTestedOnlyWhenSwitchedOnAndOnlyStrictlyBeyondIt) {
  struct Case {
    std::string name;
    std::string high, low, safe;
    double issue;  // from 1234.5
    int32_t code;
    std::string conclusion;
  };
  const Case cases[] = {
      {"at the safety stock exactly", "0", "0", "1", 1229.5, 0, ""},
      {"below lowest and safety, both on", "0", "1", "1", 1233.5, 2,
       "物料[Bolt]代码[1.01]存储低于或等于最低库存    存储低于或等于安全库存"},
      {"below safety, only lowest on", "0", "1", "0", 1231.5, 0, ""},
      {"above highest", "1", "0", "0", -100, 2, "物料[Bolt]代码[1.01]存储超过或等于最高库存    "},
  };
  int32_t bill = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    profile_->Write("IC|UseHighInv", c.high);
    profile_->Write("IC|UseLowInv", c.low);
    profile_->Write("IC|UseSafeInv", c.safe);
    const DictionaryPtr result = RunIssue(++bill, c.issue);
    EXPECT_EQ(result->Read("ReturnCode").ToInt32(), c.code);
    if (c.code == 2) {
      const auto items = result->Read("VectItemInfo").As<Vector>();
      ASSERT_EQ(items->Count(), 4u);
      EXPECT_EQ(items->Item(3).As<Dictionary>()->Read("FReturnResult").ToString(), c.conclusion);
    }
  }
}

TEST_F(StockLimitsTest, VirtualStockIsComparedWithTheVirtualBalance) {
  profile_->Write("IC|UseSafeInv", "1");
  profile_->Write("IC|UnderStock", "1");
  SetBalance("POInventory", kBolt, kVirtualStock, 0, 10);
  SetBalance("ICInventory", kBolt, kVirtualStock, 0, 1000);
  // A type-29 issue moves ICInventory, but a stock of type 502 is judged by POInventory: 10 - 6.
  const DictionaryPtr result = RunIssue(30, 6, kVirtualStock);
  ASSERT_EQ(result->Read("ReturnCode").ToInt32(), 2);
  const auto row = result->Read("VectItemInfo").As<Vector>()->Item(3).As<Dictionary>();
  EXPECT_EQ(row->Read("FCurInvQty").ToString(), "10.00");
}

}  // namespace
}  // namespace cb::stock
