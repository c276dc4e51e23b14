// When SQLite ends a transaction on its own (an I/O error, a full disk), the connection refuses
// every later statement and the commit with the first error, so nothing runs outside it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "platform/sqlite/sqlite_connection.h"
#include "support/fault_vfs.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

using cb::testing::FaultVfs;
using cb::testing::StorageFault;

class LostTransaction : public ::testing::TestWithParam<StorageFault> {
 protected:
  void SetUp() override {
    connection_ = OpenSqliteConnection(path_);
    connection_->Execute("CREATE TABLE t (id INT, v VARCHAR(4000))");
    // A cache of a few pages makes a transaction write to the file long before its commit.
    ASSERT_EQ(sqlite3_exec(connection_->backend().handle(), "PRAGMA cache_size=10", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
  }

  // Rows of t as another connection sees them.
  int RowCount() {
    vfs_.Arm(0, StorageFault::kIoError);
    return OpenSqliteConnection(path_)
        ->Execute("SELECT COUNT(*) FROM t")
        ->Field(size_t{0})
        .ToInt32();
  }

  // Inserts large rows in the open transaction until one fails; answers that failure's text.
  std::string InsertUntilAWriteFails() {
    const std::string filler(3000, 'x');
    for (int id = 2; id < 400; ++id) {
      try {
        connection_->Execute("INSERT INTO t (id, v) VALUES (" + std::to_string(id) + ", '" +
                             filler + "')");
      } catch (const Error& error) {
        return error.description();
      }
    }
    return "";
  }

  cb::testing::TempDatabase dir_;
  std::string path_ = dir_.File("lost.db");
  FaultVfs vfs_;  // before the connection, which opens the file through it
  std::shared_ptr<SqliteConnection> connection_;
};

TEST_P(LostTransaction, LaterStatementsAndTheCommitFailWithTheFirstErrorAndWriteNothing) {
  connection_->BeginTrans();
  connection_->Execute("INSERT INTO t (id) VALUES (1)");
  vfs_.Arm(1, GetParam());
  const std::string first = InsertUntilAWriteFails();
  ASSERT_TRUE(vfs_.fired());
  ASSERT_FALSE(first.empty());
  ASSERT_NE(sqlite3_get_autocommit(connection_->backend().handle()), 0)
      << "SQLite kept the transaction: nothing to show here";

  EXPECT_TRUE(connection_->InTransaction()) << "lost, but open until rolled back";
  try {
    connection_->Execute("UPDATE t SET id = 5");
    ADD_FAILURE() << "ran outside the transaction";
  } catch (const Error& error) {
    EXPECT_EQ(error.description(), first);
  }
  ASSERT_EQ(connection_->errors().Count(), 1u);
  EXPECT_EQ(connection_->errors().Item(0).description, first);
  try {
    connection_->CommitTrans();
    ADD_FAILURE() << "a lost transaction committed";
  } catch (const Error& error) {
    EXPECT_EQ(error.description(), first);
  }
  EXPECT_EQ(RowCount(), 0);

  connection_->RollbackTrans();
  EXPECT_FALSE(connection_->InTransaction());
  connection_->Execute("INSERT INTO t (id) VALUES (1000)");
  EXPECT_EQ(RowCount(), 1) << "after the rollback the connection works again";
}

INSTANTIATE_TEST_SUITE_P(Faults, LostTransaction,
                         ::testing::Values(StorageFault::kIoError, StorageFault::kDiskFull),
                         [](const ::testing::TestParamInfo<StorageFault>& param) {
                           return param.param == StorageFault::kIoError ? "IoError" : "DiskFull";
                         });

}  // namespace
}  // namespace cb::sqlite
