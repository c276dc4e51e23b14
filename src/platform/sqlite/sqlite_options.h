// How a SQLite connection is opened and set up.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

#include "platform/sqlite/procedure_registry.h"
#include "platform/tsql/backend.h"

namespace cb::sqlite {

// Sees every native statement the connection ran, with the values bound to it and whether it
// succeeded (a failed statement is shown before its error is raised).
using StatementObserver = std::function<void(
    std::string_view native_sql, std::span<const tsql::BoundParameter> params, bool succeeded)>;

struct SqliteOptions {
  int busy_timeout_ms = 10000;   // how long a writer waits for another connection's lock
  size_t statement_cache = 256;  // prepared statements kept per connection
  // WAL journal, so that readers do not block the writer; only for a file with the suite's schema.
  bool write_ahead_log = true;
  // The stored procedures the connection offers; nullptr means the suite's own (SuiteProcedures()).
  ProcedureRegistryPtr procedures;
  // Tracing and replaying what a call sent; catalog lookups are not statements and are not shown.
  StatementObserver observe_statement;
};

}  // namespace cb::sqlite
