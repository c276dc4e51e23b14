// Tests of the mapping from SQLite result codes and messages to the errors the engine sees.
#include "platform/sqlite/sqlite_error_map.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace cb::sqlite {
namespace {

TEST(MapSqliteError, GivesKnownFailuresTheSuiteDatabaseNumbersAndTexts) {
  struct Case {
    int code;
    std::string_view message;
    db::DbErrorKind kind;
    int native;
    std::string_view description;
  };
  const Case cases[] = {
      {SQLITE_ERROR, "no such table: ICInventory", db::DbErrorKind::kNoSuchObject, 208,
       "Invalid object name 'ICInventory'."},
      {SQLITE_ERROR, "no such table: temp.#TempBill", db::DbErrorKind::kNoSuchObject, 208,
       "Invalid object name '#TempBill'."},
      {SQLITE_ERROR, "no such column: t1.FQty", db::DbErrorKind::kNoSuchObject, 207,
       "Invalid column name 't1.FQty'."},
      {SQLITE_ERROR, "table \"#TmpICBOM\" already exists", db::DbErrorKind::kObjectExists, 2714,
       "There is already an object named '#TmpICBOM' in the database."},
      {SQLITE_ERROR, "table [#T] already exists", db::DbErrorKind::kObjectExists, 2714,
       "There is already an object named '#T' in the database."},
      {SQLITE_ERROR, "ambiguous column name: FID", db::DbErrorKind::kSyntax, 209,
       "Ambiguous column name 'FID'."},
      {SQLITE_ERROR, "table t has 2 columns but 3 values were supplied", db::DbErrorKind::kOther,
       50000, "The statement failed in the database (native code 1)."},
      {SQLITE_CONSTRAINT_NOTNULL, "NOT NULL constraint failed: t.FQty",
       db::DbErrorKind::kConstraint, 515,
       "Cannot insert the value NULL into column 'FQty', table 't'; column does not allow nulls. "
       "INSERT fails."},
      {SQLITE_CONSTRAINT_PRIMARYKEY, "UNIQUE constraint failed: t.id", db::DbErrorKind::kConstraint,
       2627,
       "Violation of PRIMARY KEY or UNIQUE KEY constraint. Cannot insert duplicate key in object "
       "'t'."},
      {SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed: t.b", db::DbErrorKind::kConstraint,
       2627, ""},
      {SQLITE_BUSY, "database is locked", db::DbErrorKind::kBusy, 1222,
       "Lock request time out period exceeded."},
      {SQLITE_MISMATCH, "datatype mismatch", db::DbErrorKind::kConversion, 8114,
       "Error converting data type."},
      {SQLITE_CANTOPEN, "unable to open database file", db::DbErrorKind::kConnection,
       SQLITE_CANTOPEN, "unable to open database file"},
  };
  for (const Case& c : cases) {
    db::DbError error = MapSqliteError(c.code, c.message, "SELECT 1");
    EXPECT_EQ(error.kind, c.kind) << c.message;
    EXPECT_EQ(error.native_error, c.native) << c.message;
    if (!c.description.empty()) {
      EXPECT_EQ(error.description, c.description);
    }
    EXPECT_EQ(error.statement, "SELECT 1");
    // Statement failures are errors in the command, a file that cannot open a generic failure.
    EXPECT_EQ(error.number,
              c.code == SQLITE_CANTOPEN ? db::kDbGenericFailure : db::kDbErrorsInCommand);
  }
}

}  // namespace
}  // namespace cb::sqlite
