// The checks before the balances change: opposite signs always refuse, negative balances refuse,
// ask, or pass by the negative-stock switches and the user's answer.
#include "stock/stock_before_update.h"

#include <gtest/gtest.h>

#include "stock/stock_fixture.h"
#include "stock/temp_bill.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;
using testing::kShelfA;
using testing::kSpareStock;

class StockBeforeUpdateTest : public testing::StockDatabase {};

TEST_F(StockBeforeUpdateTest, OppositeSignsRefuseEvenWhenNegativeStockIsAllowed) {
  struct Case {
    int32_t stock;
    int32_t place;
    std::string batch;
    std::string message;
  };
  const Case cases[] = {
      {kMainStock, kShelfA, "B1",
       "更新仓库[Main]代码[WH01]仓位[Shelf A]仓位代码[A-01]库存数据时物料[Bolt]物料代码[1.01]"
       "辅助属性[]批号[B1]的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!"},
      {kSpareStock, 0, "B2",
       "更新仓库[Spare]代码[WH02]库存数据时物料[Bolt]代码[1.01]辅助属性[]批号[B2]"
       "的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!"},
  };
  profile_->Write("IC|UnderStock", "1");
  int32_t bill = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.batch);
    ++bill;
    SetBalance("ICInventory", kBolt, c.stock, c.place, 0, -3, c.batch);
    InsertEntries("ICStockBillEntry", bill,
                  {Entry{kBolt,
                         5,
                         0,
                         {{"FDCStockID", std::to_string(c.stock)},
                          {"FDCSPID", std::to_string(c.place)},
                          {"FBatchNo", "'" + c.batch + "'"}}}});
    for (int32_t re_check : {0, 1, 3}) {  // an accepted negative balance does not excuse the sign
      const DictionaryPtr result = NewResult();
      EXPECT_FALSE(Run(StepParams(bill, 1, 1, re_check), result));
      EXPECT_EQ(result->Read("ReturnCode").ToInt32(), -1);
      EXPECT_EQ(result->Read("ReturnString").ToString(), c.message);
      EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, c.stock, c.place, c.batch), 0);
    }
  }
}

TEST_F(StockBeforeUpdateTest, NegativeBalanceFollowsSwitchesAndAnswers) {
  struct Case {
    std::string name;
    std::string under_stock;
    std::string show_under_tip;
    int32_t yes_when_under_tip;  // -1: key absent
    int32_t re_check;
    int32_t code;
    int32_t tip;
    std::string message;
  };
  const std::string refused = "物料[Bolt]代码[1.01]库存数量不允许负数!";
  const std::string tip = "更新仓库[WH01]仓位[A-01]库存数据时物料[1.01]批号[B7]出现负结存!";
  const Case cases[] = {
      {"not allowed", "0", "0", -1, 0, 1, 0, refused},
      {"not allowed, tip switch alone", "0", "1", -1, 0, 1, 0, refused},
      {"allowed with tip", "1", "1", -1, 0, 1, 1, tip},
      {"allowed with tip, answered yes", "1", "1", 1, 0, 0, 0, ""},
      {"allowed silently", "1", "0", -1, 0, 0, 0, ""},
      {"not allowed, accepted by re-check 1", "0", "0", -1, 1, 0, 0, ""},
      {"not allowed, accepted by re-check 3", "0", "0", -1, 3, 0, 0, ""},
      {"not allowed, re-check 5 is not an acceptance", "0", "0", -1, 5, 1, 0, refused},
  };
  SetBalance("ICInventory", kBolt, kMainStock, kShelfA, 3, 0, "B7");
  InsertEntries(
      "ICStockBillEntry", 20,
      {Entry{kBolt, 5, 0, {{"FDCStockID", "1"}, {"FDCSPID", "11"}, {"FBatchNo", "'B7'"}}}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    profile_->Write("IC|UnderStock", c.under_stock);
    profile_->Write("IC|ShowUnderTip", c.show_under_tip);
    const DictionaryPtr params = StepParams(20, 21, 1, c.re_check);
    if (c.yes_when_under_tip >= 0) params->Write("YesWhenUnderTip", c.yes_when_under_tip);
    const DictionaryPtr result = NewResult();
    connection()->BeginTrans();
    EXPECT_EQ(Run(params, result), c.code == 0);
    const double balance = Balance("ICInventory", kBolt, kMainStock, kShelfA, "B7");
    connection()->RollbackTrans();
    EXPECT_EQ(result->Read("ReturnCode").ToInt32(), c.code);
    EXPECT_EQ(result->Read("ShowUnderTip").ToInt32(), c.tip);
    if (c.code != 0) {
      EXPECT_EQ(result->Read("ReturnString").ToString(), c.message);
      EXPECT_DOUBLE_EQ(balance, 3);
    } else {
      EXPECT_DOUBLE_EQ(balance, -2);
    }
  }
}

TEST_F(StockBeforeUpdateTest, TipFlagIsOnlyCopiedIntoAResultThatHoldsIt) {
  profile_->Write("IC|UnderStock", "1");
  profile_->Write("IC|ShowUnderTip", "1");
  InsertEntries("ICStockBillEntry", 21, {Entry{kBolt, 1, 0, {{"FDCStockID", "2"}}}});
  const DictionaryPtr result = NewResult();
  result->Remove("ShowUnderTip");
  EXPECT_FALSE(Run(StepParams(21, 21, 1), result));
  EXPECT_FALSE(result->Exists("ShowUnderTip"));
  EXPECT_EQ(result->Read("ReturnString").ToString(),
            "更新仓库[WH02]库存数据时物料[1.01]批号[]出现负结存!");
}

TEST_F(StockBeforeUpdateTest, CallerReceivesTheLastResultRows) {
  SetBalance("ICInventory", kBolt, kSpareStock, 0, 1);
  InsertEntries("ICStockBillEntry", 22, {Entry{kBolt, 4, 0, {{"FDCStockID", "2"}}}});
  frame::ClassFrame frame;
  BuildTempBill(frame, kDsn, *Head(22, 21), 1, connection());
  const DictionaryPtr stocks = Dictionary::Create();
  const DictionaryPtr places = Dictionary::Create();
  std::string message;
  int32_t tip = 0;
  Variant rs;
  EXPECT_EQ(CheckStockBeforeUpdate(frame, kDsn, 21, 0, *profile_, *stocks, *places, message, "zh",
                                   connection(), tip, 0, &rs),
            1);
  const auto rows = rs.As<db::Recordset>();
  ASSERT_TRUE(rows);
  ASSERT_FALSE(rows->Eof());
  EXPECT_DOUBLE_EQ(rows->Field("STOCKQTY").ToDouble(), 1);
  EXPECT_DOUBLE_EQ(rows->Field("SUMQTY").ToDouble(), -4);
}

}  // namespace
}  // namespace cb::stock
