// The error of a public member whose work is not part of this build yet.
#pragma once

#include <cstdint>
#include <string_view>

namespace cb::frame {

// The platform's number for an action an object does not support.
inline constexpr int32_t kErrNotAvailable = 445;

// Raises cb::Error(kErrNotAvailable) whose description names the member, for example
// "CPreCheck.DoPriceAlert is not available in this build". The member's own failure answer then
// reports it like any other error.
[[noreturn]] void RaiseNotAvailable(std::string_view member);

}  // namespace cb::frame
