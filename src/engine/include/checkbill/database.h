// What a host or tool needs to reach a database of its own: read a data source string, open its
// database, run a batch, and install the suite's schema and the demo data.
#pragma once

#include <string_view>

#include "checkbill/values.h"
#include "platform/db/data_source.h"  // db::ParseDataSource, db::DataSource

namespace cb::engine {

enum class OpenMode {
  kExisting,  // the database must exist: a mistyped name is an error, not a new file
  kCreate,    // a missing database file is created
  kInspect,   // as kExisting, but the file is read as found: never switched to another journal
};

// Opens the database of dsn. Raises cb::Error naming the file or provider when it cannot.
db::ConnectionPtr OpenDatabase(std::string_view dsn, OpenMode mode);

// True when the database holds the suite's schema.
[[nodiscard]] bool HasSuiteSchema(db::Connection& connection);
// Creates the suite's schema in an empty database; never overwrites (see schema/suite_schema.h).
void InstallSuiteSchema(db::Connection& connection);
// Loads the demo data into a database that holds the suite's schema and nothing else yet.
void InstallDemoData(db::Connection& connection);

// True when message carries the database's lock-timeout error: another writer held the database
// past the busy timeout, and trying again later may succeed.
[[nodiscard]] bool IsLockTimeout(std::string_view message);

// True when a message catalogue serves the data source's "Language" value (en, zh and their
// spellings, compared without regard to case).
[[nodiscard]] bool IsKnownLanguage(std::string_view language);

}  // namespace cb::engine
