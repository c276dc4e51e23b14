// The verbs of the checkbill tool: each file adds one verb (or a family) to the command line and
// says how it runs once the line is parsed.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "tools/checkbill/exit_status.h"

namespace CLI {
class App;
}

namespace cb::tool {

// The streams of one run. Under --json stdout carries exactly one JSON value; text meant for people
// (questions, notes) then goes to stderr.
struct Io {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool json = false;

  std::ostream& text() const { return json ? err : out; }
};

// What the parsed command line asks for: the chosen verb's run, set by its parse callback.
struct Invocation {
  bool json = false;
  std::function<ExitStatus(Io&)> run;
};

// Adds a verb with its one-line description, the exit-status table in its --help and the --json
// switch bound to invocation.json.
CLI::App* AddVerb(CLI::App& app, Invocation& invocation, const std::string& name,
                  const std::string& description);

// The verbs, one file each (the bill verbs share one).
void AddDemoVerb(CLI::App& app, Invocation& invocation);
void AddInitVerb(CLI::App& app, Invocation& invocation);
void AddCheckBillVerb(CLI::App& app, Invocation& invocation);
void AddBillVerbs(CLI::App& app, Invocation& invocation);
void AddSqlVerb(CLI::App& app, Invocation& invocation);
void AddCallVerb(CLI::App& app, Invocation& invocation);

// Every verb, in the order --help lists them.
void AddVerbs(CLI::App& app, Invocation& invocation);

}  // namespace cb::tool
