// The pending run-time error of a thread: the error the nearest handler caught, kept until cleared
// so that messages built inside the handler can still report it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/variant/error.h"

namespace cb::services {

struct PendingError {
  int32_t number = 0;  // 0: no error is pending
  std::string description;
  std::string source;
  std::string help_file;
  int32_t help_context = 0;

  bool IsSet() const { return number != 0; }
  // The record of a caught error; cb::Error carries no help file or context.
  static PendingError From(const Error& error);
  friend bool operator==(const PendingError&, const PendingError&) = default;
};

// This thread's pending error; a default record (number 0) when none is pending.
const PendingError& CurrentPendingError();

// Makes `error` this thread's pending error, as a handler does when it catches an error.
void SetPendingError(PendingError error);
void SetPendingError(const Error& error);

// Clears this thread's pending error.
void ClearPendingError();

}  // namespace cb::services
