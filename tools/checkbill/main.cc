// checkbill: runs the engine's operations against a database from the command line, JSON in and
// out.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>

#include "checkbill/values.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/verb.h"

namespace {

using cb::tool::ExitStatus;

// Reports a run that ended without the engine's answer: the JSON error object on stdout under
// --json, otherwise the message on stderr.
int Fail(const cb::tool::Io& io, ExitStatus status, const std::string& message) {
  if (io.json) {
    cb::tool::Json error = cb::tool::Json::object();
    error["status"] = std::string(cb::tool::StatusName(status));
    error["exit"] = cb::tool::ToInt(status);
    error["message"] = message;
    io.out << cb::tool::DumpJson(cb::tool::Json{{"error", error}}) << "\n";
  } else {
    io.err << "checkbill: " << message << "\n";
    if (status == ExitStatus::kUsage)
      io.err << "Run 'checkbill --help' or 'checkbill VERB --help'.\n";
  }
  return cb::tool::ToInt(status);
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  cb::tool::Invocation invocation;
  CLI::App app(
      "checkbill: runs the bill-check engine's operations on a database, JSON in and out.\n"
      "DSN is a data source string, e.g. \"Provider=SQLite;Data Source=demo.db\".",
      "checkbill");
  app.set_version_flag("--version", std::string("checkbill ") + CHECKBILL_VERSION);
  app.require_subcommand(1);
  app.footer(cb::tool::ExitStatusHelp());
  cb::tool::AddVerbs(app, invocation);

  // --json is known before parsing, so that a command line that does not parse is reported as JSON.
  cb::tool::Io io{std::cin, std::cout, std::cerr,
                  std::any_of(argv + 1, argv + argc,
                              [](const char* word) { return std::string(word) == "--json"; })};
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done, std::cout, std::cerr);  // --help and --version
  } catch (const CLI::ParseError& error) {
    return Fail(io, ExitStatus::kUsage, error.what());
  }
  try {
    return cb::tool::ToInt(invocation.run(io));
  } catch (const cb::tool::ToolError& error) {
    return Fail(io, error.status(), error.what());
  } catch (const cb::Error& error) {
    return Fail(io, ExitStatus::kError, error.description());
  } catch (const std::exception& error) {
    return Fail(io, ExitStatus::kError, error.what());
  }
}
