// Every stock bill type moves the inventory table of its kind by its entries, with the sign of its
// direction, on the stock and place columns its entry table names.
#include "stock/temp_bill.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "check/step_dictionaries.h"
#include "frame/class_frame.h"
#include "platform/db/recordset.h"
#include "stock/update_bill_stock.h"
#include "support/suite_database.h"

namespace cb::stock {
namespace {

constexpr int32_t kMainStock = 1;   // WH01 "Main", managed by places, real
constexpr int32_t kSpareStock = 2;  // WH02 "Spare", no places, real
constexpr int32_t kNotice503 = 3;   // type 503 (receipt notices of type 72)
constexpr int32_t kNotice501 = 4;   // type 501 (receipt notices of type 702)
constexpr int32_t kShelfA = 11;     // place A-01 "Shelf A"
constexpr int32_t kShelfB = 12;     // place B-01 "Shelf B"
constexpr int32_t kBolt = 7;        // item 1.01 "Bolt", 2 quantity decimals

// One entry row: item, quantity and the extra columns ("FDCStockID" → "1", …) as SQL literals.
struct Entry {
  int32_t item = kBolt;
  double qty = 0;
  std::vector<std::pair<std::string, std::string>> columns;
};

class TempBillTest : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec(
        "INSERT INTO t_Stock (FItemID, FNumber, FName, FIsStockMgr, FTypeID) VALUES (1, 'WH01', "
        "'Main', 1, 500), (2, 'WH02', 'Spare', 0, 500), (3, 'VN03', 'Notice A', 0, 503), (4, "
        "'VN01', 'Notice B', 0, 501)");
    Exec(
        "INSERT INTO t_StockPlace (FSPID, FNumber, FName) VALUES (11, 'A-01', 'Shelf A'), (12, "
        "'B-01', 'Shelf B')");
    Exec(
        "INSERT INTO t_ICItem (FItemID, FNumber, FName, FQtyDecimal) VALUES (7, '1.01', 'Bolt', "
        "2)");
    // Outbound types may go negative here; the other switches the stock steps read are off.
    profile_->Write("IC|UnderStock", "1");
    for (const char* key :
         {"ShowUnderTip", "UseLockStock", "UseHighInv", "UseLowInv", "UseSafeInv", "UseInvMgr"}) {
      profile_->Write(std::string("IC|") + key, "0");
    }
  }

  // Inserts the entries (numbered from 1) of bill inter_id into table.
  void InsertEntries(const std::string& table, int32_t inter_id,
                     const std::vector<Entry>& entries) {
    int32_t entry_id = 0;
    for (const Entry& entry : entries) {
      std::string columns = "FInterID,FEntryID,FItemID,FQty";
      std::string values = std::to_string(inter_id) + "," + std::to_string(++entry_id) + "," +
                           std::to_string(entry.item) + "," + FormatNumber(entry.qty);
      for (const auto& [column, value] : entry.columns) {
        columns += "," + column;
        values += "," + value;
      }
      Exec("INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")");
    }
  }

  // A head row as CheckBill loads it: FInterID, FTranType, FBillNo, FUpStockWhenSave 0.
  static db::RecordsetPtr Head(int32_t inter_id, int32_t tran_type) {
    return std::make_shared<db::Recordset>(
        std::vector<db::ColumnDef>{{"FInterID", "INT"},
                                   {"FTranType", "INT"},
                                   {"FBillNo", "VARCHAR"},
                                   {"FUpStockWhenSave", "BIT"}},
        std::vector<db::Recordset::Row>{{Variant(inter_id), Variant(tran_type),
                                         Variant("BILL" + std::to_string(inter_id)),
                                         Variant(false)}});
  }

  // Runs UpdateBillStock for a check (1) or uncheck (2) of the bill, with dictStepParams and
  // dictResult as CheckBill builds them, and expects success.
  void Move(int32_t inter_id, int32_t tran_type, int32_t operate_code) {
    DictionaryPtr params = Dictionary::Create();
    params->Write("Language", "zh");
    params->Write("TransType", tran_type);
    params->Write("InterID", inter_id);
    params->Write("rsBillHead", Variant(Head(inter_id, tran_type)));
    params->Write("OperateCode", operate_code);
    params->Write("ReCheck", 0);
    params->Write("DictSysProfile", Variant(profile_));
    params->Write("PropString", kDsn);
    const DictionaryPtr result = check::NewStepResult();
    frame::ClassFrame frame;
    EXPECT_TRUE(UpdateBillStock(frame, kDsn, *params, *result, connection(), nullptr))
        << result->Read("ReturnString").ToString();
  }

  // FQty summed over the inventory rows of the key; 0 when there is none.
  double Balance(const std::string& table, int32_t item, int32_t stock, int32_t place = 0) {
    const Variant sum = Scalar(
        "SELECT SUM(FQty) FROM " + table + " WHERE FItemID=" + std::to_string(item) +
        " AND FStockID=" + std::to_string(stock) + " AND FStockPlaceID=" + std::to_string(place));
    return sum.IsNull() ? 0 : sum.ToDouble();
  }

  DictionaryPtr profile_ = Dictionary::Create();
};

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

TEST_F(TempBillTest, EveryStockTypeMovesItsInventoryOnCheckAndBackOnUncheck) {
  int32_t bill = 100;
  for (const TypeCase& c : kCases) {
    SCOPED_TRACE("type " + std::to_string(c.tran_type));
    ++bill;
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

}  // namespace
}  // namespace cb::stock
