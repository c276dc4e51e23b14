// Runs the embedded demo scripts through the connection.
#include "schema/demo_data.h"

#include "platform/variant/error.h"
#include "schema/install_transaction.h"
#include "schema/suite_schema.h"
#include "schema/suite_scripts.h"

namespace cb::schema {

void InstallDemoData(db::Connection& connection) {
  constexpr const char* kSource = "cb.schema";
  if (!IsSuiteSchemaInstalled(connection)) {
    throw Error(kErrInvalidArgument, kSource,
                "The demo data needs the suite's schema; install the schema first.");
  }
  InstallTransaction transaction(connection);
  RunScripts(connection, DemoScripts(), "Loading the demo data");
  transaction.Commit();
}

}  // namespace cb::schema
