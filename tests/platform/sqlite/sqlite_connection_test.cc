// Tests of SqliteConnection's contract: Errors after failures, typed recordsets, transactions and
// the procedure registry.
#include "platform/sqlite/sqlite_connection.h"

#include <gtest/gtest.h>

#include "platform/db/command.h"
#include "temp_database.h"

namespace cb::sqlite {
namespace {

class Connection : public ::testing::Test {
 protected:
  testing::TempDirectory dir_;
  std::shared_ptr<SqliteConnection> connection_ = OpenSqliteConnection(dir_.File("c.db"));
};

TEST_F(Connection, FailureIsRecordedInErrorsAndRaisedWithTheSameNumberAndText) {
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
}

TEST_F(Connection, ParseErrorsReachErrorsToo) {
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

TEST_F(Connection, RecordsetFieldsTakeTheDeclaredTypes) {
  (void)connection_->Execute(
      "CREATE TABLE T (FID INT, FFlag BIT, FQty DECIMAL(28,10), FName VARCHAR(10), FDate DATETIME)"
      " INSERT INTO T (FID, FFlag, FQty, FName, FDate) VALUES (1, 1, 10, 'x', '2024-03-07')");
  db::RecordsetPtr row = connection_->Execute("SELECT FID, FFlag, FQty, FName, FDate FROM T");
  EXPECT_EQ(row->Field("FID").type(), VariantType::kInt32);
  EXPECT_EQ(row->Field("FFlag").type(), VariantType::kBool);
  EXPECT_EQ(row->Field("FQty").type(), VariantType::kDouble);
  EXPECT_EQ(row->Field("FName").type(), VariantType::kString);
  EXPECT_EQ(row->Field("FDate").type(), VariantType::kDate);
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

TEST_F(Connection, UnknownProcedureIsAnErrorThroughErrors) {
  db::Command command(connection_, "NoSuchProc");
  EXPECT_THROW(command.Execute(), Error);
  ASSERT_EQ(connection_->errors().Count(), 1u);
  EXPECT_EQ(connection_->errors().Item(0).description,
            "Could not find stored procedure 'NoSuchProc'.");
  EXPECT_EQ(connection_->errors().Item(0).native_error, 2812);
  EXPECT_EQ(connection_->errors().Item(0).kind, db::DbErrorKind::kNoSuchObject);
}

TEST(SqliteConnection, RegisteredProcedureRunsOnTheCallingConnection) {
  auto registry = std::make_shared<ProcedureRegistry>();
  registry->Register("CountRows", [](db::Connection& connection, db::Parameters& parameters) {
    db::RecordsetPtr count = connection.Execute("SELECT COUNT(*) FROM #Work");
    parameters.Item("@n").value = count->Field(size_t{0});
    parameters.ReturnValue()->value = Variant(int32_t{0});
  });
  testing::TempDirectory dir;
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

}  // namespace
}  // namespace cb::sqlite
