// Several processes check, uncheck, save and delete their own bills on one database file while the
// bills share inventory keys; afterwards every balance must equal the start plus the stock that the
// successful calls moved, and no call may have failed except by the lock timeout.
//
// The expected balances are computed from the bills' quantities and each bill's net successful
// moves, not by replaying the calls through the engine: the moves are sums, so the order in which
// the processes committed does not matter, and the expectation does not rest on the code it checks.
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include "checkbill/check_now.h"
#include "checkbill/database.h"
#include "checkbill/values.h"

namespace {

using cb::Dictionary;
using cb::DictionaryPtr;

constexpr int kMaxProcesses = 16;
constexpr int kBillsPerProcess = 4;
// High enough that no delivery takes a key below zero, and in the range where binary doubles can no
// longer carry ten decimals: balances compare exactly.
constexpr double kStartBalance = 100000;

// One entry line that every bill carries, scaled by the bill's own factor: the same items, stocks,
// places and batch in every process.
struct EntryKey {
  int item;
  int stock;
  int place;
  const char* batch;
};
constexpr std::array<EntryKey, 3> kEntries{{{1, 1, 0, ""}, {2, 2, 1, ""}, {1, 2, 0, "B1"}}};

// Bill k of a process: 0 and 2 are purchase receipts (type 1), 1 and 3 sales deliveries (type 21);
// 0 and 1 move stock when checked, 2 and 3 when saved.
struct BillShape {
  int tran_type;
  bool up_stock_when_save;
  int direction;  // +1 a receipt adds its quantities, -1 a delivery takes them
};
constexpr std::array<BillShape, kBillsPerProcess> kBills{
    {{1, false, 1}, {21, false, -1}, {1, true, 1}, {21, true, -1}}};

int BillID(int process, int k) {
  return 10000 + process * 10 + k;
}
double EntryQty(int process, int k, int entry) {
  return (entry + 1) * (k + 1) + process;
}

// What each process reports back through shared memory.
struct Tally {
  int operations = 0;
  int successes = 0;
  int busy = 0;
  int other_failures = 0;
  std::array<int, kBillsPerProcess> net_moves{};  // forward minus backward successful moves
  char first_failure[256] = {};
};

using Key = std::tuple<int, int, int, std::string>;  // item, stock, place, batch
using Balances = std::map<Key, double>;

Balances ReadBalances(cb::db::Connection& connection) {
  Balances balances;
  const cb::db::RecordsetPtr rows = connection.Execute(
      "SELECT FItemID, FStockID, FStockPlaceID, ISNULL(FBatchNo, '') AS FBatchNo, FQty FROM "
      "ICInventory");
  for (; !rows->Eof(); rows->MoveNext()) {
    balances[{rows->Field("FItemID").ToInt32(), rows->Field("FStockID").ToInt32(),
              rows->Field("FStockPlaceID").ToInt32(), rows->Field("FBatchNo").ToString()}] +=
        rows->Field("FQty").ToDouble();
  }
  return balances;
}

// The demo database with large balances on every shared key and each process's four bills.
void BuildDatabase(const std::string& dsn, int processes) {
  const cb::db::ConnectionPtr connection =
      cb::engine::OpenDatabase(dsn, cb::engine::OpenMode::kCreate);
  cb::engine::InstallSuiteSchema(*connection);
  cb::engine::InstallDemoData(*connection);
  connection->BeginTrans();
  connection->Execute("DELETE FROM ICInventory");
  for (const EntryKey& key : kEntries) {
    connection->Execute(
        "INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FBatchNo, FQty) "
        "VALUES (" +
        std::to_string(key.item) + ", " + std::to_string(key.stock) + ", " +
        std::to_string(key.place) + ", '" + key.batch + "', " + std::to_string(kStartBalance) +
        ")");
  }
  for (int p = 0; p < processes; ++p) {
    for (int k = 0; k < kBillsPerProcess; ++k) {
      const std::string id = std::to_string(BillID(p, k));
      connection->Execute(
          "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, "
          "FBillerID, FUpStockWhenSave) VALUES (" +
          id + ", 'SOAK" + id + "', " + std::to_string(kBills[k].tran_type) +
          ", '2026-12-05', 1, 0, 1, " + (kBills[k].up_stock_when_save ? "1" : "0") + ")");
      for (size_t e = 0; e < kEntries.size(); ++e) {
        const EntryKey& key = kEntries[e];
        connection->Execute(
            "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, "
            "FBatchNo, FUnitID, FQty, FAuxQty) VALUES (" +
            id + ", " + std::to_string(e + 1) + ", " + std::to_string(key.item) + ", " +
            std::to_string(key.stock) + ", " + std::to_string(key.place) + ", '" + key.batch +
            "', 1, " + std::to_string(EntryQty(p, k, static_cast<int>(e))) + ", 0)");
      }
    }
  }
  connection->CommitTrans();
}

// The next operation on bill k: the one that undoes its last move, so that no call is refused by
// the bill's own state. A check-moving bill is also saved now and then, which moves nothing.
int NextOperation(int k, const Tally& tally, std::mt19937& random) {
  const bool moved = tally.net_moves[k] > 0;
  if (kBills[k].up_stock_when_save) return moved ? 8 : 4;
  if (random() % 4 == 0) return 4;
  return moved ? 2 : 1;
}

void RunProcess(int process, const std::string& dsn, int operations,
                std::chrono::steady_clock::time_point deadline, Tally& tally) {
  std::mt19937 random(1000 + process);
  cb::engine::CheckNow check_now;
  for (int n = 0; n < operations && std::chrono::steady_clock::now() < deadline; ++n) {
    const int k = static_cast<int>(random() % kBillsPerProcess);
    const int operate_code = NextOperation(k, tally, random);
    DictionaryPtr params = Dictionary::Create();
    params->Write("InterID", BillID(process, k));
    params->Write("TransType", kBills[k].tran_type);
    params->Write("OperateCode", operate_code);
    params->Write("ReCheck", 0);
    params->Write("CheckDate", "2026-12-05");
    params->Write("YesWhenUnderTip", 1);
    params->Write("YesWhenStockWarnTip", 1);
    params->Write("PropString", dsn);
    std::string failure;
    try {
      check_now.CheckBill(params);
      const int32_t code = params->Read("ReturnCode").ToInt32();
      if (code != 0) failure = std::to_string(code) + " " + params->Read("ReturnString").ToString();
    } catch (const std::exception& error) {
      failure = std::string("raised: ") + error.what();
    }
    ++tally.operations;
    if (failure.empty()) {
      ++tally.successes;
      const bool forward = operate_code == 1 || (operate_code == 4 && kBills[k].up_stock_when_save);
      const bool backward = operate_code == 2 || operate_code == 8;
      tally.net_moves[k] += forward ? 1 : backward ? -1 : 0;
    } else if (cb::engine::IsLockTimeout(failure)) {
      ++tally.busy;
    } else if (tally.other_failures++ == 0) {
      std::snprintf(tally.first_failure, sizeof tally.first_failure, "bill %d op %d: %s",
                    BillID(process, k), operate_code, failure.c_str());
    }
  }
}

// What the run left behind, measured against the tallies.
struct Verdict {
  Tally total;
  bool balances_equal = true;
  bool states_agree = true;  // each check-moving bill is checked exactly when its tally says so
};

// Expected: the start plus, for every bill, its net successful moves times its quantities.
Verdict Verify(const std::string& dsn, const Balances& start, const Tally* tallies, int processes) {
  Balances expected = start;
  Verdict verdict;
  Tally& total = verdict.total;
  const cb::db::ConnectionPtr connection =
      cb::engine::OpenDatabase(dsn, cb::engine::OpenMode::kExisting);
  for (int p = 0; p < processes; ++p) {
    const Tally& tally = tallies[p];
    total.operations += tally.operations;
    total.successes += tally.successes;
    total.busy += tally.busy;
    total.other_failures += tally.other_failures;
    if (tally.first_failure[0] != '\0')
      std::printf("process %d, first failure: %s\n", p, tally.first_failure);
    for (int k = 0; k < kBillsPerProcess; ++k) {
      for (size_t e = 0; e < kEntries.size(); ++e) {
        const EntryKey& key = kEntries[e];
        expected[{key.item, key.stock, key.place, key.batch}] +=
            tally.net_moves[k] * kBills[k].direction * EntryQty(p, k, static_cast<int>(e));
      }
      if (!kBills[k].up_stock_when_save) {
        const cb::db::RecordsetPtr head = connection->Execute(
            "SELECT FStatus FROM ICStockBill WHERE FInterID=" + std::to_string(BillID(p, k)));
        verdict.states_agree =
            verdict.states_agree && head->Field("FStatus").ToInt32() == tally.net_moves[k];
      }
    }
  }
  const Balances final_balances = ReadBalances(*connection);
  Balances every_key = expected;
  every_key.insert(final_balances.begin(), final_balances.end());
  for (const auto& [key, unused] : every_key) {
    const double want = expected.contains(key) ? expected.at(key) : 0;
    const double found = final_balances.contains(key) ? final_balances.at(key) : 0;
    if (want == found) continue;
    verdict.balances_equal = false;
    std::printf("item %d stock %d place %d batch '%s': expected %.17g, found %.17g\n",
                std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key).c_str(),
                want, found);
  }
  return verdict;
}

}  // namespace

int main(int argc, char** argv) {
  const int processes = argc > 1 ? std::atoi(argv[1]) : 4;
  const int operations = argc > 2 ? std::atoi(argv[2]) : 200;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 300;
  if (processes < 1 || processes > kMaxProcesses || operations < 1 || seconds < 1) {
    std::fprintf(stderr, "usage: bill_soak [processes 1-%d] [operations each] [seconds]\n",
                 kMaxProcesses);
    return 2;
  }
  const std::string path = (std::filesystem::temp_directory_path() / "cb_bill_soak.db").string();
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::error_code ignored;
    std::filesystem::remove(path + suffix, ignored);
  }
  const std::string dsn = "Provider=SQLite;Data Source=" + path + ";UserID=16";
  BuildDatabase(dsn, processes);
  const Balances start =
      ReadBalances(*cb::engine::OpenDatabase(dsn, cb::engine::OpenMode::kExisting));

  void* shared = mmap(nullptr, sizeof(Tally) * kMaxProcesses, PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) return 2;
  auto* tallies = new (shared) Tally[kMaxProcesses];
  const auto started = std::chrono::steady_clock::now();
  const auto deadline = started + std::chrono::seconds(seconds);
  int crashed = 0;  // processes that could not start or did not end normally
  int running = 0;
  for (int p = 0; p < processes; ++p) {
    const pid_t child = fork();
    if (child == 0) {
      RunProcess(p, dsn, operations, deadline, tallies[p]);
      _exit(0);
    }
    child > 0 ? ++running : ++crashed;
  }
  for (int p = 0; p < running; ++p) {
    int status = 0;
    wait(&status);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++crashed;
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  const Verdict verdict = Verify(dsn, start, tallies, processes);
  std::printf(
      "processes %d, operations %d, successes %d, busy refusals %d, other failures %d, crashed "
      "processes %d\nbalances equal: %s, check states agree: %s, wall time %.1f s\n",
      processes, verdict.total.operations, verdict.total.successes, verdict.total.busy,
      verdict.total.other_failures, crashed, verdict.balances_equal ? "yes" : "no",
      verdict.states_agree ? "yes" : "no", wall);
  return verdict.balances_equal && verdict.states_agree && verdict.total.other_failures == 0 &&
                 crashed == 0
             ? 0
             : 1;
}
