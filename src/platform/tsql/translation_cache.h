// Reuse of a statement's translation. Translating costs about as much as SQLite takes to run a
// small statement, and the engine runs the same texts over and over. A translation depends on
// nothing but the statement and the catalog's answers about the tables it names, so it is reused as
// long as every one of those answers is still the same (a '#temp' table dropped and created again
// with the same columns keeps it valid).
#pragma once

#include "platform/tsql/backend.h"
#include "platform/tsql/batch.h"

namespace cb::tsql {

// The statement's translation: the kept one when the catalog still gives the answers it was built
// from, else a new one (which is then kept). Raises as Statement::Translate does; a failed
// translation leaves the kept one as it was.
const Translation& TranslateCached(const Statement& statement, Catalog& catalog);

}  // namespace cb::tsql
