// Every stock bill type moves the inventory table of its kind by its entries, with the sign of its
// direction, on the stock and place columns its entry table names.
#include "stock/temp_bill.h"

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
using testing::kShelfB;
using testing::kSpareStock;

struct TypeCase {
  int32_t tran_type;
  std::string entry_table;
  std::string inventory;
  int32_t check_sign;  // what a check of 10 does to the destination key
  int32_t dest_stock;  // where the destination row lands
  int32_t dest_place;
  bool two_sided;  // a second row on (kSpareStock, kShelfB) with the opposite sign
  std::vector<std::pair<std::string, std::string>> columns;
};

// Entry columns: destination stock 1 / place 11, source stock 2 / place 12 where the table has
// them.
const std::vector<std::pair<std::string, std::string>> kBothSides = {
    {"FDCStockID", "1"}, {"FDCSPID", "11"}, {"FSCStockID", "2"}, {"FSCSPID", "12"}};
const std::vector<std::pair<std::string, std::string>> kDestinationOnly = {{"FDCStockID", "1"},
                                                                           {"FDCSPID", "11"}};

std::vector<TypeCase> Cases() {
  std::vector<TypeCase> cases;
  for (int32_t type : {1, 2, 5, 10, 40}) {
    cases.push_back(
        {type, "ICStockBillEntry", "ICInventory", +1, kMainStock, kShelfA, false, kBothSides});
  }
  for (int32_t type : {21, 28, 29, 43}) {
    cases.push_back(
        {type, "ICStockBillEntry", "ICInventory", -1, kMainStock, kShelfA, false, kBothSides});
  }
  // Material issues take the stock from the source column but the place from the destination one.
  cases.push_back(
      {24, "ICStockBillEntry", "ICInventory", -1, kSpareStock, kShelfA, false, kBothSides});
  cases.push_back(
      {6, "ZPStockBillEntry", "POInventory", +1, kMainStock, kShelfA, false, kDestinationOnly});
  cases.push_back(
      {26, "ZPStockBillEntry", "POInventory", -1, kMainStock, kShelfA, false, kDestinationOnly});
  cases.push_back(
      {41, "ICStockBillEntry", "ICInventory", +1, kMainStock, kShelfA, true, kBothSides});
  cases.push_back(
      {74, "POStockBillEntry", "POInventory", +1, kMainStock, kShelfA, true, kBothSides});
  cases.push_back(
      {92, "ICSTJGBillEntry", "POInventory", +1, kMainStock, kShelfA, false, kBothSides});
  cases.push_back(
      {137, "ICSTJGBillEntry", "POInventory", -1, kSpareStock, kShelfA, false, kBothSides});
  cases.push_back({72,
                   "POInstockEntry",
                   "POInventory",
                   +1,
                   kNotice503,
                   kShelfA,
                   false,
                   {{"FStockID", "3"}, {"FDCSPID", "11"}}});
  cases.push_back({73,
                   "POInstockEntry",
                   "POInventory",
                   -1,
                   kNotice501,
                   kShelfA,
                   false,
                   {{"FStockID", "4"}, {"FDCSPID", "11"}}});
  cases.push_back({702,
                   "POInstockEntry",
                   "POInventory",
                   +1,
                   kNotice501,
                   kShelfA,
                   false,
                   {{"FStockID", "4"}, {"FDCSPID", "11"}}});
  return cases;
}

class TempBillTest : public testing::StockDatabase {};

TEST_F(TempBillTest, EveryStockTypeMovesItsInventoryOnCheckAndBackOnUncheck) {
  int32_t bill = 100;
  for (const TypeCase& c : Cases()) {
    SCOPED_TRACE("type " + std::to_string(c.tran_type));
    ++bill;
    profile_->Write("IC|UnderStock", "1");  // outbound types may go negative here
    InsertEntries(c.entry_table, bill, {Entry{kBolt, 10, 0, c.columns}});
    const double dest_before = Balance(c.inventory, kBolt, c.dest_stock, c.dest_place);
    const double source_before = Balance(c.inventory, kBolt, kSpareStock, kShelfB);

    Move(bill, c.tran_type, 1);
    EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, c.dest_stock, c.dest_place) - dest_before,
                     10.0 * c.check_sign);
    if (c.two_sided) {
      EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, kSpareStock, kShelfB) - source_before,
                       -10.0 * c.check_sign);
    }
    const std::string other = c.inventory == "ICInventory" ? "POInventory" : "ICInventory";
    EXPECT_EQ(CountRows("SELECT COUNT(*) FROM " + other + " WHERE FQty<>0"), 0)
        << "the other inventory table moved";

    Move(bill, c.tran_type, 2);
    EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, c.dest_stock, c.dest_place), dest_before);
    EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, kSpareStock, kShelfB), source_before);
  }
}

TEST_F(TempBillTest, ReceiptNoticesTakeOnlyEntriesInStocksOfTheirStockType) {
  // Type 72 keeps type-503 stocks only, 702 type-501 only; 73 keeps both.
  InsertEntries("POInstockEntry", 300,
                {Entry{kBolt, 4, 0, {{"FStockID", "3"}}}, Entry{kBolt, 6, 0, {{"FStockID", "4"}}},
                 Entry{kBolt, 8, 0, {{"FStockID", "1"}}}});
  profile_->Write("IC|UnderStock", "1");
  Move(300, 72, 1);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice503), 4);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), 0);
  Move(300, 72, 2);
  Move(300, 702, 1);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice503), 0);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), 6);
  Move(300, 702, 2);
  Move(300, 73, 1);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice503), -4);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kNotice501), -6);
  EXPECT_DOUBLE_EQ(Balance("POInventory", kBolt, kMainStock), 0);
}

TEST_F(TempBillTest, NullColumnsBecomeEmptyKeysAndShelfLifeDateIsDayText) {
  InsertEntries("ICStockBillEntry", 401,
                {Entry{kBolt, 2, 0, {{"FDCStockID", "1"}, {"FKFDate", "'2024-05-06 13:14:15'"}}},
                 Entry{kBolt, 1, 0, {{"FBatchNo", "NULL"}}}});
  frame::ClassFrame frame;
  BuildTempBill(frame, kDsn, *Head(401, 1), 1, connection());
  db::RecordsetPtr rows = connection()->Execute(
      "SELECT FBatchNo, FStockID, FStockPlaceID, FKFPeriod, FKFDate FROM #TempBill ORDER BY "
      "FEntryID");
  ASSERT_EQ(rows->RecordCount(), 2);
  EXPECT_EQ(rows->Field("FKFDate").ToString(), "2024-05-06");
  rows->MoveNext();
  EXPECT_EQ(rows->Field("FBatchNo").ToString(), "");
  EXPECT_EQ(rows->Field("FStockID").ToInt32(), 0);
  EXPECT_EQ(rows->Field("FStockPlaceID").ToInt32(), 0);
  EXPECT_EQ(rows->Field("FKFPeriod").ToInt32(), 0);
  EXPECT_EQ(rows->Field("FKFDate").ToString(), "");
}

TEST_F(TempBillTest, TypeWithoutStockSourceLeavesAnEmptyTableAndNoBalance) {
  InsertEntries("ICStockBillEntry", 402, {Entry{kBolt, 2, 0, kBothSides}});
  frame::ClassFrame frame;
  BuildTempBill(frame, kDsn, *Head(402, 85), 1, connection());
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM #TempBill"), 0);
  Move(402, 85, 1);
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory"), 0);
}

}  // namespace
}  // namespace cb::stock
