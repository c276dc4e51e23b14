// The init verb: creates the suite's schema in a new database and, on request, the demo data.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/open_connection.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

struct InitOptions {
  std::string dsn;
  bool demo = false;
};

ExitStatus RunInit(const InitOptions& options, Io& io) {
  const std::string file = db::ParseDataSource(options.dsn).data_source;
  std::error_code error;
  const bool exists = std::filesystem::exists(file, error);
  const db::ConnectionPtr connection = OpenConnection(options.dsn, engine::OpenMode::kCreate);
  if (engine::HasSuiteSchema(*connection)) {
    throw ToolError(
        ExitStatus::kRefused,
        "init: " + file +
            " already holds the suite's schema; it is left as it is (never overwritten)");
  }
  if (exists && std::filesystem::file_size(file, error) > 0) {
    throw ToolError(ExitStatus::kRefused,
                    "init: '" + file +
                        "' exists and is not a suite database; init creates new "
                        "databases only");
  }
  // One transaction for both, so that a failure leaves the database as it was.
  connection->BeginTrans();
  try {
    engine::InstallSuiteSchema(*connection);
    if (options.demo) engine::InstallDemoData(*connection);
    connection->CommitTrans();
  } catch (const Error& failure) {
    ToolError reported = DatabaseFailure(*connection, failure);
    try {
      if (connection->InTransaction()) connection->RollbackTrans();
    } catch (const Error&) {
      // The failure that brought us here is the one worth reporting.
    }
    throw reported;
  }
  io.text() << "Created the suite's schema" << (options.demo ? " and the demo data" : "") << " in "
            << file << ".\n";
  if (io.json) io.out << DumpJson(Json{{"created", file}, {"demo", options.demo}}) << "\n";
  return ExitStatus::kDone;
}

}  // namespace

void AddInitVerb(CLI::App& app, Invocation& invocation) {
  auto options = std::make_shared<InitOptions>();
  CLI::App* verb = AddVerb(app, invocation, "init",
                           "create the suite's schema in a new database, with --demo also the "
                           "demo data");
  verb->add_option("--dsn", options->dsn, "data source string of the new database")->required();
  verb->add_flag("--demo", options->demo, "also load the demo data");
  verb->callback([&invocation, options] {
    invocation.run = [options](Io& io) { return RunInit(*options, io); };
  });
}

}  // namespace cb::tool
