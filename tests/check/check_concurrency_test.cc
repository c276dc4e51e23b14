// CheckBill from several threads at once, each a host call with its own connection: bills of each
// thread on shared keys end at the serial balances, with no call refused by a locking error.
#include <gtest/gtest.h>

#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "check/flow_fixture.h"
#include "platform/sqlite/sqlite_connection.h"

namespace cb::check {
namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 3;  // checked and unchecked rounds per thread before the last check

using CheckConcurrencyTest = testing::FlowDatabase;

TEST_F(CheckConcurrencyTest, ParallelChecksOfBillsOnSharedKeysEndAtTheSerialBalances) {
  Exec("INSERT INTO t_ICItem (FItemID, FNumber, FName, FQtyDecimal) VALUES (8, '1.02', 'Nut', 0)");
  Exec("INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FQty) VALUES (7, 1, 11, 1000)");
  // Every thread owns a receipt of 3 Bolts and of a Nut, whose key has no inventory row yet, and
  // a delivery of 2 Bolts.
  for (int t = 0; t < kThreads; ++t) {
    const std::string receipt = std::to_string(100 + t);
    const std::string delivery = std::to_string(200 + t);
    Exec("INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate) VALUES (" + receipt +
         ", 'R" + receipt + "', 1, '2024-03-05'), (" + delivery + ", 'D" + delivery +
         "', 21, '2024-03-05')");
    Exec(
        "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FDCStockID, FDCSPID) "
        "VALUES (" +
        receipt + ", 1, 7, 3, 1, 11), (" + receipt + ", 2, 8, 1, 1, 11), (" + delivery +
        ", 1, 7, 2, 1, 11)");
  }
  // A suite database that a host's calls meet is in WAL mode: the fixture made this file on its
  // own connection, so it is opened once more to be switched before threads race for it.
  static_cast<void>(sqlite::OpenSqliteConnection(path()));
  std::vector<std::string> errors(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      // Rounds of receive, deliver, and both undone; a last receipt and delivery stay.
      const int32_t steps[][3] = {{100, 1, 1}, {200, 21, 1}, {200, 21, 2}, {100, 1, 2}};
      for (int round = 0; round <= kRounds && errors[t].empty(); ++round) {
        for (int step = 0; step < (round == kRounds ? 2 : 4); ++step) {
          const auto& [bill, type, operation] = steps[step];
          const DictionaryPtr result =
              CallOnFile(path(), Request(bill + t, type, operation), errors[t]);
          if (errors[t].empty() && result->Read("ReturnCode").ToInt32() != 0) {
            errors[t] = result->Read("ReturnString").ToString();
          }
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::string& error : errors) EXPECT_EQ(error, "");
  EXPECT_DOUBLE_EQ(Balance(), 1000 + kThreads * (3 - 2));
  const db::RecordsetPtr nuts =
      connection()->Execute("SELECT FQty FROM ICInventory WHERE FItemID=8");
  ASSERT_EQ(nuts->RecordCount(), 1) << "concurrent first receipts into a new key made two rows";
  EXPECT_DOUBLE_EQ(nuts->Field("FQty").ToDouble(), kThreads);
}

}  // namespace
}  // namespace cb::check
