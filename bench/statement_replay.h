// Records the native statements a connection runs and replays them straight on SQLite: the same
// texts, the same bound values, prepared once, every result row read. Timing a replay against the
// call that produced it separates SQLite's own work from everything around it.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/sqlite/sqlite_options.h"
#include "platform/tsql/backend.h"

namespace cb::bench {

class StatementReplay {
 public:
  StatementReplay() = default;
  ~StatementReplay();
  StatementReplay(const StatementReplay&) = delete;
  StatementReplay& operator=(const StatementReplay&) = delete;

  // The observer to open the connection with; it records only between StartRecording and
  // StopRecording.
  sqlite::StatementObserver Observer();
  void StartRecording();
  void StopRecording() { recording_ = false; }
  size_t size() const { return statements_.size(); }

  // Runs the recording on `db` in order. A statement that failed when recorded must fail again (a
  // drop of a table that is not there); any other outcome raises std::runtime_error.
  void Replay(sqlite3* db);

 private:
  struct Recorded {
    std::string sql;
    std::vector<tsql::BoundParameter> params;
    bool succeeded;
  };
  void Run(sqlite3* db, const Recorded& recorded);
  // nullptr when the statement cannot be prepared now (it names a table that does not exist yet).
  sqlite3_stmt* Prepared(sqlite3* db, const std::string& sql);

  bool recording_ = false;
  std::vector<Recorded> statements_;
  std::unordered_map<std::string, sqlite3_stmt*> prepared_;
};

// Times `round` against the replay of its own statements, side by side in one loop: one round warms
// both sides up, the next is recorded, and the replay runs on the handle `replay_on` gives after
// the recording. Sets the counters statements, engine_ms, sqlite_ms and engine_share (the part of
// the round's time the replay does not account for).
void TimeAgainstReplay(benchmark::State& state, StatementReplay& replay,
                       const std::function<void()>& round,
                       const std::function<sqlite3*()>& replay_on);

}  // namespace cb::bench
