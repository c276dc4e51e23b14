// The system-profile keys the engine reads, and one reader per kind of value.
//
// The profile holds each FValue exactly as stored, as text, so every reader says once how it reads
// an entry the profile lacks (Empty) and one whose FValue is Null: both take the reader's default,
// false for a switch. A switch is on when its value reads as a non-zero number ("1", -1, True); a
// text that is no number reads as the default too. The same entry therefore reads the same way in
// every step: a Null "IC|ICClosed" is false for the period guard and for the type step alike.
#pragma once

#include <string>
#include <string_view>

#include "platform/variant/dictionary.h"

namespace cb {

inline constexpr std::string_view kProfileStartPeriod = "IC|StartPeriod";
inline constexpr std::string_view kProfileCurrentPeriod = "IC|CurrentPeriod";
inline constexpr std::string_view kProfileICClosed = "IC|ICClosed";
inline constexpr std::string_view kProfileBillStatus = "IC|BillStatus";
inline constexpr std::string_view kProfileIsOkToModAfterClose = "IC|IsOkToModAfterClose";
inline constexpr std::string_view kProfileUseHighInv = "IC|UseHighInv";
inline constexpr std::string_view kProfileUseLowInv = "IC|UseLowInv";
inline constexpr std::string_view kProfileUseSafeInv = "IC|UseSafeInv";
inline constexpr std::string_view kProfileUseInvMgr = "IC|UseInvMgr";
inline constexpr std::string_view kProfileUnderStock = "IC|UnderStock";
inline constexpr std::string_view kProfileShowUnderTip = "IC|ShowUnderTip";
inline constexpr std::string_view kProfileUseLockStock = "IC|UseLockStock";
inline constexpr std::string_view kProfileISUseMultiCheck = "IC|ISUseMultiCheck";
inline constexpr std::string_view kProfileSingleMan = "General|SingleMan";
inline constexpr std::string_view kProfileSameUserApprovalAndUnApproval =
    "IC|SameUserApprovalAndUnApproval";
inline constexpr std::string_view kProfileAlertSELowPrice = "IC|AlertSELowPrice";
inline constexpr std::string_view kProfileAlertSELowPriceWhenCheck = "IC|AlertSELowPriceWhenCheck";
inline constexpr std::string_view kProfileAlertPOMaxPrice = "IC|AlertPOMaxPrice";
inline constexpr std::string_view kProfileAlertHighPriceWhenCheck = "IC|AlertHighPriceWhenCheck";
inline constexpr std::string_view kProfilePOQtyLargeStock = "IC|POQtyLargeStock";
inline constexpr std::string_view kProfileOrdStockOutByProportion = "IC|OrdStockOutByProportion";
inline constexpr std::string_view kProfileUseOrderBatchTrace = "IC|UseOrderBatchTrace";

// The entry as a number; default_value when absent, Null or not a number.
[[nodiscard]] double ProfileNumber(const Dictionary& profile, std::string_view key,
                                   double default_value = 0);

// The entry as a switch: ProfileNumber(key, 0) != 0, so absent, Null and non-numbers are off.
[[nodiscard]] bool ProfileSwitch(const Dictionary& profile, std::string_view key);

// The entry as text; default_value when absent or Null.
[[nodiscard]] std::string ProfileText(const Dictionary& profile, std::string_view key,
                                      std::string_view default_value = "");

}  // namespace cb
