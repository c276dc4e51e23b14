// The built-in "SQLite" connection provider.
#include "platform/services/sqlite_provider.h"

#include <filesystem>
#include <system_error>

#include "platform/db/database_error.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/error.h"

namespace cb::services {

db::ConnectionPtr OpenSqliteDataSource(const db::DataSource& data_source) {
  // The SQLite layer creates missing files; a data source must name a database that exists, so that
  // a mistyped name is an error instead of a new empty database.
  std::error_code error;
  if (!std::filesystem::is_regular_file(data_source.data_source, error)) {
    throw Error(db::kDbGenericFailure, "DataAccessService",
                "Cannot open data source: the database file '" + data_source.data_source +
                    "' does not exist");
  }
  return sqlite::OpenSqliteConnection(data_source.data_source);
}

}  // namespace cb::services
