// The keys of CheckBill's request and results that the tool reads or fills in, named once.
#pragma once

#include <array>
#include <string_view>

namespace cb::tool::keys {

inline constexpr std::string_view kInterID = "InterID";
inline constexpr std::string_view kTransType = "TransType";
inline constexpr std::string_view kCheckSwitch = "CheckSwitch";
inline constexpr std::string_view kOperateType = "OperateType";
inline constexpr std::string_view kReCheck = "ReCheck";
inline constexpr std::string_view kCheckDate = "CheckDate";
inline constexpr std::string_view kOperateCode = "OperateCode";
inline constexpr std::string_view kPropString = "PropString";
inline constexpr std::string_view kCheckerID = "CheckerID";
inline constexpr std::string_view kReturnCode = "ReturnCode";
inline constexpr std::string_view kReturnString = "ReturnString";

// The request keys the engine reads as 32-bit integers.
inline constexpr std::array<std::string_view, 7> kIntegerRequestKeys = {
    kInterID, kTransType, kCheckSwitch, kOperateType, kReCheck, kOperateCode, kCheckerID};

// Data source string keys.
inline constexpr std::string_view kUserID = "UserID";
inline constexpr std::string_view kLanguage = "Language";

}  // namespace cb::tool::keys
