// Tests of the native-statement backend: binding, row and change reporting, the statement cache and
// the catalog of temporary and permanent tables.
#include "platform/sqlite/sqlite_backend.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

class Backend : public ::testing::Test {
 protected:
  tsql::StatementResult Run(std::string_view sql, std::vector<tsql::BoundParameter> params = {}) {
    return backend_.Run(sql, params);
  }

  cb::testing::TempDatabase dir_;
  SqliteBackend backend_{dir_.File("b.db"), SqliteOptions{}};
};

TEST_F(Backend, BindsParametersByNameAndReturnsRawStorageValues) {
  (void)Run("CREATE TABLE t (i INT, r REAL, s VARCHAR(5), d DATETIME_TEXT)");
  std::vector<tsql::BoundParameter> params = {{"@i", Variant(int32_t{7})},
                                              {"@r", Variant(1.5)},
                                              {"@s", Variant("ab")},
                                              {"@d", Variant::Date(DayNumberFromCivil(2024, 3, 7))},
                                              {"@unused", Variant(int64_t{1})}};
  (void)Run("INSERT INTO t VALUES (@i, @r, @s, @d)", params);
  tsql::StatementResult result = Run("SELECT i, r, s, d, NULL AS n FROM t");
  ASSERT_EQ(result.rows.size(), 1u);
  const auto& row = result.rows.front();
  EXPECT_EQ(row[0].type(), VariantType::kInt64);
  EXPECT_EQ(row[0].ToInt64(), 7);
  EXPECT_EQ(row[1].type(), VariantType::kDouble);
  EXPECT_EQ(row[2].ToString(), "ab");
  EXPECT_EQ(row[3].ToString(), "2024-03-07");
  EXPECT_TRUE(row[4].IsNull());
  ASSERT_EQ(result.columns.size(), 5u);
  EXPECT_EQ(result.columns[0].name, "i");
  EXPECT_EQ(result.columns[0].declared_type, "INT");
  EXPECT_EQ(result.columns[3].declared_type, "DATETIME_TEXT");
  EXPECT_EQ(result.columns[4].declared_type, "");
}

TEST_F(Backend, DescribesQueryColumnsWithoutRunningIt) {
  (void)Run("CREATE TABLE t (q DECIMAL_REAL(28,10), b VARCHAR(20))");
  std::vector<tsql::ColumnInfo> columns = backend_.Describe("SELECT q, b, q + 1 AS e FROM t", {});
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].declared_type, "DECIMAL_REAL(28,10)");
  EXPECT_EQ(columns[1].declared_type, "VARCHAR(20)");
  EXPECT_EQ(columns[2].name, "e");
  EXPECT_EQ(columns[2].declared_type, "");
}

TEST_F(Backend, CatalogLooksInTemporaryTablesFirstAndKeepsHashNamesTemporary) {
  (void)Run("CREATE TABLE Stock (FItemID INT, FQty DECIMAL_REAL(28,10))");
  (void)Run("CREATE TEMP TABLE \"#TempBill\" (FItemID INT)");
  auto permanent = backend_.TableColumns("stock");
  ASSERT_TRUE(permanent.has_value());
  ASSERT_EQ(permanent->size(), 2u);
  EXPECT_EQ((*permanent)[1].declared_type, "DECIMAL_REAL(28,10)");
  auto temporary = backend_.TableColumns("#tempbill");
  ASSERT_TRUE(temporary.has_value());
  EXPECT_EQ(temporary->size(), 1u);
  EXPECT_TRUE(backend_.TableColumns("[#TempBill]").has_value());
  EXPECT_FALSE(backend_.TableColumns("#Stock").has_value());
  EXPECT_FALSE(backend_.TableColumns("Missing").has_value());
  (void)Run("CREATE TEMP TABLE Stock (x INT)");
  EXPECT_EQ(backend_.TableColumns("Stock")->size(), 1u)
      << "a temporary table hides the permanent one";
}

TEST_F(Backend, CatalogFollowsSchemaChangesOfThisAndOtherConnections) {
  EXPECT_FALSE(backend_.TableColumns("Later").has_value());
  {
    SqliteBackend other(dir_.File("b.db"), SqliteOptions{});
    (void)other.Run("CREATE TABLE Later (a INT)", {});
  }
  ASSERT_TRUE(backend_.TableColumns("Later").has_value()) << "another connection created it";
  (void)Run("DROP TABLE Later");
  EXPECT_FALSE(backend_.TableColumns("Later").has_value());
  (void)Run("CREATE TABLE Later (a INT, b INT)");
  EXPECT_EQ(backend_.TableColumns("later")->size(), 2u);

  // Between two transactions of this connection, another one changes the table.
  backend_.RunNative("BEGIN IMMEDIATE");
  (void)Run("INSERT INTO Later (a, b) VALUES (1, 2)");
  EXPECT_EQ(backend_.TableColumns("Later")->size(), 2u);
  backend_.RunNative("COMMIT");
  {
    SqliteBackend other(dir_.File("b.db"), SqliteOptions{});
    (void)other.Run("DROP TABLE Later", {});
    (void)other.Run("CREATE TABLE Later (a INT, b INT, c INT)", {});
  }
  backend_.RunNative("BEGIN IMMEDIATE");
  EXPECT_EQ(backend_.TableColumns("Later")->size(), 3u) << "another connection changed it";
  backend_.RunNative("COMMIT");

  // Dropping one table leaves what is known of the others; IF EXISTS is not taken for a name.
  (void)Run("CREATE TABLE Other (x INT)");
  ASSERT_TRUE(backend_.TableColumns("Other").has_value());
  (void)Run("DROP TABLE IF EXISTS [Other]");
  EXPECT_FALSE(backend_.TableColumns("Other").has_value());
  EXPECT_EQ(backend_.TableColumns("Later")->size(), 3u);

  backend_.RunNative("BEGIN IMMEDIATE");
  (void)Run("CREATE TEMP TABLE \"#Gone\" (a INT)");
  EXPECT_TRUE(backend_.TableColumns("#Gone").has_value());
  backend_.RunNative("ROLLBACK");
  EXPECT_FALSE(backend_.TableColumns("#Gone").has_value()) << "the rollback dropped it";
}

TEST_F(Backend, FailuresCarryKindStatementAndLeaveNoLockBehind) {
  (void)Run("CREATE TABLE t (a INT NOT NULL)");
  try {
    (void)Run("INSERT INTO t VALUES (NULL)");
    FAIL() << "NULL went into a NOT NULL column";
  } catch (const db::DatabaseException& exception) {
    EXPECT_EQ(exception.error().kind, db::DbErrorKind::kConstraint);
    EXPECT_EQ(exception.error().native_error, 515);
    EXPECT_EQ(exception.error().statement, "INSERT INTO t VALUES (NULL)");
  }
  try {
    (void)Run("SELECT 1; SELECT 2");
    FAIL() << "two statements in one native text";
  } catch (const db::DatabaseException& exception) {
    EXPECT_NE(exception.error().description.find("more than one"), std::string::npos);
  }
  // Blanks, line ends and semicolons after the one statement are no second statement.
  EXPECT_EQ(Run("SELECT 1; \t;\r\n").rows.size(), 1u);
  EXPECT_NO_THROW((void)Run("DROP TABLE t"));
}

TEST(BackendOpen, MissingFileIsCreatedAndUnopenablePathIsAConnectionError) {
  cb::testing::TempDatabase dir;
  std::string path = dir.File("new.db");
  {
    SqliteBackend backend(path, SqliteOptions{});
    (void)backend.Run("CREATE TABLE t (a INT)", {});
  }
  EXPECT_TRUE(std::filesystem::exists(path));
  try {
    SqliteBackend backend(dir.File("no/such/dir/x.db"), SqliteOptions{});
    FAIL() << "opened a file in a missing directory";
  } catch (const db::DatabaseException& exception) {
    EXPECT_EQ(exception.error().kind, db::DbErrorKind::kConnection);
  }
}

int TempSchemaVersion(SqliteBackend& backend) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(backend.handle(), "PRAGMA temp.schema_version", -1, &statement, nullptr);
  const int version = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
  sqlite3_finalize(statement);
  return version;
}

// A schema change makes SQLite prepare every cached statement again; a temporary table dropped and
// created again with the same text must not cause one, while any other text must.
TEST_F(Backend, TemporaryTableCreatedAgainAlikeChangesNoSchema) {
  const std::string create = "CREATE TEMP TABLE [#Work] ([FID] INT NOT NULL)";
  const std::string drop = "DROP TABLE temp.[#Work]";
  (void)Run(create);
  (void)Run("INSERT INTO [#Work] VALUES (1)");
  (void)Run(drop);
  const int version = TempSchemaVersion(backend_);
  (void)Run(create);
  EXPECT_EQ(Run("SELECT COUNT(*) FROM [#Work]").rows[0][0].ToInt64(), 0);
  (void)Run(drop);
  EXPECT_EQ(TempSchemaVersion(backend_), version);
  EXPECT_FALSE(backend_.TableColumns("#Work").has_value());
  (void)Run("CREATE TEMP TABLE [#Work] ([FName] TEXT NULL)");
  EXPECT_NE(TempSchemaVersion(backend_), version);
  ASSERT_TRUE(backend_.TableColumns("#work").has_value());
  EXPECT_EQ(backend_.TableColumns("#work")->front().name, "FName");
}

}  // namespace
}  // namespace cb::sqlite
