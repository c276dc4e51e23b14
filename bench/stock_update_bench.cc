// Compares the stock update of a 100-line bill run as the engine's T-SQL through the database layer
// with the same work written for SQLite with statements prepared once.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/stock_update_fixture.h"
#include "platform/sqlite/sqlite_connection.h"

namespace cb::bench {
namespace {

// ---- The engine's side: T-SQL text handed to Connection::Execute. ----

const std::string kCreateTempBill =
    "SET NOCOUNT ON\r\n"
    "CREATE TABLE #TempBill(\r\n"
    "FBrNo VARCHAR(10) NOT NULL DEFAULT(''),\r\n"
    "FInterID INT NOT NULL DEFAULT(0),\r\n"
    "FEntryID INT NOT NULL DEFAULT(0),\r\n"
    "FTranType INT NOT NULL DEFAULT(0),\r\n"
    "FItemID INT NOT NULL DEFAULT(0),\r\n"
    "FBatchNo NVARCHAR(255) NOT NULL DEFAULT(''),\r\n"
    "FAuxPropID INT NOT NULL DEFAULT(0),\r\n"
    "FStockID INT NOT NULL DEFAULT(0),\r\n"
    "FStockPlaceID INT NOT NULL DEFAULT(0),\r\n"
    "FKFPeriod INT NOT NULL DEFAULT(0),\r\n"
    "FKFDate VARCHAR(20) NOT NULL DEFAULT(''),\r\n"
    "FQty DECIMAL(28,10) NOT NULL DEFAULT(0),\r\n"
    "FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0)\r\n"
    ")";

std::string FillTempBill(int factor) {
  const std::string f = std::to_string(factor);
  return "INSERT INTO #TempBill(FBrNo,FInterID,FEntryID,FTranType,FItemID,FBatchNo,FAuxPropID,"
         "FStockID,FStockPlaceID,FKFPeriod,FKFDate,FQty,FSecQty)\r\n"
         "SELECT '',u1.FInterID,u1.FEntryID,1 AS FTranType,u1.FItemID,ISNULL(u1.FBatchNo,'') AS "
         "FBatchNo,\r\n"
         "u1.FAuxPropID,ISNULL(u1.FDCStockID,0),ISNULL(u1.FDCSPID,0),ISNULL(u1.FKFPeriod,0) AS "
         "FKFPeriod,\r\n"
         "LEFT(ISNULL(CONVERT(VARCHAR(20),u1.FKFdate ,120),''),10) AS FKFDate,\r\n" +
         f + "*u1.FQty AS FQty," + f + "*u1.FSecQty AS FSecQty\r\n" +
         "FROM ICStockBillEntry u1\r\n"
         "WHERE u1.FInterID=" +
         std::to_string(kBillInterId);
}

const std::string kApplyTempBill =
    "UPDATE t1\r\n"
    "SET t1.FQty=t1.FQty+u1.FQty,t1.FSecQty=t1.FSecQty+u1.FSecQty\r\n"
    "FROM ICInventory t1 INNER JOIN\r\n"
    "(SELECT FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate\r\n"
    "        ,SUM(FQty) AS FQty,SUM(FSecQty) AS FSecQty\r\n"
    " FROM #TempBill\r\n"
    " GROUP BY FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate\r\n"
    ") u1\r\n"
    "ON t1.FItemID=u1.FItemID AND t1.FBatchNo=u1.FBatchNo AND t1.FAuxPropID=u1.FAuxPropID\r\n"
    "   AND t1.FStockID=u1.FStockID AND t1.FStockPlaceID=u1.FStockPlaceID \r\n"
    "   AND t1.FKFPeriod=u1.FKFPeriod AND t1.FKFDate=u1.FKFDate\r\n"
    "Inner Join T_Stock t On u1.FStockID=t.FItemID \r\n"
    "\r\n"
    "DELETE u1\r\n"
    "FROM ICInventory t1 INNER JOIN #TempBill u1\r\n"
    "ON t1.FItemID=u1.FItemID AND t1.FBatchNo=u1.FBatchNo AND t1.FAuxPropID=u1.FAuxPropID\r\n"
    "   AND t1.FStockID=u1.FStockID AND t1.FStockPlaceID=u1.FStockPlaceID \r\n"
    "   AND t1.FKFPeriod=u1.FKFPeriod AND t1.FKFDate=u1.FKFDate\r\n"
    "Inner Join T_Stock t On u1.FStockID=t.FItemID \r\n"
    "\r\n"
    "INSERT INTO ICInventory(FBrNo,FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,"
    "FKFDate,FQty,FSecQty)\r\n"
    "SELECT '',u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,u.FStockPlaceID,u.FKFPeriod,u.FKFDate,"
    "SUM(u.FQty) AS FQty,SUM(u.FSecQty) AS FSecQty FROM #TempBill u \r\n"
    "Inner Join T_Stock t On u.FStockID=t.FItemID \r\n"
    "GROUP BY u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,u.FStockPlaceID,u.FKFPeriod,u.FKFDate";

// Durable runs sync every commit to disk (the default, what production pays); the others switch the
// sync off on both sides so that the comparison shows the layer's own processor cost.
void SetDurability(sqlite3* db, bool durable) {
  if (!durable) sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
}

class LayerSide {
 public:
  explicit LayerSide(bool durable)
      : connection_(sqlite::OpenSqliteConnection(FreshDatabasePath("cb_bench_layer.db"))) {
    // The connection keeps a file without the suite's schema in its journal mode; both sides run in
    // WAL so that they sync alike.
    sqlite3_exec(connection_->backend().handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr,
                 nullptr);
    SetDurability(connection_->backend().handle(), durable);
    BuildFixtureThroughLayer(*connection_);
  }

  void Update(int factor) {
    connection_->BeginTrans();
    static_cast<void>(connection_->Execute(kCreateTempBill));
    static_cast<void>(connection_->Execute(FillTempBill(factor)));
    static_cast<void>(connection_->Execute(kApplyTempBill));
    static_cast<void>(connection_->Execute("DROP TABLE #TempBill"));
    connection_->CommitTrans();
  }

  // Read through the layer: its DECIMAL columns hold exact decimals that only it decodes.
  double TouchedQty() {
    db::RecordsetPtr total = connection_->Execute(
        "SELECT SUM(FQty) AS FTotal FROM ICInventory WHERE FStockID = 1 AND FItemID <= " +
        std::to_string(kDistinctKeys));
    return total->Field("FTotal").ToDouble();
  }

 private:
  std::shared_ptr<sqlite::SqliteConnection> connection_;
};

// ---- The hand-written side: SQLite statements prepared once. ----

constexpr const char* kKey =
    "t1.FItemID=u1.FItemID AND t1.FBatchNo=u1.FBatchNo AND t1.FAuxPropID=u1.FAuxPropID AND "
    "t1.FStockID=u1.FStockID AND t1.FStockPlaceID=u1.FStockPlaceID AND t1.FKFPeriod=u1.FKFPeriod "
    "AND t1.FKFDate=u1.FKFDate";

class NativeSide {
 public:
  explicit NativeSide(bool durable) {
    const std::string path = FreshDatabasePath("cb_bench_native.db");
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot open");
    Exec("PRAGMA journal_mode=WAL");
    SetDurability(db_, durable);
    BuildFixtureNative(db_);
    // The temporary table exists while the statements that use it are prepared; afterwards each
    // update creates and drops it, as the engine does, and SQLite re-prepares what the schema
    // change invalidated.
    create_ = Prepare(
        "CREATE TEMP TABLE TempBill(FBrNo TEXT NOT NULL DEFAULT '', FInterID INT NOT NULL, "
        "FEntryID INT NOT NULL, FTranType INT NOT NULL, FItemID INT NOT NULL, FBatchNo TEXT NOT "
        "NULL, FAuxPropID INT NOT NULL, FStockID INT NOT NULL, FStockPlaceID INT NOT NULL, "
        "FKFPeriod INT NOT NULL, FKFDate TEXT NOT NULL, FQty REAL NOT NULL, FSecQty REAL NOT "
        "NULL)");
    Step(create_);
    begin_ = Prepare("BEGIN");
    commit_ = Prepare("COMMIT");
    fill_ = Prepare(
        "INSERT INTO TempBill SELECT "
        "'',u1.FInterID,u1.FEntryID,1,u1.FItemID,IFNULL(u1.FBatchNo,''),"
        "u1.FAuxPropID,IFNULL(u1.FDCStockID,0),IFNULL(u1.FDCSPID,0),IFNULL(u1.FKFPeriod,0),"
        "IFNULL(substr(u1.FKFdate,1,10),''),?1*u1.FQty,?1*u1.FSecQty FROM ICStockBillEntry u1 "
        "WHERE u1.FInterID=?2");
    update_ = Prepare(
        std::string(
            "UPDATE ICInventory AS t1 SET FQty=t1.FQty+u1.FQty,FSecQty=t1.FSecQty+u1.FSecQty FROM "
            "(SELECT FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate,"
            "SUM(FQty) AS FQty,SUM(FSecQty) AS FSecQty FROM TempBill GROUP BY FItemID,FBatchNo,"
            "FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate) AS u1 INNER JOIN T_Stock t ON "
            "u1.FStockID=t.FItemID WHERE ") +
        kKey);
    remove_ = Prepare(
        std::string(
            "DELETE FROM TempBill AS u1 WHERE EXISTS (SELECT 1 FROM ICInventory t1 WHERE ") +
        kKey + ") AND EXISTS (SELECT 1 FROM T_Stock t WHERE t.FItemID=u1.FStockID)");
    insert_ = Prepare(
        "INSERT INTO ICInventory(FBrNo,FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,"
        "FKFPeriod,FKFDate,FQty,FSecQty) SELECT '',u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,"
        "u.FStockPlaceID,u.FKFPeriod,u.FKFDate,SUM(u.FQty),SUM(u.FSecQty) FROM TempBill u INNER "
        "JOIN T_Stock t ON u.FStockID=t.FItemID GROUP BY u.FItemID,u.FBatchNo,u.FAuxPropID,"
        "u.FStockID,u.FStockPlaceID,u.FKFPeriod,u.FKFDate");
    drop_ = Prepare("DROP TABLE TempBill");
    Step(drop_);
  }
  ~NativeSide() {
    for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
    sqlite3_close(db_);
  }
  NativeSide(const NativeSide&) = delete;
  NativeSide& operator=(const NativeSide&) = delete;

  void Update(int factor) {
    Step(begin_);
    Step(create_);
    sqlite3_bind_int(fill_, 1, factor);
    sqlite3_bind_int(fill_, 2, kBillInterId);
    Step(fill_);
    Step(update_);
    Step(remove_);
    Step(insert_);
    Step(drop_);
    Step(commit_);
  }

  double TouchedQty() { return TouchedInventoryQty(db_); }

 private:
  void Exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
  }
  sqlite3_stmt* Prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in " + sql);
    }
    statements_.push_back(statement);
    return statement;
  }
  void Step(sqlite3_stmt* statement) {
    const int code = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (code != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
  }

  sqlite3* db_ = nullptr;
  std::vector<sqlite3_stmt*> statements_;
  sqlite3_stmt* begin_ = nullptr;
  sqlite3_stmt* commit_ = nullptr;
  sqlite3_stmt* create_ = nullptr;
  sqlite3_stmt* drop_ = nullptr;
  sqlite3_stmt* fill_ = nullptr;
  sqlite3_stmt* update_ = nullptr;
  sqlite3_stmt* remove_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
};

// The touched rows start at 100 each; a check (+1) followed by an uncheck (-1) restores them.
constexpr double kTouchedStart = 100.0 * kDistinctKeys;
constexpr double kBillQty = kLineQty * kBillLines;

// Runs check/uncheck pairs and fails the benchmark when the balances are not what they must be.
template <typename Side>
void RunUpdates(benchmark::State& state, Side& side) {
  int factor = 1;
  for (auto _ : state) {
    side.Update(factor);
    factor = -factor;
  }
  const double expected = kTouchedStart + (factor == -1 ? kBillQty : 0.0);
  if (side.TouchedQty() != expected) state.SkipWithError("inventory balance is wrong");
  state.counters["lines/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kBillLines), benchmark::Counter::kIsRate);
}

void BM_StockUpdateThroughLayer(benchmark::State& state) {
  LayerSide side(state.range(0) != 0);
  RunUpdates(state, side);
}

void BM_StockUpdateNativeSqlite(benchmark::State& state) {
  NativeSide side(state.range(0) != 0);
  RunUpdates(state, side);
}

// Both sides in the same iteration, so the ratio is measured under the same machine load.
void BM_StockUpdateLayerOverNative(benchmark::State& state) {
  LayerSide layer(state.range(0) != 0);
  NativeSide native(state.range(0) != 0);
  using Clock = std::chrono::steady_clock;
  double layer_seconds = 0;
  double native_seconds = 0;
  int factor = 1;
  for (auto _ : state) {
    const auto start = Clock::now();
    layer.Update(factor);
    const auto middle = Clock::now();
    native.Update(factor);
    const auto end = Clock::now();
    layer_seconds += std::chrono::duration<double>(middle - start).count();
    native_seconds += std::chrono::duration<double>(end - middle).count();
    factor = -factor;
  }
  const double expected = kTouchedStart + (factor == -1 ? kBillQty : 0.0);
  if (layer.TouchedQty() != expected || native.TouchedQty() != expected) {
    state.SkipWithError("inventory balances differ from the expected sums");
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["layer_ms"] = layer_seconds * 1000 / iterations;
  state.counters["native_ms"] = native_seconds * 1000 / iterations;
  state.counters["layer/native"] = native_seconds > 0 ? layer_seconds / native_seconds : 0;
}

// The argument is "durable": 1 syncs every commit, 0 does not.
BENCHMARK(BM_StockUpdateThroughLayer)
    ->ArgName("durable")
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockUpdateNativeSqlite)
    ->ArgName("durable")
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StockUpdateLayerOverNative)
    ->ArgName("durable")
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cb::bench

BENCHMARK_MAIN();
