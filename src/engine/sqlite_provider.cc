// The "SQLite" connection provider and its registration.
#include "engine/sqlite_provider.h"

#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>
#include <utility>

#include "platform/db/database_error.h"
#include "platform/services/connection_providers.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/error.h"

namespace cb::engine {

db::ConnectionPtr OpenSqliteDataSource(const db::DataSource& data_source,
                                       sqlite::SqliteOptions options) {
  // The SQLite layer creates missing files; a data source must name a database that exists, so that
  // a mistyped name is an error instead of a new empty database.
  std::error_code error;
  if (!std::filesystem::is_regular_file(data_source.data_source, error)) {
    throw Error(db::kDbGenericFailure, "DataAccessService",
                "Cannot open data source: the database file '" + data_source.data_source +
                    "' does not exist");
  }
  return sqlite::OpenSqliteConnection(data_source.data_source, std::move(options));
}

void RegisterSqliteProvider() {
  static std::once_flag once;
  std::call_once(once, [] {
    services::RegisterConnectionProviderIfAbsent(
        std::string(kSqliteProviderName),
        [](const db::DataSource& data_source) { return OpenSqliteDataSource(data_source); });
  });
}

}  // namespace cb::engine
