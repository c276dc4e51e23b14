// Check and uncheck of a purchase receipt of 1 to 10,000 entries through the stock update driver on
// a database file in WAL mode, with the engine's own share of the time: everything outside the
// database connection (building statements, reading result rows, the steps' logic).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "frame/class_frame.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/dictionary.h"
#include "schema/suite_schema.h"
#include "stock/update_bill_stock.h"

namespace cb::bench {
namespace {

constexpr int32_t kReceipt = 5001;
constexpr const char* kDsn = "Provider=SQLite;Data Source=bench.db";

// Forwards to a connection and adds up the time its statements and transaction ends take.
class TimedConnection : public db::Connection {
 public:
  explicit TimedConnection(db::ConnectionPtr inner) : inner_(std::move(inner)) {}
  db::RecordsetPtr Execute(std::string_view sql) override {
    const auto start = std::chrono::steady_clock::now();
    db::RecordsetPtr rows = inner_->Execute(sql);
    spent_ += std::chrono::steady_clock::now() - start;
    return rows;
  }
  void CallProcedure(std::string_view name, db::Parameters& parameters) override {
    inner_->CallProcedure(name, parameters);
  }
  db::Errors& errors() override { return inner_->errors(); }
  void BeginTrans() override {
    Timed([&] { inner_->BeginTrans(); });
  }
  void CommitTrans() override {
    Timed([&] { inner_->CommitTrans(); });
  }
  void RollbackTrans() override { inner_->RollbackTrans(); }
  bool InTransaction() const override { return inner_->InTransaction(); }
  std::chrono::duration<double> spent_{0};

 private:
  template <typename Work>
  void Timed(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    spent_ += std::chrono::steady_clock::now() - start;
  }

  db::ConnectionPtr inner_;
};

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
db::ConnectionPtr BuildDatabase(int entries) {
  auto connection = sqlite::OpenSqliteConnection(FreshPath());
  schema::InstallSuiteSchema(*connection);
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

void Run(frame::ClassFrame& frame, TimedConnection& connection, const DictionaryPtr& profile,
         int32_t operate_code, const db::ConnectionPtr& shared) {
  DictionaryPtr result = Dictionary::Create();
  connection.BeginTrans();
  const bool ok = stock::UpdateBillStock(frame, kDsn, *StepParams(operate_code, profile), *result,
                                         shared, nullptr);
  connection.CommitTrans();
  if (!ok) throw std::runtime_error(result->Read("ReturnString").ToString());
}

void BM_CheckAndUncheckReceipt(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  auto timed = std::make_shared<TimedConnection>(BuildDatabase(entries));
  DictionaryPtr profile = Dictionary::Create();
  profile->Write("IC|UnderStock", "0");
  frame::ClassFrame frame;
  std::chrono::duration<double> total{0};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    Run(frame, *timed, profile, 1, timed);
    Run(frame, *timed, profile, 2, timed);
    total += std::chrono::steady_clock::now() - start;
  }
  state.counters["engine_share"] =
      total.count() > 0 ? 1.0 - timed->spent_.count() / total.count() : 0;
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
