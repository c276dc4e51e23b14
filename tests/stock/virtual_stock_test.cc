// The virtual-stock write-off: receiving against a receipt notice moves the notice's virtual row,
// and the changed virtual rows are checked.
#include "stock/virtual_stock.h"

#include <gtest/gtest.h>

#include "stock/stock_fixture.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;
using testing::kNotice501;
using testing::kNotice503;
using testing::kShelfA;

class VirtualStockTest : public testing::StockDatabase {
 protected:
  void SetUp() override {
    StockDatabase::SetUp();
    // Notice 500 (type 72) of 10 Bolts into the type-503 stock, notice 501 (type 702) of 6 into
    // the type-501 stock; both already in virtual stock.
    InsertEntries("POInstockEntry", 500, {Entry{kBolt, 10, 0, {{"FStockID", "3"}}}});
    InsertEntries("POInstockEntry", 501, {Entry{kBolt, 6, 0, {{"FStockID", "4"}}}});
    SetBalance("POInventory", kBolt, kNotice503, 0, 10);
    SetBalance("POInventory", kBolt, kNotice501, 0, 6);
  }
  // A purchase receipt of qty into the main stock made from entry 1 of the given notice.
  void Receipt(int32_t bill, double qty, int32_t notice, int32_t notice_type, double sec_qty = 0) {
    InsertEntries("ICStockBillEntry", bill,
                  {Entry{kBolt,
                         qty,
                         sec_qty,
                         {{"FDCStockID", "1"},
                          {"FDCSPID", "11"},
                          {"FSourceTranType", std::to_string(notice_type)},
                          {"FSourceInterID", std::to_string(notice)},
                          {"FSourceEntryID", "1"}}}});
  }
};

TEST_F(VirtualStockTest, ReceiptFromANoticeMovesItsVirtualRowOnCheckAndBackOnUncheck) {
  Receipt(1, 4, 500, 72);
  Receipt(2, 5, 501, 702);
  Move(1, 1, 1);
  Move(2, 1, 1);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice503), 6);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), 1);
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, kShelfA), 9);
  Move(1, 1, 2);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice503), 10);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), 1);
}

TEST_F(VirtualStockTest, ReceiptWithoutANoticeLeavesVirtualStockAlone) {
  InsertEntries("ICStockBillEntry", 3, {Entry{kBolt, 4, 0, {{"FDCStockID", "1"}}}});
  Move(3, 1, 1);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice503), 10);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), 6);
}

TEST_F(VirtualStockTest, ChangedVirtualRowsAreChecked) {
  struct Case {
    std::string name;
    double qty;
    double sec_qty;
    std::string under_stock;
    std::string show_under_tip;
    int32_t re_check;
    int32_t code;
    std::string message;
  };
  const Case cases[] = {
      {"base reaches 0 while secondary does not", 10, -2, "1", "0", 0, -1,
       "更新仓库[Notice A]代码[VN03]库存数据时物料[Bolt]代码[1.01]辅助属性[]批号[]"
       "的基本计量单位数量为0，辅助计量的数量不为0，更新库存不成功!"},
      {"opposite signs", 4, 1, "1", "0", 0, -1,
       "更新仓库[Notice A]代码[VN03]库存数据时物料[Bolt]代码[1.01]辅助属性[]批号[]"
       "的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!"},
      {"negative, not allowed", 12, 0, "0", "0", 0, -1,
       "物料[Bolt]代码[1.01]库存数量不允许负数！如果要允许负库存，请修改系统参数[是否允许负库存]"
       "项。"},
      {"negative, allowed with tip", 12, 0, "1", "1", 0, 1,
       "更新仓库[Notice A]代码[VN03]库存数据时物料[Bolt]代码[1.01]辅助属性[]批号[]出现负结存!"},
      {"negative, allowed silently", 12, 0, "1", "0", 0, 0, ""},
      {"negative, accepted by re-check bit 1", 12, 0, "0", "0", 1, 0, ""},
  };
  int32_t bill = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ++bill;
    Receipt(bill, c.qty, 500, 72, c.sec_qty);
    profile_->Write("IC|UnderStock", c.under_stock);
    profile_->Write("IC|ShowUnderTip", c.show_under_tip);
    frame::ClassFrame frame;
    std::string message;
    connection()->BeginTrans();
    const int32_t code = UpdateSourceVirtualStock(frame, kDsn, *Head(bill, 1), message, 1,
                                                  c.re_check, *profile_, "zh", connection());
    connection()->RollbackTrans();
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(message, c.message);
    if (c.code != 0) {
      EXPECT_EQ(log().votes.back(), "abort");
    }
  }
}

TEST_F(VirtualStockTest, OtherInStockFromAType6BillMovesThatBillsVirtualRow) {
  InsertEntries("ZPStockBillEntry", 600, {Entry{kBolt, 8, 0, {{"FDCStockID", "4"}}}});
  InsertEntries("ICStockBillEntry", 7,
                {Entry{kBolt,
                       3,
                       0,
                       {{"FDCStockID", "1"},
                        {"FSourceTranType", "6"},
                        {"FSourceInterID", "600"},
                        {"FSourceEntryID", "1"}}}});
  Move(7, 10, 1);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), 3);
}

}  // namespace
}  // namespace cb::stock
