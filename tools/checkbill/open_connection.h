// Opens the database a data source string names, for the verbs that work on a database directly.
#pragma once

#include <string_view>

#include "checkbill/values.h"

namespace cb::tool {

// Reads the data source string and opens its database, creating a missing SQLite file. Raises
// cb::Error with a clear text for a string that cannot be read, a provider this program does not
// have, or a database that cannot be opened.
db::ConnectionPtr OpenConnection(std::string_view dsn);

}  // namespace cb::tool
