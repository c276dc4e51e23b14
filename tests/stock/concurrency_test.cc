// Several threads, each with its own connection and transaction, check and uncheck bills that share
// inventory keys; the balances end as the serial result and no call fails on a lock.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <thread>

#include "frame/class_frame.h"
#include "platform/sqlite/sqlite_connection.h"
#include "stock/stock_fixture.h"
#include "stock/update_bill_stock.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;
using testing::kMainStock;
using testing::kNut;
using testing::kShelfA;
using testing::kSpareStock;

constexpr int kThreads = 4;
constexpr int kRounds = 15;

class StockConcurrencyTest : public testing::StockDatabase {};

TEST_F(StockConcurrencyTest, ParallelChecksOfSharedKeysEndAtTheSerialBalances) {
  SetBalance("ICInventory", kBolt, kMainStock, kShelfA, 1000);
  // Every thread owns a receipt and a delivery on the shared Bolt key, and a receipt into a Nut
  // key that has no inventory row yet.
  for (int t = 0; t < kThreads; ++t) {
    InsertEntries("ICStockBillEntry", 100 + t,
                  {Entry{kBolt, 3, 0, {{"FDCStockID", "1"}, {"FDCSPID", "11"}}},
                   Entry{kNut, 1, 0, {{"FDCStockID", "2"}}}});
    InsertEntries("ICStockBillEntry", 200 + t,
                  {Entry{kBolt, 2, 0, {{"FDCStockID", "1"}, {"FDCSPID", "11"}}}});
  }
  const auto sqlite_connection = std::dynamic_pointer_cast<sqlite::SqliteConnection>(connection());
  ASSERT_TRUE(sqlite_connection);
  const std::string path = sqlite3_db_filename(sqlite_connection->backend().handle(), "main");

  std::atomic<int> failures{0};
  std::vector<std::string> errors(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      try {
        db::ConnectionPtr own = sqlite::OpenSqliteConnection(path);
        frame::ClassFrame frame;
        auto run = [&](int32_t bill, int32_t type, int32_t operation) {
          DictionaryPtr params = StepParams(bill, type, operation);
          DictionaryPtr result = NewResult();
          own->BeginTrans();
          const bool ok = UpdateBillStock(frame, kDsn, *params, *result, own, nullptr);
          if (ok) {
            own->CommitTrans();
          } else {
            own->RollbackTrans();
            ++failures;
            errors[t] = result->Read("ReturnString").ToString();
          }
        };
        // Each round: receive, deliver, and on even rounds undo both; 8 rounds of 15 stay.
        for (int round = 0; round < kRounds; ++round) {
          run(100 + t, 1, 1);
          run(200 + t, 21, 1);
          if (round % 2 == 0) {
            run(200 + t, 21, 2);
            run(100 + t, 1, 2);
          }
        }
      } catch (const std::exception& error) {
        ++failures;
        errors[t] = error.what();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::string& error : errors) EXPECT_EQ(error, "");
  EXPECT_EQ(failures.load(), 0);

  const int kept_rounds = kRounds / 2;  // odd rounds are not undone
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kBolt, kMainStock, kShelfA),
                   1000 + kThreads * kept_rounds * (3 - 2));
  EXPECT_DOUBLE_EQ(Balance("ICInventory", kNut, kSpareStock), kThreads * kept_rounds * 1);
  EXPECT_EQ(CountRows("SELECT COUNT(*) FROM ICInventory WHERE FItemID=8"), 1)
      << "concurrent first receipts into a new key must not create two rows";
}

}  // namespace
}  // namespace cb::stock
