// Every stock bill type moves the inventory table of its kind by its entries, with the sign of its
// direction, on the stock and place columns its entry table names.
#include "stock/temp_bill.h"

#include <gtest/gtest.h>

#include "frame/class_frame.h"
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
  const char* entry_table;
  const char* inventory;
  int32_t check_sign;  // what a check of 10 does to the destination key
  int32_t dest_stock;  // where the destination row lands, always on place kShelfA
  bool two_sided;      // a second row on (kSpareStock, kShelfB) with the opposite sign
  std::vector<std::pair<std::string, std::string>> columns;
};

// Entry columns: destination stock 1 / place 11, source stock 2 / place 12 where the table has
// them; receipt notices name their (virtual) stock in FStockID.
const std::vector<std::pair<std::string, std::string>> kBothSides = {
    {"FDCStockID", "1"}, {"FDCSPID", "11"}, {"FSCStockID", "2"}, {"FSCSPID", "12"}};
const std::vector<std::pair<std::string, std::string>> kDestinationOnly = {{"FDCStockID", "1"},
                                                                           {"FDCSPID", "11"}};
const std::vector<std::pair<std::string, std::string>> kNoticeA = {{"FStockID", "3"},
                                                                   {"FDCSPID", "11"}};
const std::vector<std::pair<std::string, std::string>> kNoticeB = {{"FStockID", "4"},
                                                                   {"FDCSPID", "11"}};
constexpr const char* kStockEntry = "ICStockBillEntry";
constexpr const char* kIC = "ICInventory";
constexpr const char* kPO = "POInventory";

// Receipts (1), deliveries (21) and other issues (29) move stock in the scenario files.
const TypeCase kCases[] = {
    {2, kStockEntry, kIC, +1, kMainStock, false, kBothSides},
    {5, kStockEntry, kIC, +1, kMainStock, false, kBothSides},
    {10, kStockEntry, kIC, +1, kMainStock, false, kBothSides},
    {40, kStockEntry, kIC, +1, kMainStock, false, kBothSides},
    {28, kStockEntry, kIC, -1, kMainStock, false, kBothSides},
    {43, kStockEntry, kIC, -1, kMainStock, false, kBothSides},
    // Material issues take the stock from the source column but the place from the destination.
    {24, kStockEntry, kIC, -1, kSpareStock, false, kBothSides},
    {6, "ZPStockBillEntry", kPO, +1, kMainStock, false, kDestinationOnly},
    {26, "ZPStockBillEntry", kPO, -1, kMainStock, false, kDestinationOnly},
    {41, kStockEntry, kIC, +1, kMainStock, true, kBothSides},
    {74, "POStockBillEntry", kPO, +1, kMainStock, true, kBothSides},
    {92, "ICSTJGBillEntry", kPO, +1, kMainStock, false, kBothSides},
    {137, "ICSTJGBillEntry", kPO, -1, kSpareStock, false, kBothSides},
    {72, "POInstockEntry", kPO, +1, kNotice503, false, kNoticeA},
    {73, "POInstockEntry", kPO, -1, kNotice501, false, kNoticeB},
    {702, "POInstockEntry", kPO, +1, kNotice501, false, kNoticeB},
};

class TempBillTest : public testing::StockDatabase {};

TEST_F(TempBillTest, EveryStockTypeMovesItsInventoryOnCheckAndBackOnUncheck) {
  int32_t bill = 100;
  for (const TypeCase& c : kCases) {
    SCOPED_TRACE("type " + std::to_string(c.tran_type));
    ++bill;
    profile_->Write("IC|UnderStock", "1");  // outbound types may go negative here
    InsertEntries(c.entry_table, bill, {Entry{kBolt, 10, c.columns}});
    const double dest_before = Balance(c.inventory, kBolt, c.dest_stock, kShelfA);
    const double source_before = Balance(c.inventory, kBolt, kSpareStock, kShelfB);

    Move(bill, c.tran_type, 1);
    EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, c.dest_stock, kShelfA) - dest_before,
                     10.0 * c.check_sign);
    if (c.two_sided) {
      EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, kSpareStock, kShelfB) - source_before,
                       -10.0 * c.check_sign);
    }
    const std::string other = c.inventory == std::string(kIC) ? kPO : kIC;
    EXPECT_EQ(Count("SELECT COUNT(*) FROM " + other + " WHERE FQty<>0"), 0)
        << "the other inventory table moved";

    Move(bill, c.tran_type, 2);
    EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, c.dest_stock, kShelfA), dest_before);
    EXPECT_DOUBLE_EQ(Balance(c.inventory, kBolt, kSpareStock, kShelfB), source_before);
  }
}

TEST_F(TempBillTest, ReceiptNoticesTakeOnlyEntriesInStocksOfTheirStockType) {
  // Type 72 keeps type-503 stocks only, 702 type-501 only; 73 keeps both.
  InsertEntries("POInstockEntry", 300,
                {Entry{kBolt, 4, {{"FStockID", "3"}}}, Entry{kBolt, 6, {{"FStockID", "4"}}},
                 Entry{kBolt, 8, {{"FStockID", "1"}}}});
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
                {Entry{kBolt, 2, {{"FDCStockID", "1"}, {"FKFDate", "'2024-05-06 13:14:15'"}}},
                 Entry{kBolt, 1, {{"FBatchNo", "NULL"}}}});
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
  InsertEntries("ICStockBillEntry", 402, {Entry{kBolt, 2, kBothSides}});
  frame::ClassFrame frame;
  BuildTempBill(frame, kDsn, *Head(402, 85), 1, connection());
  EXPECT_EQ(Count("SELECT COUNT(*) FROM #TempBill"), 0);
  Move(402, 85, 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM ICInventory"), 0);
}

}  // namespace
}  // namespace cb::stock
