// The tool's exit statuses, one per way a run can end, and the errors that end a run without the
// engine's answer.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace cb::tool {

enum class ExitStatus : int {
  kDone = 0,      // the operation was done
  kRefused = 1,   // the engine refused it; its message says why
  kUsage = 2,     // the command line or its JSON was wrong; nothing was run
  kQuestion = 3,  // the engine asked a question that was not answered yes; nothing was changed
  kBusy = 4,      // another writer held the database past the lock timeout; try again
  kError = 5,     // anything else went wrong (database, file, engine error)
};

constexpr int ToInt(ExitStatus status) {
  return static_cast<int>(status);
}

// The status as the JSON error object names it: "done", "refused", "usage", "question", "busy",
// "error".
std::string_view StatusName(ExitStatus status);

// The table of exit statuses that every --help ends with.
std::string ExitStatusHelp();

// Ends a run with a status and a message for the user (printed on stderr, or as the JSON error
// object under --json).
class ToolError : public std::runtime_error {
 public:
  ToolError(ExitStatus status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  ExitStatus status() const { return status_; }

 private:
  ExitStatus status_;
};

// A command line or JSON input the verb cannot use: raised before any database work.
class UsageError : public ToolError {
 public:
  explicit UsageError(const std::string& message) : ToolError(ExitStatus::kUsage, message) {}
};

}  // namespace cb::tool
