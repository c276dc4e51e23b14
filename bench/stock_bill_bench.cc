// Check and uncheck of a purchase receipt of 1 to 10,000 entries through the stock update driver on
// a database file in WAL mode, with the engine's own share of the time: each round also replays the
// statements that reached SQLite straight on its C interface, and whatever the engine spends beyond
// that replay (translating, recordsets, catalog lookups, the steps' logic) is its own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench/statement_replay.h"
#include "frame/class_frame.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/dictionary.h"
#include "schema/suite_schema.h"
#include "stock/update_bill_stock.h"

namespace cb::bench {
namespace {

constexpr int32_t kReceipt = 5001;
constexpr const char* kDsn = "Provider=SQLite;Data Source=bench.db";

std::string FreshPath() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "cb_stock_bill_bench.db").string();
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::error_code ignored;
    std::filesystem::remove(path + suffix, ignored);
  }
  return path;
}

// The schema, 50 stocks, 1,000 items with a balance in every fifth stock, and a receipt of
// `entries` entries spread over the items and stocks (some keys new, some existing).
std::shared_ptr<sqlite::SqliteConnection> BuildDatabase(int entries, StatementReplay& replay) {
  sqlite::SqliteOptions options;
  options.observe_statement = replay.Observer();
  const std::string path = FreshPath();
  schema::InstallSuiteSchema(*sqlite::OpenSqliteConnection(path, options));
  // Opened again once it holds the schema, so that the file runs in WAL mode as a host's does.
  auto connection = sqlite::OpenSqliteConnection(path, options);
  connection->BeginTrans();
  for (int stock = 1; stock <= 50; ++stock) {
    connection->Execute("INSERT INTO t_Stock (FItemID, FNumber, FName) VALUES (" +
                        std::to_string(stock) + ", 'S" + std::to_string(stock) + "', 'Stock')");
  }
  for (int item = 1; item <= 1000; ++item) {
    connection->Execute("INSERT INTO t_ICItem (FItemID, FNumber, FName) VALUES (" +
                        std::to_string(item) + ", 'I" + std::to_string(item) + "', 'Item')");
    for (int stock = 1; stock <= 50; stock += 5) {
      connection->Execute("INSERT INTO ICInventory (FItemID, FStockID, FQty) VALUES (" +
                          std::to_string(item) + ", " + std::to_string(stock) + ", 100)");
    }
  }
  for (int entry = 1; entry <= entries; ++entry) {
    connection->Execute(
        "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FQty, FSecQty) "
        "VALUES (" +
        std::to_string(kReceipt) + ", " + std::to_string(entry) + ", " +
        std::to_string(1 + entry % 1000) + ", " + std::to_string(1 + entry % 50) + ", 2, 0)");
  }
  connection->CommitTrans();
  return connection;
}

DictionaryPtr StepParams(int32_t operate_code, const DictionaryPtr& profile) {
  auto head = std::make_shared<db::Recordset>(
      std::vector<db::ColumnDef>{
          {"FInterID", "INT"}, {"FTranType", "INT"}, {"FUpStockWhenSave", "BIT"}},
      std::vector<db::Recordset::Row>{{Variant(kReceipt), Variant(int32_t{1}), Variant(false)}});
  DictionaryPtr params = Dictionary::Create();
  params->Write("Language", "zh");
  params->Write("TransType", 1);
  params->Write("InterID", kReceipt);
  params->Write("rsBillHead", Variant(head));
  params->Write("OperateCode", operate_code);
  params->Write("ReCheck", 0);
  params->Write("DictSysProfile", Variant(profile));
  params->Write("PropString", kDsn);
  return params;
}

void Run(frame::ClassFrame& frame, const db::ConnectionPtr& connection,
         const DictionaryPtr& profile, int32_t operate_code) {
  DictionaryPtr result = Dictionary::Create();
  connection->BeginTrans();
  const bool ok = stock::UpdateBillStock(frame, kDsn, *StepParams(operate_code, profile), *result,
                                         connection, nullptr);
  connection->CommitTrans();
  if (!ok) throw std::runtime_error(result->Read("ReturnString").ToString());
}

void BM_CheckAndUncheckReceipt(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  StatementReplay replay;
  auto connection = BuildDatabase(entries, replay);
  DictionaryPtr profile = Dictionary::Create();
  profile->Write("IC|UnderStock", "0");
  frame::ClassFrame frame;
  auto check_and_uncheck = [&] {
    Run(frame, connection, profile, 1);
    Run(frame, connection, profile, 2);
  };
  TimeAgainstReplay(state, replay, check_and_uncheck,
                    [&] { return connection->backend().handle(); });
  state.counters["entries"] = entries;
}
BENCHMARK(BM_CheckAndUncheckReceipt)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cb::bench

BENCHMARK_MAIN();
