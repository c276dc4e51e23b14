// Tests of the native-statement backend: opening files, and the statement cache across temporary
// tables created again.
#include "platform/sqlite/sqlite_backend.h"

#include <gtest/gtest.h>

#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

class Backend : public ::testing::Test {
 protected:
  tsql::StatementResult Run(std::string_view sql) { return backend_.Run(sql, {}); }

  cb::testing::TempDatabase dir_;
  SqliteBackend backend_{dir_.File("b.db"), SqliteOptions{}};
};

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

// A rolled-back CREATE leaves no table, so the catalog must not remember one.
TEST_F(Backend, CatalogForgetsATableWhoseCreateIsRolledBack) {
  backend_.RunNative("BEGIN IMMEDIATE");
  (void)Run("CREATE TEMP TABLE \"#Gone\" (a INT)");
  EXPECT_TRUE(backend_.TableColumns("#Gone").has_value());
  backend_.RunNative("ROLLBACK");
  EXPECT_FALSE(backend_.TableColumns("#Gone").has_value());
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
