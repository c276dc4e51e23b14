// Opens the database of a data source string; the tool creates a missing SQLite file, unlike the
// engine's data access service, so that `checkbill sql` can start from nothing.
#include "tools/checkbill/open_connection.h"

#include "platform/db/data_source.h"
#include "platform/db/name_compare.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/error.h"

namespace cb::tool {

namespace {

// The data-access library's number for a provider that is not installed.
constexpr int32_t kErrProviderNotFound = 3706;

}  // namespace

db::ConnectionPtr OpenConnection(std::string_view dsn) {
  const db::DataSource data_source = db::ParseDataSource(dsn);
  if (!db::EqualsIgnoreCase(data_source.provider, "SQLite")) {
    throw Error(kErrProviderNotFound, "checkbill",
                "Provider '" + data_source.provider + "' is not available in this build");
  }
  return sqlite::OpenSqliteConnection(data_source.data_source);
}

}  // namespace cb::tool
