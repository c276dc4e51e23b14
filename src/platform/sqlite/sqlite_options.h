// How a SQLite connection is opened and set up.
#pragma once

#include <cstddef>

#include "platform/sqlite/procedure_registry.h"

namespace cb::sqlite {

struct SqliteOptions {
  int busy_timeout_ms = 10000;   // how long a writer waits for another connection's lock
  size_t statement_cache = 256;  // prepared statements kept per connection
  bool write_ahead_log = true;   // WAL journal, so that readers do not block the writer
  // The stored procedures the connection offers; nullptr means the suite's own (SuiteProcedures()).
  ProcedureRegistryPtr procedures;
};

}  // namespace cb::sqlite
