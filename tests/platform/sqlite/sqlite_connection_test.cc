// Tests of SqliteConnection's contract: Errors after failures, transactions, a batch run again
// after its table changed, and the journal mode of the files it opens.
#include "platform/sqlite/sqlite_connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/db/command.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

class Connection : public ::testing::Test {
 protected:
  cb::testing::TempDatabase dir_;
  std::shared_ptr<SqliteConnection> connection_ = OpenSqliteConnection(dir_.File("c.db"));
};

TEST_F(Connection, FailuresAreRecordedInErrorsAndRaisedWithTheSameNumberAndText) {
  const std::string batch = "SELECT FQty FROM NoSuchTable";
  try {
    (void)connection_->Execute(batch);
    FAIL() << "a missing table was not an error";
  } catch (const Error& error) {
    ASSERT_EQ(connection_->errors().Count(), 1u);
    const db::DbError& recorded = connection_->errors().Item(0);
    EXPECT_EQ(error.number(), recorded.number);
    EXPECT_EQ(error.description(), recorded.description);
    EXPECT_EQ(recorded.description, "Invalid object name 'NoSuchTable'.");
    EXPECT_EQ(recorded.native_error, 208);
    EXPECT_EQ(recorded.number, db::kDbErrorsInCommand);
    EXPECT_FALSE(recorded.statement.empty());
  }
  (void)connection_->Execute("SELECT 1");
  EXPECT_TRUE(connection_->errors().empty()) << "the next statement clears Errors";
  EXPECT_THROW((void)connection_->Execute("SELEKT 1 FROM"), Error);
  ASSERT_EQ(connection_->errors().Count(), 1u);
  EXPECT_EQ(connection_->errors().Item(0).statement, "SELEKT 1 FROM")
      << "an error without a native statement names the batch";
}

TEST_F(Connection, TransactionCallsOutOfOrderRaise) {
  EXPECT_THROW(connection_->CommitTrans(), Error);
  EXPECT_THROW(connection_->RollbackTrans(), Error);
  connection_->BeginTrans();
  EXPECT_TRUE(connection_->InTransaction());
  EXPECT_THROW(connection_->BeginTrans(), Error);
  connection_->CommitTrans();
  EXPECT_FALSE(connection_->InTransaction());
}

TEST_F(Connection, ClosingWithOpenTransactionRollsItBack) {
  (void)connection_->Execute("CREATE TABLE T (a INT)");
  {
    auto writer = OpenSqliteConnection(dir_.File("c.db"));
    writer->BeginTrans();
    (void)writer->Execute("INSERT INTO T (a) VALUES (1)");
  }
  db::RecordsetPtr count = connection_->Execute("SELECT COUNT(*) FROM T");
  EXPECT_EQ(count->Field(size_t{0}).ToInt32(), 0);
}

TEST_F(Connection, SameBatchAfterATableWasCreatedAgainWithOtherColumnsFollowsTheNewColumns) {
  // The insert's text never changes; only the declared scale of the column it writes does.
  const std::string insert = "INSERT INTO #t (v) VALUES (1.23456)";
  for (const auto& [scale, stored] :
       {std::pair{2, 1.23}, std::pair{3, 1.235}, std::pair{2, 1.23}}) {
    (void)connection_->Execute("CREATE TABLE #t (v DECIMAL(10," + std::to_string(scale) + "))");
    (void)connection_->Execute(insert);
    EXPECT_DOUBLE_EQ(connection_->Execute("SELECT v FROM #t")->Field("v").ToDouble(), stored)
        << "scale " << scale;
    (void)connection_->Execute("DROP TABLE #t");
  }
}

TEST(JournalMode, OnlyAFileThatHoldsTheSuitesSchemaIsSwitchedToWriteAheadLog) {
  struct Case {
    const char* name;
    const char* existing_table;  // nullptr: the file is new
    const char* mode_after_open;
  };
  const Case cases[] = {
      {"new file", nullptr, "delete"},
      {"another program's database", "CREATE TABLE customers (id INTEGER)", "delete"},
      {"the suite's database", "CREATE TABLE ICTransactionType (FID INTEGER)", "wal"},
      {"the suite's database, lower case", "CREATE TABLE ictransactiontype (FID INTEGER)", "wal"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cb::testing::TempDatabase dir;
    const std::string path = dir.File("j.db");
    if (c.existing_table != nullptr) {
      sqlite3* db = nullptr;
      ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
      ASSERT_EQ(sqlite3_exec(db, c.existing_table, nullptr, nullptr, nullptr), SQLITE_OK);
      sqlite3_close(db);
    }
    auto connection = OpenSqliteConnection(path);
    tsql::StatementResult mode = connection->backend().Run("PRAGMA journal_mode", {});
    ASSERT_EQ(mode.rows.size(), 1u);
    EXPECT_EQ(mode.rows[0][0].ToString(), c.mode_after_open);
  }
}

}  // namespace
}  // namespace cb::sqlite
