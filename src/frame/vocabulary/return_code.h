// The result codes CheckBill answers in "ReturnCode".
#pragma once

#include <cstdint>

namespace cb {

enum class ReturnCode : int32_t {
  kSuccess = 0,
  kQuestion1 = 1,  // a step asks for confirmation
  kQuestion2 = 2,
  kMultiLevelRecorded = 3,  // one level of a multi-level check recorded
  kCreditExceeded = 512,
  kFailed = -1,                  // refused or failed for any other reason
  kQuestionReleaseLock1 = -200,  // confirmation that also releases lock stock
  kQuestionReleaseLock2 = -201,
  kQuestion204 = -204,
  kQuestion205 = -205,
};

constexpr int32_t ToInt(ReturnCode code) {
  return static_cast<int32_t>(code);
}

}  // namespace cb
