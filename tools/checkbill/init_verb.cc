// The init verb: creates the suite's schema in a new database and, on request, the demo data.
#include <ostream>

#include "checkbill/database.h"
#include "checkbill/values.h"
#include "tools/checkbill/open_connection.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

int RunInitVerb(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string& dsn = arguments.Required("dsn");
  const std::string file = db::ParseDataSource(dsn).data_source;
  const db::ConnectionPtr connection = OpenConnection(dsn);
  if (engine::HasSuiteSchema(*connection)) {
    err << "checkbill init: " << file
        << " already holds the suite's schema; it is left as it is (never overwritten).\n";
    return kExitFailure;
  }
  // One transaction for both, so that a failure leaves the database as it was.
  connection->BeginTrans();
  try {
    engine::InstallSuiteSchema(*connection);
    if (arguments.Switch("demo")) engine::InstallDemoData(*connection);
    connection->CommitTrans();
  } catch (...) {
    try {
      connection->RollbackTrans();
    } catch (...) {
      // The failure that brought us here is the one worth reporting.
    }
    throw;
  }
  out << "Created the suite's schema" << (arguments.Switch("demo") ? " and the demo data" : "")
      << " in " << file << ".\n";
  return kExitOk;
}

}  // namespace cb::tool
