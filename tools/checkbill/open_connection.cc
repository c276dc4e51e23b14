// Opening a data source's database for the tool, and the busy status for a lock timeout.
#include "tools/checkbill/open_connection.h"

namespace cb::tool {

db::ConnectionPtr OpenConnection(std::string_view dsn, engine::OpenMode mode) {
  return engine::OpenDatabase(dsn, mode);
}

ToolError DatabaseFailure(db::Connection& connection, const Error& error) {
  for (const db::DbError& item : connection.errors()) {
    if (item.kind == db::DbErrorKind::kBusy) {
      return ToolError(ExitStatus::kBusy,
                       "waited for another writer to release the database and gave up (" +
                           item.description + "); nothing was changed, try again");
    }
  }
  for (const db::DbError& item : connection.errors()) {
    if (!item.is_warning && item.line > 0) {
      return ToolError(ExitStatus::kError, "line " + std::to_string(item.line) +
                                               " of the batch: " + error.description());
    }
  }
  return ToolError(ExitStatus::kError, error.description());
}

}  // namespace cb::tool
