// The init verb: creates the suite's schema in a new database and, on request, the demo data.
#include <ostream>

#include "platform/db/data_source.h"
#include "platform/variant/error.h"
#include "schema/demo_data.h"
#include "schema/suite_schema.h"
#include "tools/checkbill/open_connection.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

int RunInitVerb(const Arguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string& dsn = arguments.Required("dsn");
  const std::string file = db::ParseDataSource(dsn).data_source;
  const db::ConnectionPtr connection = OpenConnection(dsn);
  if (schema::IsSuiteSchemaInstalled(*connection)) {
    err << "checkbill init: " << file
        << " already holds the suite's schema; it is left as it is (never overwritten).\n";
    return kExitFailure;
  }
  // One transaction for both, so that a failure leaves the database as it was.
  connection->BeginTrans();
  try {
    schema::InstallSuiteSchema(*connection);
    if (arguments.Switch("demo")) schema::InstallDemoData(*connection);
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
