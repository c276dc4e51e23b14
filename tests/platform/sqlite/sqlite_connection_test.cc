// Tests of SqliteConnection's contract: Errors after failures, typed recordsets, transactions and
// the procedure registry.
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

TEST_F(Connection, BatchWithoutQueryReturnsClosedRecordset) {
  db::RecordsetPtr result =
      connection_->Execute("CREATE TABLE T (a INT) INSERT INTO T (a) VALUES (1)");
  EXPECT_FALSE(result->IsOpen());
  EXPECT_EQ(connection_->row_count(), 1);
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

TEST(SqliteConnection, RegisteredProcedureRunsOnTheCallingConnection) {
  auto registry = std::make_shared<ProcedureRegistry>();
  registry->Register("CountRows", [](db::Connection& connection, db::Parameters& parameters) {
    db::RecordsetPtr count = connection.Execute("SELECT COUNT(*) FROM #Work");
    parameters.Item("@n").value = count->Field(size_t{0});
    parameters.ReturnValue()->value = Variant(int32_t{0});
  });
  cb::testing::TempDatabase dir;
  SqliteOptions options;
  options.procedures = registry;
  auto connection = OpenSqliteConnection(dir.File("p.db"), options);
  (void)connection->Execute("CREATE TABLE #Work (a INT) INSERT INTO #Work (a) VALUES (1)");
  db::Command command(connection, "countrows");
  command.parameters().Append({"RETURN_VALUE", db::ParameterDirection::kReturnValue, {}});
  command.parameters().Append({"@n", db::ParameterDirection::kOutput, {}});
  command.Execute();
  EXPECT_EQ(command.parameters().Item("n").value.ToInt32(), 1) << "the temp table is visible";
  EXPECT_EQ(command.parameters().ReturnValue()->value.ToInt32(), 0);
}

TEST(SqliteConnection, ObserverSeesEachNativeStatementWithItsValuesAndWhetherItSucceeded) {
  struct Seen {
    std::string sql;
    std::string values;
    bool succeeded;
  };
  std::vector<Seen> seen;
  SqliteOptions options;
  options.observe_statement = [&](std::string_view sql,
                                  std::span<const tsql::BoundParameter> params, bool succeeded) {
    std::string values;
    for (const tsql::BoundParameter& param : params) {
      values += param.name + "=" + param.value.ToString() + ";";
    }
    seen.push_back({std::string(sql), values, succeeded});
  };
  cb::testing::TempDatabase dir;
  auto connection = OpenSqliteConnection(dir.File("o.db"), options);
  (void)connection->Execute("CREATE TABLE t (a INT NOT NULL PRIMARY KEY)");
  seen.clear();
  (void)connection->Execute("DECLARE @v INT\r\nSET @v = 5\r\nINSERT INTO t (a) VALUES (@v)");
  EXPECT_THROW((void)connection->Execute("INSERT INTO t (a) VALUES (5)"), Error);
  // SET may run a statement of its own; the two inserts are the last two.
  ASSERT_GE(seen.size(), 2u);
  const Seen& insert = seen[seen.size() - 2];
  EXPECT_NE(insert.sql.find("INSERT INTO"), std::string::npos) << insert.sql;
  EXPECT_NE(insert.values.find("@v=5;"), std::string::npos) << insert.values;
  EXPECT_TRUE(insert.succeeded);
  EXPECT_NE(seen.back().sql.find("INSERT INTO"), std::string::npos) << seen.back().sql;
  EXPECT_FALSE(seen.back().succeeded) << "the duplicate key is shown as failed";
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
