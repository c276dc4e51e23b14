// Per-thread storage of the pending run-time error.
#include "platform/services/pending_error.h"

#include <utility>

namespace cb::services {
namespace {

thread_local PendingError pending_error;

}  // namespace

PendingError PendingError::From(const Error& error) {
  PendingError record;
  record.number = error.number();
  record.description = error.description();
  record.source = error.source();
  return record;
}

const PendingError& CurrentPendingError() {
  return pending_error;
}

void SetPendingError(PendingError error) {
  pending_error = std::move(error);
}

void SetPendingError(const Error& error) {
  pending_error = PendingError::From(error);
}

void ClearPendingError() {
  pending_error = PendingError{};
}

}  // namespace cb::services
