// The same bill checked, then unchecked, from several threads at once, each a host call with its
// own connection: exactly one call does the work, the others are refused by the bill's status (not
// by a locking error), and the stock moves once.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "check/flow_fixture.h"
#include "platform/sqlite/sqlite_connection.h"

namespace cb::check {
namespace {

using testing::FlowDatabase;
using testing::kReceipt;

constexpr int kThreads = 4;

class CheckConcurrencyTest : public FlowDatabase {
 protected:
  // Runs the operation on the receipt from kThreads threads released together; the results in
  // thread order. Threads have no test service: each call opens the file through the data source
  // string and keeps its own transaction, as a host's calls do.
  std::vector<DictionaryPtr> RunTogether(int32_t operate_code) {
    const auto sqlite_connection =
        std::dynamic_pointer_cast<sqlite::SqliteConnection>(connection());
    const std::string dsn =
        "Provider=SQLite;Data Source=" +
        std::string(sqlite3_db_filename(sqlite_connection->backend().handle(), "main")) +
        ";UserID=16";
    // A suite database that a host's calls meet is in WAL mode: the fixture made this file on its
    // own connection, so it is opened once more to be switched before the threads race for it.
    static_cast<void>(sqlite::OpenSqliteConnection(
        sqlite3_db_filename(sqlite_connection->backend().handle(), "main")));
    std::vector<DictionaryPtr> results(kThreads);
    std::vector<std::string> raised(kThreads);
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        DictionaryPtr params = Request(kReceipt, 1, operate_code);
        params->Write("PropString", dsn);
        start.arrive_and_wait();
        try {
          engine::CheckNow check_now;
          static_cast<void>(check_now.CheckBill(params));
        } catch (const Error& error) {
          raised[t] = error.description();  // a call that raises instead of answering
        }
        results[t] = params;
      });
    }
    for (std::thread& thread : threads) thread.join();
    for (const std::string& error : raised) EXPECT_EQ(error, "");
    return results;
  }

  static void ExpectOneDoneAndTheRestRefusedBy(const std::vector<DictionaryPtr>& results,
                                               const std::string& refusal) {
    int done = 0;
    for (const DictionaryPtr& result : results) {
      const int32_t code = result->Read("ReturnCode").ToInt32();
      if (code == 0) {
        ++done;
        continue;
      }
      EXPECT_EQ(code, -1);
      EXPECT_NE(result->Read("ReturnString").ToString().find(refusal), std::string::npos)
          << result->Read("ReturnString").ToString();
    }
    EXPECT_EQ(done, 1);
  }
};

TEST_F(CheckConcurrencyTest, ABillCheckedAndUncheckedFromSeveralThreadsAtOnceMovesStockOnce) {
  ExpectOneDoneAndTheRestRefusedBy(RunTogether(1), "该单已被审核!");
  EXPECT_DOUBLE_EQ(Balance(), 5);
  EXPECT_EQ(Dump("SELECT FStatus FROM ICStockBill WHERE FInterID=2001"), "1|\n");

  ExpectOneDoneAndTheRestRefusedBy(RunTogether(2), "该单还未被审核。");
  EXPECT_DOUBLE_EQ(Balance(), 0);
  EXPECT_EQ(Dump("SELECT FStatus FROM ICStockBill WHERE FInterID=2001"), "0|\n");
}

}  // namespace
}  // namespace cb::check
