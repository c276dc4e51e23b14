// The request keys the tool checks before CheckBill runs, and the data source key of the checker.
#pragma once

#include <array>
#include <string_view>

#include "checkbill/codes.h"

namespace cb::tool::keys {

// The request keys the engine reads as 32-bit integers.
inline constexpr std::array<std::string_view, 7> kIntegerRequestKeys = {
    kKeyInterID, kKeyTransType,   kKeyCheckSwitch, kKeyOperateType,
    kKeyReCheck, kKeyOperateCode, kKeyCheckerID};

// Data source string keys.
inline constexpr std::string_view kUserID = "UserID";
inline constexpr std::string_view kLanguage = "Language";

}  // namespace cb::tool::keys
