// Builds the benchmark's stock fixture once through the layer and once through the SQLite API.
#include "bench/stock_update_fixture.h"

#include <filesystem>
#include <stdexcept>

namespace cb::bench {

namespace {

// The DDL is plain enough to read the same in T-SQL and in SQLite.
constexpr const char* kTables[] = {
    "CREATE TABLE T_Stock (FItemID INT NOT NULL PRIMARY KEY, FNumber VARCHAR(80) NULL, "
    "FTypeID INT NOT NULL DEFAULT(500))",
    "CREATE TABLE ICInventory (FBrNo VARCHAR(10) NOT NULL DEFAULT(''), FItemID INT NOT NULL, "
    "FBatchNo NVARCHAR(255) NOT NULL DEFAULT(''), FAuxPropID INT NOT NULL DEFAULT(0), "
    "FStockID INT NOT NULL, FStockPlaceID INT NOT NULL DEFAULT(0), FKFPeriod INT NOT NULL "
    "DEFAULT(0), FKFDate VARCHAR(20) NOT NULL DEFAULT(''), FQty DECIMAL(28,10) NOT NULL "
    "DEFAULT(0), "
    "FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0))",
    "CREATE UNIQUE INDEX ix_ICInventory_Key ON ICInventory (FItemID, FStockID, FBatchNo, "
    "FAuxPropID, FStockPlaceID, FKFPeriod, FKFDate)",
    "CREATE TABLE ICStockBillEntry (FInterID INT NOT NULL, FEntryID INT NOT NULL, FItemID INT NOT "
    "NULL, FBatchNo NVARCHAR(255) NULL, FAuxPropID INT NOT NULL DEFAULT(0), FDCStockID INT NULL, "
    "FDCSPID INT NULL, FSCStockID INT NULL, FSCSPID INT NULL, FKFPeriod INT NULL, FKFdate DATETIME "
    "NULL, FQty DECIMAL(28,10) NOT NULL DEFAULT(0), FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0))",
    "CREATE INDEX ix_ICStockBillEntry_InterID ON ICStockBillEntry (FInterID)",
};

// Row inserts in batches of a few hundred statements, the same text for both sides.
template <typename Run>
void InsertRows(Run run) {
  std::string batch;
  int pending = 0;
  auto add = [&](const std::string& statement) {
    batch += statement + "\r\n";
    if (++pending == 250) {
      run(batch);
      batch.clear();
      pending = 0;
    }
  };
  for (int stock = 1; stock <= kStocks; ++stock) {
    add("INSERT INTO T_Stock (FItemID, FNumber) VALUES (" + std::to_string(stock) + ", 'S" +
        std::to_string(stock) + "')");
  }
  for (int item = 1; item <= kInventoryItems; ++item) {
    for (int stock = 1; stock <= kStocks; ++stock) {
      add("INSERT INTO ICInventory (FItemID, FStockID, FQty, FSecQty) VALUES (" +
          std::to_string(item) + ", " + std::to_string(stock) + ", 100, 0)");
    }
  }
  // Other bills around the measured one, so the entry lookup goes through the index.
  for (int inter_id = kBillInterId - 20; inter_id <= kBillInterId + 20; ++inter_id) {
    const int lines = inter_id == kBillInterId ? kBillLines : 20;
    for (int entry = 1; entry <= lines; ++entry) {
      const int item =
          inter_id == kBillInterId ? (entry % kDistinctKeys) + 1 : entry + inter_id % 7;
      add("INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FQty, FSecQty) "
          "VALUES (" +
          std::to_string(inter_id) + ", " + std::to_string(entry) + ", " + std::to_string(item) +
          ", 1, 1.5, 0)");
    }
  }
  if (!batch.empty()) run(batch);
}

void ExecNative(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message != nullptr ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error("fixture: " + text);
  }
}

}  // namespace

void BuildFixtureThroughLayer(db::Connection& connection) {
  for (const char* ddl : kTables) static_cast<void>(connection.Execute(ddl));
  connection.BeginTrans();
  InsertRows([&](const std::string& batch) { static_cast<void>(connection.Execute(batch)); });
  connection.CommitTrans();
}

void BuildFixtureNative(sqlite3* db) {
  for (const char* ddl : kTables) ExecNative(db, ddl);
  ExecNative(db, "BEGIN");
  // The batch separates statements with line breaks; SQLite wants semicolons.
  InsertRows([&](const std::string& batch) {
    std::string native;
    for (char c : batch) native += c == '\n' ? ';' : c;
    ExecNative(db, native);
  });
  ExecNative(db, "COMMIT");
}

std::string FreshDatabasePath(const std::string& name) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::remove(path.string() + suffix);
  }
  return path.string();
}

double TouchedInventoryQty(sqlite3* db) {
  sqlite3_stmt* statement = nullptr;
  const std::string sql = "SELECT TOTAL(FQty) FROM ICInventory WHERE FStockID = 1 AND FItemID <= " +
                          std::to_string(kDistinctKeys);
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
  double total = 0;
  if (sqlite3_step(statement) == SQLITE_ROW) total = sqlite3_column_double(statement, 0);
  sqlite3_finalize(statement);
  return total;
}

}  // namespace cb::bench
