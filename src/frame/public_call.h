// The one place where a public method's errors become its failure answer: every public member of
// the three classes runs its work through PublicCall (or PublicCallRaising for the members whose
// callers handle the error themselves).
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "frame/class_frame.h"
#include "platform/services/call_scope.h"
#include "platform/services/pending_error.h"
#include "platform/variant/error.h"

namespace cb::frame {

// The platform's number for an internal error: what a C++ exception that is not a cb::Error
// becomes.
inline constexpr int32_t kErrInternal = 51;

// The exception being handled as a cb::Error. Call only inside a catch block.
Error CurrentExceptionAsError();

// body() as one public call whose transaction, when the call is the outermost one, is ended before
// the result is handed back: a commit that fails raises, as an error of the body would.
template <typename Body>
auto RunAndEndCall(Body&& body) -> decltype(body()) {
  if constexpr (std::is_void_v<decltype(body())>) {
    std::forward<Body>(body)();
    services::CallScope::EndOutermost();
  } else {
    auto result = std::forward<Body>(body)();
    services::CallScope::EndOutermost();
    return result;
  }
}

// Runs body() as one public call (see services::CallScope: the outermost call on the thread owns
// the transaction, nested calls join it) and returns its result; the outermost call commits (or
// rolls back, by the last vote) before it returns. When the body or the commit raises anything,
// the error becomes the thread's pending error, the call votes VoteAbort on the frame's service,
// and the result is on_error(error); the pending error is cleared when on_error returns. Nothing
// escapes unless on_error itself raises.
template <typename Body, typename OnError>
auto PublicCall(ClassFrame& frame, Body&& body, OnError&& on_error) -> decltype(body()) {
  services::CallScope call;
  try {
    return RunAndEndCall(std::forward<Body>(body));
  } catch (...) {
    const Error error = CurrentExceptionAsError();
    services::SetPendingError(error);
    struct ClearOnExit {
      ~ClearOnExit() { services::ClearPendingError(); }
    } clear_on_exit;
    try {
      frame.VoteAbort();
    } catch (...) {
      // The failure answer matters more than the vote; a service that cannot vote is not fatal
      // here.
    }
    return std::forward<OnError>(on_error)(error);
  }
}

// Runs body() as one public call, the outermost committing before it returns, and lets its errors
// (a failed commit included) through to the caller, every one of them as a cb::Error. For the
// members whose callers handle the error themselves.
template <typename Body>
auto PublicCallRaising(Body&& body) -> decltype(body()) {
  services::CallScope call;
  try {
    return RunAndEndCall(std::forward<Body>(body));
  } catch (const Error&) {
    throw;
  } catch (...) {
    throw CurrentExceptionAsError();
  }
}

}  // namespace cb::frame
