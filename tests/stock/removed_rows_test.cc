// The removed-rows check: the stock rows of a modified bill's old version may not be negative now,
// tested in queries of at most 100 rows.
#include "stock/removed_rows.h"

#include <gtest/gtest.h>

#include "stock/stock_fixture.h"
#include "stock/stock_rows.h"
#include "support/fault_injecting_connection.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;

class RemovedRowsTest : public testing::StockDatabase {
 protected:
  static DictionaryPtr Row(int32_t item, int32_t stock, const std::string& batch) {
    DictionaryPtr row = Dictionary::Create();
    row->Write(kRowItemID, item);
    row->Write(kRowBatchNo, batch);
    row->Write(kRowStockID, stock);
    row->Write(kRowStockPlaceID, 0);
    row->Write(kRowKFDate, "");
    row->Write(kRowKFPeriod, 0);
    return row;
  }
  // Runs the check on a statement-counting connection; returns the code, counts the queries.
  int32_t Check(const VectorPtr& rows, int32_t re_check, std::string& message, int64_t& queries) {
    auto counting = std::make_shared<cb::testing::FaultInjectingConnection>(connection(), 0);
    frame::ClassFrame frame;
    const int32_t code =
        CheckRemovedRowsStock(frame, kDsn, re_check, rows, *profile_, message, "zh", counting);
    queries = counting->statement_count();
    return code;
  }
};

TEST_F(RemovedRowsTest, ManyRowsAreTestedInQueriesOfAtMostOneHundred) {
  VectorPtr rows = Vector::Create();
  for (int i = 0; i < 250; ++i) {
    SetBalance("ICInventory", kBolt, kMainStock, 0, 1, 0, "B" + std::to_string(i));
    rows->Add(Variant(Row(kBolt, kMainStock, "B" + std::to_string(i))));
  }
  std::string message;
  int64_t queries = 0;
  EXPECT_EQ(Check(rows, 0, message, queries), 0);
  EXPECT_EQ(queries, 3);
  EXPECT_EQ(message, "");

  // A negative row in the last, partial group is found.
  Exec("UPDATE ICInventory SET FQty=-1 WHERE FBatchNo='B240'");
  EXPECT_EQ(Check(rows, 0, message, queries), kRemovedRowNegative);
  EXPECT_EQ(message, "对物料[Bolt]代码[1.01]的修改会产生负库存，修改不成功!");
}

TEST_F(RemovedRowsTest, SwitchesAndReCheckBitsTurnTheCheckOff) {
  SetBalance("ICInventory", kBolt, kMainStock, 0, -1, 0, "N");
  VectorPtr rows = Vector::Create();
  rows->Add(Variant(Row(kBolt, kMainStock, "N")));
  struct Case {
    std::string under_stock;
    int32_t re_check;
    int32_t code;
  };
  const Case cases[] = {
      {"0", 0, kRemovedRowNegative}, {"2", 0, 0}, {"0", 1, 0}, {"0", 3, 0}, {"0", 8, 0},
      {"0", 4, kRemovedRowNegative}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.under_stock + "/" + std::to_string(c.re_check));
    profile_->Write("IC|UnderStock", c.under_stock);
    std::string message;
    int64_t queries = 0;
    EXPECT_EQ(Check(rows, c.re_check, message, queries), c.code);
  }
  std::string message;
  int64_t queries = 0;
  EXPECT_EQ(Check(nullptr, 0, message, queries), 0);
  EXPECT_EQ(Check(Vector::Create(), 0, message, queries), 0);
  EXPECT_EQ(queries, 0);
}

TEST_F(RemovedRowsTest, ModificationThatLeavesAnOldRowNegativeIsRefused) {
  // A receipt that moves stock on save brought 5 into batch OLD, and all 5 were issued since.
  SetBalance("ICInventory", kBolt, kMainStock, 0, 0, 0, "OLD");
  InsertEntries("ICStockBillEntry", 30,
                {Entry{kBolt, 5, 0, {{"FDCStockID", "1"}, {"FBatchNo", "'OLD'"}}}});
  // The screen deletes the old version with bit 8: no checks, and the old rows come back.
  const DictionaryPtr removal = NewResult();
  ASSERT_TRUE(Run(StepParams(30, 1, 8, 8, true), removal));
  const auto old_rows = removal->Read("vectDeleteItem").As<Vector>();
  ASSERT_TRUE(old_rows);
  ASSERT_EQ(old_rows->Count(), 1u);
  const auto row = old_rows->Item(0).As<Dictionary>();
  EXPECT_EQ(row->Read(kRowBatchNo).ToString(), "OLD");
  EXPECT_EQ(row->Read(kRowStockID).ToInt32(), kMainStock);
  EXPECT_EQ(row->Read(kRowKFDate).ToString(), "");
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, 0, "OLD"), -5);

  // The new version receives into batch NEW and names the old rows.
  Exec("UPDATE ICStockBillEntry SET FBatchNo='NEW' WHERE FInterID=30");
  const DictionaryPtr params = StepParams(30, 1, 4, 0, true);
  params->Write("vectDeleteItem", Variant(old_rows));
  const DictionaryPtr save = NewResult();
  EXPECT_FALSE(Run(params, save));
  EXPECT_EQ(save->Read("ReturnCode").ToInt32(), kRemovedRowNegative);
  EXPECT_EQ(save->Read("ReturnString").ToString(),
            "对物料[Bolt]代码[1.01]的修改会产生负库存，修改不成功!");
}

}  // namespace
}  // namespace cb::stock
