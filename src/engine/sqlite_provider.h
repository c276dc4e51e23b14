// The "SQLite" connection provider: the "Data Source" of the string is a database file. It is
// registered here, above the services layer, so that nothing below the engine links SQLite.
#pragma once

#include <string_view>

#include "platform/db/connection.h"
#include "platform/db/data_source.h"
#include "platform/sqlite/sqlite_options.h"

namespace cb::engine {

inline constexpr std::string_view kSqliteProviderName = "SQLite";

// Opens the existing database file that data_source.data_source names. Raises cb::Error naming the
// file when it does not exist (a data source never creates a database) or cannot be opened.
db::ConnectionPtr OpenSqliteDataSource(const db::DataSource& data_source,
                                       sqlite::SqliteOptions options = {});

// Registers OpenSqliteDataSource as the "SQLite" provider unless one is registered already (a test
// may put its own first). Runs once per process; RegisterEngineComponents calls it.
void RegisterSqliteProvider();

}  // namespace cb::engine
