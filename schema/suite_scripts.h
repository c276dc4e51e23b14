// The schema's SQL scripts, embedded in the program when it is built.
#pragma once

#include <span>
#include <string_view>

#include "platform/db/connection.h"

namespace cb::schema {

struct SuiteScript {
  std::string_view name;  // the file it came from, e.g. "core.sql"
  std::string_view text;  // one T-SQL batch
};

// Every script of the schema, in the order they must run: tables first, then the seed rows.
std::span<const SuiteScript> SuiteScripts();

// The demo data's scripts (demo.sql), run after SuiteScripts on a fresh schema.
std::span<const SuiteScript> DemoScripts();

// Runs the scripts in order, each as one batch. A failure is raised again as cb::Error with the
// same number and a description naming `what` was being done and the script's file.
void RunScripts(db::Connection& connection, std::span<const SuiteScript> scripts,
                std::string_view what);

}  // namespace cb::schema
