// StatementReplay: recording through the connection's observer, replay through the C interface.
#include "bench/statement_replay.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

#include "platform/variant/date.h"

namespace cb::bench {
namespace {

// Binds the way a hand-written caller would: integers, reals and text by their own types.
void BindValue(sqlite3_stmt* statement, int index, const Variant& value) {
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      sqlite3_bind_null(statement, index);
      break;
    case VariantType::kBool:
    case VariantType::kInt16:
    case VariantType::kInt32:
    case VariantType::kInt64:
      sqlite3_bind_int64(statement, index, value.ToInt64());
      break;
    case VariantType::kDouble:
      sqlite3_bind_double(statement, index, value.ToDouble());
      break;
    case VariantType::kDate: {
      std::string text = FormatDateAuto(value.ToDate());
      sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT);
      break;
    }
    default: {
      std::string text = value.ToString();
      sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT);
    }
  }
}

// Reads every column of the current row by its storage class, as the caller of a query would.
void ReadRow(sqlite3_stmt* statement) {
  const int columns = sqlite3_column_count(statement);
  for (int i = 0; i < columns; ++i) {
    switch (sqlite3_column_type(statement, i)) {
      case SQLITE_INTEGER:
        benchmark::DoNotOptimize(sqlite3_column_int64(statement, i));
        break;
      case SQLITE_FLOAT:
        benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
        break;
      case SQLITE_NULL:
        break;
      default:
        benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
        benchmark::DoNotOptimize(sqlite3_column_bytes(statement, i));
    }
  }
}

}  // namespace

StatementReplay::~StatementReplay() {
  for (auto& [sql, statement] : prepared_) sqlite3_finalize(statement);
}

sqlite::StatementObserver StatementReplay::Observer() {
  return
      [this](std::string_view sql, std::span<const tsql::BoundParameter> params, bool succeeded) {
        if (recording_) {
          statements_.push_back({std::string(sql), {params.begin(), params.end()}, succeeded});
        }
      };
}

void StatementReplay::StartRecording() {
  statements_.clear();
  recording_ = true;
}

sqlite3_stmt* StatementReplay::Prepared(sqlite3* db, const std::string& sql) {
  if (auto found = prepared_.find(sql); found != prepared_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                         &statement, nullptr) != SQLITE_OK) {
    return nullptr;
  }
  prepared_.emplace(sql, statement);
  return statement;
}

void StatementReplay::Run(sqlite3* db, const Recorded& recorded) {
  sqlite3_stmt* statement = Prepared(db, recorded.sql);
  int rc = SQLITE_ERROR;
  if (statement != nullptr) {
    for (const tsql::BoundParameter& param : recorded.params) {
      const int index = sqlite3_bind_parameter_index(statement, param.name.c_str());
      if (index != 0) BindValue(statement, index, param.value);
    }
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) ReadRow(statement);
    sqlite3_reset(statement);
  }
  if ((rc == SQLITE_DONE) != recorded.succeeded) {
    throw std::runtime_error("replay of \"" + recorded.sql + "\" " +
                             (recorded.succeeded ? "failed: " + std::string(sqlite3_errmsg(db))
                                                 : "succeeded, unlike its recording"));
  }
}

void StatementReplay::Replay(sqlite3* db) {
  for (const Recorded& recorded : statements_) Run(db, recorded);
}

void TimeAgainstReplay(benchmark::State& state, StatementReplay& replay,
                       const std::function<void()>& round,
                       const std::function<sqlite3*()>& replay_on) {
  const auto seconds = [](const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  round();
  replay.StartRecording();
  round();
  replay.StopRecording();
  sqlite3* db = replay_on();
  const std::function<void()> replay_round = [&] { replay.Replay(db); };
  replay_round();

  double engine = 0;
  double direct = 0;
  for (auto _ : state) {
    engine += seconds(round);
    state.PauseTiming();
    direct += seconds(replay_round);
    state.ResumeTiming();
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["statements"] = static_cast<double>(replay.size());
  state.counters["engine_ms"] = engine / rounds * 1e3;
  state.counters["sqlite_ms"] = direct / rounds * 1e3;
  state.counters["engine_share"] = engine > 0 ? 1.0 - direct / engine : 0;
}

}  // namespace cb::bench
