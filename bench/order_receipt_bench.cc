// A whole CheckBill check and uncheck of a purchase receipt of 1,000 entries made from a 1,000-line
// purchase order (the order write-back on), against the same statements replayed straight on
// SQLite: whatever the call spends beyond the replay (translating, recordsets, the steps' logic,
// opening the call's connection) is the engine's own share.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/statement_replay.h"
#include "checkbill/check_now.h"
#include "checkbill/values.h"
#include "platform/services/connection_providers.h"
#include "platform/sqlite/sqlite_connection.h"
#include "schema/suite_schema.h"

namespace cb::bench {
namespace {

constexpr int32_t kReceipt = 5001;
constexpr int32_t kOrder = 1;
constexpr int kLines = 1000;

std::string FreshPath() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "cb_order_receipt_bench.db").string();
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::error_code ignored;
    std::filesystem::remove(path + suffix, ignored);
  }
  return path;
}

// The schema, one stock, 1,000 items, a purchase order of 1,000 lines of 10 and a receipt of 2 on
// each of its lines.
void BuildDatabase(const std::string& path) {
  schema::InstallSuiteSchema(*sqlite::OpenSqliteConnection(path, {}));
  auto connection = sqlite::OpenSqliteConnection(path, {});
  connection->BeginTrans();
  connection->Execute(
      "INSERT INTO t_MeasureUnit (FMeasureUnitID, FItemID, FNumber, FName, FCoefficient) "
      "VALUES (1, 1, 'PCS', 'piece', 1)");
  connection->Execute("INSERT INTO t_Stock (FItemID, FNumber, FName) VALUES (1, 'S1', 'Stock')");
  connection->Execute(
      "INSERT INTO POOrder (FInterID, FBillNo, FTranType, FDate, FStatus) VALUES (" +
      std::to_string(kOrder) + ", 'POORD1', 71, '2024-01-05', 1)");
  connection->Execute(
      "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID) "
      "VALUES (" +
      std::to_string(kReceipt) + ", 'WIN5001', 1, '2024-01-10', 1, 0, 99)");
  for (int line = 1; line <= kLines; ++line) {
    const std::string n = std::to_string(line);
    connection->Execute("INSERT INTO t_ICItem (FItemID, FNumber, FName, FUnitID) VALUES (" + n +
                        ", 'I" + n + "', 'Item', 1)");
    connection->Execute(
        "INSERT INTO POOrderEntry (FInterID, FEntryID, FItemID, FUnitID, FQty) VALUES (" +
        std::to_string(kOrder) + ", " + n + ", " + n + ", 1, 10)");
    connection->Execute(
        "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, "
        "FQty, FAuxQty, FOrderInterID, FOrderEntryID) VALUES (" +
        std::to_string(kReceipt) + ", " + n + ", " + n + ", 1, 0, 1, 2, 2, " +
        std::to_string(kOrder) + ", " + n + ")");
  }
  connection->CommitTrans();
}

void CheckOrUncheck(engine::CheckNow& check_now, const std::string& dsn, int32_t operate_code) {
  DictionaryPtr params = Dictionary::Create();
  params->Write("InterID", kReceipt);
  params->Write("TransType", 1);
  params->Write("OperateCode", operate_code);
  params->Write("ReCheck", 0);
  params->Write("CheckDate", "2024-01-15");
  params->Write("PropString", dsn);
  check_now.CheckBill(params);
  if (params->Read("ReturnCode").ToInt32() != 0) {
    throw std::runtime_error(params->Read("ReturnString").ToString());
  }
}

void BM_CheckAndUncheckOrderReceipt(benchmark::State& state) {
  const std::string path = FreshPath();
  BuildDatabase(path);
  // The user who checks: the bills were made by someone else.
  const std::string dsn = "Provider=SQLite;Data Source=" + path + ";UserID=16";
  StatementReplay replay;
  engine::CheckNow check_now;
  // Every connection the calls open reports its statements to the replay.
  sqlite::SqliteOptions options;
  options.observe_statement = replay.Observer();
  services::RegisterConnectionProvider("SQLite", [options](const db::DataSource& source) {
    return sqlite::OpenSqliteConnection(source.data_source, options);
  });
  auto check_and_uncheck = [&] {
    CheckOrUncheck(check_now, dsn, 1);
    CheckOrUncheck(check_now, dsn, 2);
  };
  // The replay runs on a connection of its own, opened once the recording is made.
  std::shared_ptr<sqlite::SqliteConnection> direct;
  TimeAgainstReplay(state, replay, check_and_uncheck, [&] {
    direct = sqlite::OpenSqliteConnection(path, {});
    return direct->backend().handle();
  });
}
BENCHMARK(BM_CheckAndUncheckOrderReceipt)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cb::bench

BENCHMARK_MAIN();
