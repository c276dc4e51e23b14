// The removed-rows check on its own: rows are tested in queries of at most 100. The switches and
// re-check bits that turn it off, and a modification refused by it, run as a scenario file.
#include "stock/removed_rows.h"

#include <gtest/gtest.h>

#include "stock/stock_rows.h"
#include "support/fault_injecting_connection.h"
#include "support/suite_database.h"

namespace cb::stock {
namespace {

class RemovedRowsTest : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec("INSERT INTO t_ICItem (FItemID, FNumber, FName) VALUES (7, '1.01', 'Bolt')");
  }
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
        CheckRemovedRowsStock(frame, kDsn, re_check, rows, Dictionary(), message, "zh", counting);
    queries = counting->statement_count();
    return code;
  }
};

TEST_F(RemovedRowsTest, ManyRowsAreTestedInQueriesOfAtMostOneHundred) {
  VectorPtr rows = Vector::Create();
  for (int i = 0; i < 250; ++i) {
    Exec(
        "INSERT INTO ICInventory (FItemID, FBatchNo, FStockID, FStockPlaceID, FQty) VALUES (7, 'B" +
        std::to_string(i) + "', 1, 0, 1)");
    rows->Add(Variant(Row(7, 1, "B" + std::to_string(i))));
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

}  // namespace
}  // namespace cb::stock
