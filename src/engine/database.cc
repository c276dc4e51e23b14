// Opening a data source's database and installing the schema, for hosts and the tool.
#include "checkbill/database.h"

#include <filesystem>
#include <system_error>

#include "engine/sqlite_provider.h"
#include "platform/db/name_compare.h"
#include "platform/services/connection_providers.h"
#include "platform/services/language_catalogs.h"
#include "platform/sqlite/sqlite_connection.h"
#include "schema/demo_data.h"
#include "schema/suite_schema.h"

namespace cb::engine {

db::ConnectionPtr OpenDatabase(std::string_view dsn, OpenMode mode) {
  const db::DataSource data_source = db::ParseDataSource(dsn);
  RegisterSqliteProvider();
  if (mode == OpenMode::kCreate &&
      db::EqualsIgnoreCase(data_source.provider, kSqliteProviderName)) {
    return sqlite::OpenSqliteConnection(data_source.data_source);
  }
  if (mode == OpenMode::kInspect &&
      db::EqualsIgnoreCase(data_source.provider, kSqliteProviderName)) {
    std::error_code missing;
    if (!std::filesystem::is_regular_file(data_source.data_source, missing)) {
      throw Error(db::kDbGenericFailure, "DataAccessService",
                  "Cannot open data source: the database file '" + data_source.data_source +
                      "' does not exist");
    }
    sqlite::SqliteOptions as_found;
    as_found.write_ahead_log = false;
    return sqlite::OpenSqliteConnection(data_source.data_source, as_found);
  }
  return services::OpenProviderConnection(data_source);
}

bool HasSuiteSchema(db::Connection& connection) {
  return schema::IsSuiteSchemaInstalled(connection);
}

void InstallSuiteSchema(db::Connection& connection) {
  schema::InstallSuiteSchema(connection);
}

void InstallDemoData(db::Connection& connection) {
  schema::InstallDemoData(connection);
}

bool IsLockTimeout(std::string_view message) {
  // The server's text of error 1222, which the SQLite layer gives every busy or locked failure.
  constexpr std::string_view kLockTimeout = "Lock request time out period exceeded.";
  return message.find(kLockTimeout) != std::string_view::npos;
}

bool IsKnownLanguage(std::string_view language) {
  return !services::CatalogLanguage(language).empty();
}

}  // namespace cb::engine
