// Opens the database of a data source string; the tool creates a missing SQLite file, unlike the
// engine's data access service, so that `checkbill sql` can start from nothing.
#include "tools/checkbill/open_connection.h"

#include "checkbill/database.h"

namespace cb::tool {

db::ConnectionPtr OpenConnection(std::string_view dsn) {
  return engine::OpenDatabase(dsn, engine::OpenMode::kCreate);
}

}  // namespace cb::tool
