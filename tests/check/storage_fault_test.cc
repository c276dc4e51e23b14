// Storage faults swept over a whole check of a receipt: the Nth write, sync or lock of the database
// fails with an I/O error or a full disk, and the Nth read with an I/O error (which SQLite answers
// by rolling the whole transaction back), for every N the check reaches. Each run must end either
// fully done or with a documented error and the database exactly as before; never a success with a
// part written. Failing statements are swept by the scenario files; this sweep reaches what no
// statement shows: the journal, the syncs and the commit.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <string>

#include "check/flow_fixture.h"
#include "platform/services/service_locator.h"
#include "platform/sqlite/sqlite_connection.h"
#include "support/fault_vfs.h"

namespace cb::check {
namespace {

using cb::testing::FaultVfs;
using cb::testing::StorageFault;
using testing::FlowDatabase;

// Every row of every table, by table; rows in a fixed order.
using DatabaseContents = std::map<std::string, std::string>;

std::string Column(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text == nullptr ? "NULL" : text;
}

DatabaseContents ReadContents(const std::string& path) {
  DatabaseContents contents;
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  sqlite3_stmt* tables = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT m.name, (SELECT count(*) FROM pragma_table_info(m.name)) FROM "
                     "sqlite_master AS m WHERE m.type='table' ORDER BY m.name",
                     -1, &tables, nullptr);
  while (sqlite3_step(tables) == SQLITE_ROW) {
    const std::string table = Column(tables, 0);
    const int columns = sqlite3_column_int(tables, 1);
    // Ordered by every column, so that equal contents read equal whatever the row order on disk;
    // in binary order, since this plain handle does not have the engine's collation.
    std::string sql = "SELECT * FROM \"" + table + "\"";
    for (int i = 1; i <= columns; ++i) {
      sql += (i == 1 ? " ORDER BY " : ", ") + std::to_string(i) + " COLLATE BINARY";
    }
    sqlite3_stmt* rows = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &rows, nullptr), SQLITE_OK) << sql;
    std::string text;
    while (sqlite3_step(rows) == SQLITE_ROW) {
      for (int i = 0; i < columns; ++i) text += Column(rows, i) + "|";
      text += "\n";
    }
    sqlite3_finalize(rows);
    contents[table] = text;
  }
  sqlite3_finalize(tables);
  sqlite3_close(db);
  return contents;
}

// The tables whose rows differ, for a short failure message.
std::string DifferingTables(const DatabaseContents& a, const DatabaseContents& b) {
  std::string names;
  for (const auto& [table, rows] : a) {
    auto other = b.find(table);
    if (other == b.end() || other->second != rows) names += table + " ";
  }
  for (const auto& [table, rows] : b) {
    if (a.find(table) == a.end()) names += table + " ";
  }
  return names;
}

class StorageFaultSweep : public FlowDatabase {
 protected:
  void SetUp() override {
    FlowDatabase::SetUp();
    Exec(
        "INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FQty) VALUES (7, 1, 11, "
        "10)");
    // The engine's own data-access service: each call opens the file and owns its transaction.
    services::ServiceLocator::Current().SetDataAccessServiceFactory({});
    const auto sqlite_connection =
        std::dynamic_pointer_cast<sqlite::SqliteConnection>(connection());
    template_path_ = sqlite3_db_filename(sqlite_connection->backend().handle(), "main");
    work_path_ = template_path_ + ".work";
  }
  void TearDown() override {
    RemoveWork();
    FlowDatabase::TearDown();
  }

  void RemoveWork() {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
      std::error_code ignored;
      std::filesystem::remove(work_path_ + suffix, ignored);
    }
  }

  // The working file starts as the template: everything committed so far, in the main file.
  void FreshWork() {
    const auto sqlite_connection =
        std::dynamic_pointer_cast<sqlite::SqliteConnection>(connection());
    ASSERT_EQ(sqlite3_wal_checkpoint_v2(sqlite_connection->backend().handle(), "main",
                                        SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr),
              SQLITE_OK);
    RemoveWork();
    std::filesystem::copy_file(template_path_, work_path_);
  }

  // The check of the receipt on `path` as a host runs it: the result code, or 1 when the call
  // raised (a failure before the check flow starts, such as a database that cannot be opened).
  static int32_t RunCheck(const std::string& path) {
    DictionaryPtr params = Request(testing::kReceipt, 1, 1);
    params->Write("PropString", "Provider=SQLite;Data Source=" + path + ";UserID=16");
    try {
      engine::CheckNow check_now;
      static_cast<void>(check_now.CheckBill(params));
    } catch (const Error&) {
      return 1;
    }
    return params->Read("ReturnCode").ToInt32();
  }

  std::string template_path_;
  std::string work_path_;
};

TEST_F(StorageFaultSweep, EveryFailingWriteSyncLockOrReadEndsDoneOrChangesNothing) {
  FaultVfs vfs;
  FreshWork();
  const DatabaseContents before = ReadContents(work_path_);
  vfs.Arm(0, StorageFault::kIoError);
  ASSERT_EQ(RunCheck(work_path_), 0) << "the check without faults";
  const DatabaseContents done = ReadContents(work_path_);
  ASSERT_FALSE(DifferingTables(before, done).empty()) << "the check wrote nothing";

  for (StorageFault fault :
       {StorageFault::kIoError, StorageFault::kDiskFull, StorageFault::kReadError}) {
    // How many operations of the kind a run without faults reaches.
    FreshWork();
    vfs.Arm(0, fault);
    ASSERT_EQ(RunCheck(work_path_), 0);
    const int64_t operations = vfs.operations();
    ASSERT_GT(operations, 0);
    int failed_runs = 0;
    for (int64_t fail_at = 1; fail_at <= operations; ++fail_at) {
      SCOPED_TRACE(std::string(fault == StorageFault::kIoError    ? "I/O error"
                               : fault == StorageFault::kDiskFull ? "full disk"
                                                                  : "read error") +
                   " at operation " + std::to_string(fail_at));
      FreshWork();
      vfs.Arm(fail_at, fault);
      const int32_t code = RunCheck(work_path_);
      vfs.Arm(0, fault);
      const DatabaseContents after = ReadContents(work_path_);
      if (code == 0) {
        EXPECT_EQ(DifferingTables(done, after), "") << "succeeded, but not all was written";
      } else {
        ++failed_runs;
        EXPECT_EQ(DifferingTables(before, after), "")
            << "failed with " << code << ", but left writes behind";
      }
    }
    // Faults early in the check must make it fail: a sweep that never failed proves nothing.
    EXPECT_GT(failed_runs, 0);
  }
}

}  // namespace
}  // namespace cb::check
