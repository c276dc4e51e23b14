// Runs translated statements on a real in-memory database for the rewrites whose meaning matters
// most: the UPDATE/DELETE … FROM binding and IDENTITY.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "platform/db/database_error.h"
#include "platform/tsql/batch.h"

namespace cb::tsql {
namespace {

// Minimal stand-ins for the functions and collation every connection registers.
void Dec(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) != SQLITE_FLOAT) {
    sqlite3_result_value(context, argv[0]);
    return;
  }
  int scale = argc > 1 ? sqlite3_value_int(argv[1]) : 10;
  double factor = std::pow(10.0, scale);
  sqlite3_result_double(context, std::round(sqlite3_value_double(argv[0]) * factor) / factor);
}

int CompareBlind(void*, int a_length, const void* a, int b_length, const void* b) {
  std::string x(static_cast<const char*>(a), a_length);
  std::string y(static_cast<const char*>(b), b_length);
  for (std::string* s : {&x, &y}) {
    while (!s->empty() && s->back() == ' ') s->pop_back();
    for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return x.compare(y);
}

class NativeDatabase : public Catalog {
 public:
  NativeDatabase() {
    sqlite3_open(":memory:", &db_);
    sqlite3_create_function(db_, "dec", 1, SQLITE_UTF8, nullptr, Dec, nullptr, nullptr);
    sqlite3_create_function(db_, "dec", 2, SQLITE_UTF8, nullptr, Dec, nullptr, nullptr);
    sqlite3_create_collation(db_, "TSQLCI", SQLITE_UTF8, nullptr, CompareBlind);
  }
  ~NativeDatabase() override { sqlite3_close(db_); }

  std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view table) override {
    std::string schema = !table.empty() && table[0] == '#' ? "temp" : "main";
    auto rows = Query("PRAGMA " + schema + ".table_info([" + std::string(table) + "])");
    if (rows.empty()) return std::nullopt;
    std::vector<ColumnInfo> columns;
    for (const auto& row : rows) columns.push_back({row[1], row[2]});
    return columns;
  }

  // Runs every statement of a batch of native-only statements; returns the changes of the last.
  int Run(const std::string& batch) {
    int changes = 0;
    for (const auto& statement : ParseBatch(batch)) {
      Translation translation = statement->Translate(*this);
      Query(translation.sql);
      changes = sqlite3_changes(db_);
    }
    return changes;
  }

  // Rows of one native statement, each value as text ("NULL" for null).
  std::vector<std::vector<std::string>> Query(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    std::vector<std::vector<std::string>> rows;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(db_) << "\n" << sql;
      return rows;
    }
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const unsigned char* text = sqlite3_column_text(statement, i);
        row.push_back(text ? reinterpret_cast<const char*>(text) : "NULL");
      }
      rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) ADD_FAILURE() << sqlite3_errmsg(db_) << "\n" << sql;
    sqlite3_finalize(statement);
    return rows;
  }

  // The translated query's rows.
  std::vector<std::vector<std::string>> Select(const std::string& tsql) {
    return Query(ParseBatch(tsql).at(0)->Translate(*this).sql);
  }

 private:
  sqlite3* db_ = nullptr;
};

using Rows = std::vector<std::vector<std::string>>;

TEST(NativeUpdateFrom, TableNameTargetChangesOnlyItsJoinedInstance) {
  NativeDatabase db;
  db.Run(
      "CREATE TABLE t_ICItemMaterial (FItemID INT, FSalePrice DECIMAL(28,10), FPriceDecimal INT) "
      "CREATE TABLE SEOrderEntry (FInterID INT, FItemID INT, FTaxPrice DECIMAL(28,10)) "
      "INSERT INTO t_ICItemMaterial VALUES (1, 0, 2), (2, 0, 2), (3, 0, 2) "
      "INSERT INTO SEOrderEntry VALUES (100, 1, 12.344), (200, 2, 99)");
  int changes = db.Run(
      "Update t_ICItemMaterial Set FSalePrice = Round(t2.FTaxPrice, t1.FPriceDecimal) "
      "From SEOrderEntry t2 Inner Join t_ICItemMaterial t1 On t1.FItemID=t2.FItemID "
      "Where t2.FInterID = 100");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(db.Select("SELECT FItemID, FSalePrice FROM t_ICItemMaterial ORDER BY FItemID"),
            (Rows{{"1", "12.34"}, {"2", "0.0"}, {"3", "0.0"}}));
}

TEST(NativeUpdateFrom, AliasTargetCountsEachRowOnceAndSeesTargetInOuterJoin) {
  NativeDatabase db;
  db.Run(
      "CREATE TABLE SEOrderEntry (FInterID INT, FEntryID INT, FItemID INT, FLockFlag INT) "
      "CREATE TABLE t_LockStock (FInterID INT, FEntryID INT, FQty DECIMAL(28,10)) "
      "CREATE TABLE #TempBill (FItemID INT) "
      "INSERT INTO SEOrderEntry VALUES (1, 1, 10, 9), (1, 2, 20, 9), (2, 1, 30, 9) "
      "INSERT INTO t_LockStock VALUES (1, 2, 5) "
      "INSERT INTO #TempBill VALUES (10), (10), (20)");
  // Item 10 appears twice in the join; the row still changes once. Entry (2,1) is not joined.
  int changes = db.Run(
      "UPDATE P1 SET P1.FLockFlag=(CASE WHEN t1.FQty IS NULL THEN 0 ELSE 1 END) "
      "FROM SEOrderEntry P1 INNER JOIN #TempBill u1 ON P1.FItemID=u1.FItemID "
      "LEFT OUTER JOIN t_LockStock t1 ON P1.FInterID=t1.FInterID AND P1.FEntryID=t1.FEntryID");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(db.Select("SELECT FLockFlag FROM SEOrderEntry ORDER BY FInterID, FEntryID"),
            (Rows{{"0"}, {"1"}, {"9"}}));
}

TEST(NativeDeleteFrom, AliasTargetDeletesOnlyItsJoinedRows) {
  NativeDatabase db;
  db.Run(
      "CREATE TABLE ICInventory (FItemID INT, FStockID INT) CREATE TABLE T_Stock (FItemID INT) "
      "CREATE TABLE #TempBill (FItemID INT, FStockID INT) "
      "INSERT INTO ICInventory VALUES (1, 1), (2, 1) INSERT INTO T_Stock VALUES (1) "
      "INSERT INTO #TempBill VALUES (1, 1), (2, 2), (3, 1)");
  int changes = db.Run(
      "DELETE u1 FROM ICInventory t1 INNER JOIN #TempBill u1 ON t1.FItemID=u1.FItemID "
      "Inner Join T_Stock t On u1.FStockID=t.FItemID");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(db.Select("SELECT FItemID FROM #TempBill ORDER BY FItemID"), (Rows{{"2"}, {"3"}}));
  EXPECT_EQ(db.Select("SELECT COUNT(*) FROM ICInventory"), (Rows{{"2"}}));
}

TEST(NativeCreateTable, IdentityNumbersRowsFromOne) {
  NativeDatabase db;
  db.Run(
      "CREATE TABLE #OrderBOM (FID INT IDENTITY(1,1), FItemID INT NOT NULL, FNote VARCHAR(10) "
      "NOT NULL DEFAULT('')) INSERT INTO #OrderBOM (FItemID) VALUES (7) "
      "INSERT INTO #OrderBOM (FItemID) SELECT 8 UNION ALL SELECT 9");
  EXPECT_EQ(db.Select("SELECT FID, FItemID, FNote FROM #OrderBOM ORDER BY FID"),
            (Rows{{"1", "7", ""}, {"2", "8", ""}, {"3", "9", ""}}));
}

}  // namespace
}  // namespace cb::tsql
