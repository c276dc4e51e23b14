// Detects and installs the suite's schema by running the embedded scripts through the connection.
#include "schema/suite_schema.h"

#include <algorithm>
#include <string>

#include "platform/variant/error.h"
#include "schema/install_transaction.h"
#include "schema/suite_scripts.h"

namespace cb::schema {
namespace {

constexpr const char* kSource = "cb.schema";

bool RegistryIsMissing(const db::Errors& errors) {
  return !errors.empty() && std::all_of(errors.begin(), errors.end(), [](const db::DbError& e) {
    return e.kind == db::DbErrorKind::kNoSuchObject;
  });
}

}  // namespace

bool IsSuiteSchemaInstalled(db::Connection& connection) {
  try {
    connection.Execute("SELECT COUNT(*) FROM ICTransactionType");
    return true;
  } catch (const Error&) {
    if (RegistryIsMissing(connection.errors())) return false;
    throw;
  }
}

void InstallSuiteSchema(db::Connection& connection) {
  if (IsSuiteSchemaInstalled(connection)) {
    throw Error(
        kErrInvalidArgument, kSource,
        "The suite's schema is already installed in this database; it is never overwritten.");
  }
  InstallTransaction transaction(connection);
  RunScripts(connection, SuiteScripts(), "Installing the suite's schema");
  InstallAccountingCalendar(connection, kFirstCalendarYear, kLastCalendarYear);
  transaction.Commit();
}

}  // namespace cb::schema
