// The verbs of the checkbill tool: one entry per verb, each implemented in its own file.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "checkbill/codes.h"
#include "tools/checkbill/arguments.h"

namespace cb::tool {

// Exit codes shared by every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the operation failed; the reason is on stderr
inline constexpr int kExitUsage = 2;    // the command line was wrong

struct Verb {
  std::string_view name;
  std::string_view usage;  // one line of synopsis after "checkbill "
  std::string_view summary;
  ArgumentSpec grammar;
  // Runs the verb; prints results on out and failures on err; returns the exit code. May raise
  // UsageError (exit 2) and cb::Error (printed, exit 1).
  int (*run)(const Arguments& arguments, std::ostream& out, std::ostream& err);
};

// Every verb, in the order the usage text lists them.
const std::vector<Verb>& Verbs();
// The verb called name; nullptr when there is none.
const Verb* FindVerb(std::string_view name);

// Verb entry points, one per file.
int RunSqlVerb(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunInitVerb(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunCheckBillVerb(const Arguments& arguments, std::ostream& out, std::ostream& err);
// One operation on a bill, its questions asked on the terminal (check, uncheck, save, delete, void
// and restore differ only in the operation code).
int RunBillOperationVerb(check::OperateCode operate_code, const Arguments& arguments,
                         std::ostream& out);
template <check::OperateCode kOperation>
int RunBillVerb(const Arguments& arguments, std::ostream& out, std::ostream&) {
  return RunBillOperationVerb(kOperation, arguments, out);
}
int RunDemoVerb(const Arguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace cb::tool
