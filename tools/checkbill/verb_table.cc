// The verb table: adding a verb means one line here and one file that adds it.
#include <CLI/CLI.hpp>

#include "tools/checkbill/verb.h"

namespace cb::tool {

CLI::App* AddVerb(CLI::App& app, Invocation& invocation, const std::string& name,
                  const std::string& description) {
  CLI::App* verb = app.add_subcommand(name, description);
  verb->footer(ExitStatusHelp());
  verb->add_flag("--json", invocation.json,
                 "print one JSON value on stdout and nothing else, errors included");
  return verb;
}

void AddVerbs(CLI::App& app, Invocation& invocation) {
  AddDemoVerb(app, invocation);
  AddInitVerb(app, invocation);
  AddCheckBillVerb(app, invocation);
  AddBillVerbs(app, invocation);
  AddSqlVerb(app, invocation);
  AddCallVerb(app, invocation);
}

}  // namespace cb::tool
