// Storage faults swept over a whole check of a receipt: the Nth write, sync or lock of the database
// fails with an I/O error or a full disk, and the Nth read with an I/O error (which SQLite answers
// by rolling the whole transaction back), for every N the check reaches. Each run must end either
// fully done or with a documented error and the database exactly as before; never a success with a
// part written. Failing statements are swept by the scenario files; this sweep reaches what no
// statement shows: the journal, the syncs and the commit.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "check/flow_fixture.h"
#include "platform/services/service_locator.h"
#include "support/fault_vfs.h"

namespace cb::check {
namespace {

using cb::testing::FaultVfs;
using cb::testing::StorageFault;
using testing::FlowDatabase;

// Every row of every table, by table; each table's rows sorted, so that equal contents read equal
// whatever the row order on disk.
using DatabaseContents = std::map<std::string, std::vector<std::string>>;

std::vector<std::string> Rows(sqlite3* db, const std::string& sql) {
  std::vector<std::string> rows;
  const auto collect = [](void* out, int columns, char** values, char** /*names*/) {
    std::string row;
    for (int i = 0; i < columns; ++i) row += std::string(values[i] ? values[i] : "NULL") + "|";
    static_cast<std::vector<std::string>*>(out)->push_back(row);
    return 0;
  };
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), collect, &rows, nullptr), SQLITE_OK) << sql;
  std::sort(rows.begin(), rows.end());
  return rows;
}

DatabaseContents ReadContents(const std::string& path) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  DatabaseContents contents;
  for (std::string table : Rows(db, "SELECT name FROM sqlite_master WHERE type='table'")) {
    table.pop_back();  // the cell separator
    contents[table] = Rows(db, "SELECT * FROM \"" + table + "\"");
  }
  sqlite3_close(db);
  return contents;
}

// The tables whose rows differ, for a short failure message.
std::string DifferingTables(const DatabaseContents& a, const DatabaseContents& b) {
  std::string names = a.size() == b.size() ? "" : "(a table was added or dropped) ";
  for (const auto& [table, rows] : a) {
    if (!b.contains(table) || b.at(table) != rows) names += table + " ";
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
    work_path_ = path() + ".work";
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
    ASSERT_EQ(sqlite3_wal_checkpoint_v2(connection_->backend().handle(), "main",
                                        SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr),
              SQLITE_OK);
    RemoveWork();
    std::filesystem::copy_file(path(), work_path_);
  }

  // The check of the receipt on `path`: the result code, or 1 when the call raised (a failure
  // before the check flow starts, such as a database that cannot be opened).
  static int32_t RunCheck(const std::string& path) {
    std::string raised;
    const DictionaryPtr params = CallOnFile(path, Request(testing::kReceipt, 1, 1), raised);
    return raised.empty() ? params->Read("ReturnCode").ToInt32() : 1;
  }

  std::string work_path_;
};

TEST_F(StorageFaultSweep, EveryFailingWriteSyncLockOrReadEndsDoneOrChangesNothing) {
  FaultVfs vfs;
  FreshWork();
  const DatabaseContents before = ReadContents(work_path_);
  const std::pair<StorageFault, const char*> faults[] = {{StorageFault::kIoError, "I/O error"},
                                                         {StorageFault::kDiskFull, "full disk"},
                                                         {StorageFault::kReadError, "read error"}};
  for (const auto& [fault, fault_name] : faults) {
    // How many operations of the kind a run without faults reaches, and what it writes.
    FreshWork();
    vfs.Arm(0, fault);
    ASSERT_EQ(RunCheck(work_path_), 0) << "the check without faults";
    const int64_t operations = vfs.operations();
    ASSERT_GT(operations, 0);
    const DatabaseContents done = ReadContents(work_path_);
    ASSERT_FALSE(DifferingTables(before, done).empty()) << "the check wrote nothing";
    int failed_runs = 0;
    for (int64_t fail_at = 1; fail_at <= operations; ++fail_at) {
      SCOPED_TRACE(std::string(fault_name) + " at operation " + std::to_string(fail_at));
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
