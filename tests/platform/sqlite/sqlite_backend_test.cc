// Tests of the native-statement backend: opening files, the catalog across schema changes and the
// statement cache across temporary tables created again.
#include "platform/sqlite/sqlite_backend.h"

#include <gtest/gtest.h>

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
