// Opens the database a data source string names, for the verbs that work on a database directly,
// and turns a database failure into the tool's exit status.
#pragma once

#include <string_view>

#include "checkbill/database.h"
#include "tools/checkbill/exit_status.h"

namespace cb::tool {

// Opens dsn's database. Only init and demo pass OpenMode::kCreate; every other verb needs a
// database that exists. Raises cb::Error with a clear text when it cannot.
db::ConnectionPtr OpenConnection(std::string_view dsn, engine::OpenMode mode);

// What a verb raises for error, raised by a statement on connection: a busy ToolError when another
// writer held the database past the lock timeout, otherwise an error ToolError with the text.
ToolError DatabaseFailure(db::Connection& connection, const Error& error);

}  // namespace cb::tool
