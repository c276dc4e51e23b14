// Names and help text of the tool's exit statuses.
#include "tools/checkbill/exit_status.h"

namespace cb::tool {

std::string_view StatusName(ExitStatus status) {
  switch (status) {
    case ExitStatus::kDone:
      return "done";
    case ExitStatus::kRefused:
      return "refused";
    case ExitStatus::kUsage:
      return "usage";
    case ExitStatus::kQuestion:
      return "question";
    case ExitStatus::kBusy:
      return "busy";
    case ExitStatus::kError:
      return "error";
  }
  return "error";
}

std::string ExitStatusHelp() {
  return "Exit status:\n"
         "  0  done\n"
         "  1  refused by the engine (the message says why)\n"
         "  2  bad usage: the command line or its JSON was wrong, nothing was run\n"
         "  3  a question was left unanswered (or answered no): the bill was left as it was\n"
         "  4  busy: another writer held the database past the lock timeout; try again\n"
         "  5  error: the database, a file or the engine failed\n";
}

}  // namespace cb::tool
