// Loads the demo data (items, stocks, opening balances, bills and profile switches) into a suite
// database.
#pragma once

#include "platform/db/connection.h"

namespace cb::schema {

// Runs the embedded demo data on a database that holds the suite's schema and nothing else yet.
// Raises cb::Error (kErrInvalidArgument) when the schema is not installed, and cb::Error naming
// the script for any failure. Transactions as for InstallSuiteSchema: its own when the connection
// has none open, otherwise the caller's.
void InstallDemoData(db::Connection& connection);

}  // namespace cb::schema
