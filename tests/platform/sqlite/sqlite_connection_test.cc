// Tests of SqliteConnection's contract: Errors after failures, transactions, a batch run again
// after its table changed, the catalog and temporary tables across rollbacks and re-creation, the
// clock it registers and the journal mode of the files it opens.
#include "platform/sqlite/sqlite_connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <regex>

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

// A rolled-back CREATE leaves no table, so the catalog must not remember one.
TEST_F(Connection, CatalogForgetsATableWhoseCreateIsRolledBack) {
  SqliteBackend& backend = connection_->backend();
  backend.RunNative("BEGIN IMMEDIATE");
  (void)backend.Run("CREATE TEMP TABLE \"#Gone\" (a INT)", {});
  EXPECT_TRUE(backend.TableColumns("#Gone").has_value());
  backend.RunNative("ROLLBACK");
  EXPECT_FALSE(backend.TableColumns("#Gone").has_value());
}

// A schema change makes SQLite prepare every cached statement again; a temporary table dropped and
// created again alike is kept for reuse and must not cause one.
TEST_F(Connection, TemporaryTableCreatedAgainAlikeChangesNoSchema) {
  SqliteBackend& backend = connection_->backend();
  auto version = [&backend] {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(backend.handle(), "PRAGMA temp.schema_version", -1, &statement, nullptr);
    const int value = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    return value;
  };
  const std::string create = "CREATE TEMP TABLE [#Work] ([FID] INT NOT NULL)";
  const std::string drop = "DROP TABLE temp.[#Work]";
  (void)backend.Run(create, {});
  (void)backend.Run(drop, {});
  const int before = version();
  (void)backend.Run(create, {});
  (void)backend.Run(drop, {});
  EXPECT_EQ(version(), before);
}

// The collation and tsql_div are run by the case files; the clock's format is not.
TEST_F(Connection, GetDateGivesLocalTimeWithMilliseconds) {
  tsql::StatementResult result = connection_->backend().Run("SELECT getdate()", {});
  ASSERT_EQ(result.rows.size(), 1u);
  std::string now = result.rows[0][0].ToString();
  EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3})")))
      << now;
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
