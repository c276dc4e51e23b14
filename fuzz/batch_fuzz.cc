// libFuzzer target: arbitrary bytes as a T-SQL batch, to the parser alone and to a SQLite
// connection on a fresh in-memory database. Refusing the text with cb::Error is fine; anything else
// is a finding.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/sqlite/sqlite_connection.h"
#include "platform/tsql/batch.h"
#include "platform/variant/error.h"

namespace {

// Enough virtual-machine steps for any real batch; a runaway query (a recursive CTE without end, a
// cross join of large tables) is interrupted instead of hanging the fuzzer.
constexpr int kProgressInterval = 1000;
constexpr int kMaxProgressCalls = 20000;
// Keeps generated strings and blobs small so that memory limits catch real leaks, not
// zeroblob(1e9).
constexpr int kMaxValueLength = 1 << 20;

int StopRunaways(void* calls) {
  int& count = *static_cast<int*>(calls);
  return ++count > kMaxProgressCalls ? 1 : 0;
}

void ParseOnly(std::string_view text) {
  try {
    static_cast<void>(cb::tsql::ParseBatch(text));
  } catch (const cb::Error&) {
  }
}

void RunOnConnection(std::string_view text) {
  std::shared_ptr<cb::sqlite::SqliteConnection> connection;
  try {
    connection = cb::sqlite::OpenSqliteConnection(":memory:");
  } catch (const cb::Error&) {
    __builtin_trap();  // an in-memory database must always open
  }
  sqlite3* handle = connection->backend().handle();
  int progress_calls = 0;
  sqlite3_progress_handler(handle, kProgressInterval, StopRunaways, &progress_calls);
  sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, kMaxValueLength);
  try {
    static_cast<void>(connection->Execute(text));
  } catch (const cb::Error&) {
  }
  // A second batch on the same connection sees whatever the first left behind (temp tables, an open
  // transaction) and must cope with it too.
  try {
    static_cast<void>(connection->Execute(text));
  } catch (const cb::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ParseOnly(text);
  RunOnConnection(text);
  return 0;
}
