// The safety-stock alert: before the balances change, reports the stock rows whose new balance
// leaves the highest, lowest or safety stock of their item, as a tip the user may accept.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::stock {

// Result codes of CheckStockLimits.
inline constexpr int32_t kLimitsReported = 2;
inline constexpr int32_t kLimitsError = -1;

// Keys of an item-information row, in column order.
inline constexpr std::string_view kLimitColumns[] = {
    "FNumber",  "FName",        "FCurInvQty", "FSafeInv",    "FDiffForSafe",
    "FHighInv", "FDiffForHigh", "FLowInv",    "FDiffForLow", "FReturnResult"};

// The statement over #TempBill that selects the stock rows whose new balance breaks a switched-on
// limit: the bill's sums into #TempSumQty, then real stocks against ICInventory united with
// virtual stocks (type 502) against POInventory. "" when bUseInvMgr is true.
[[nodiscard]] std::string BuildStockLimitSql(int32_t lTranType, bool bUseInvMgr, bool bUseHighInv,
                                             bool bUseLowInv, bool bUseSafeInv);

// Does nothing (0) when lReCheck has bit 2, no limit switch is on, "IC|UseInvMgr" is on, or the
// head's type is not one the alert serves. Otherwise runs BuildStockLimitSql; unless
// lYesWhenStockWarnTip is non-zero, each row sets bShowTip to 1, adds an item-information
// Dictionary (kLimitColumns, quantities formatted by the item's FQtyDecimal) to vectItemInfo and
// sets sMsg to the deviation message. An alert that runs sets vectItemInfo, starting with three
// descriptors (column order, localised captions, quantity-column flags); one that does nothing
// leaves it as it was. Returns 2 when a row was added, else 0; -1 on
// an error (sMsg its description unless already set).
[[nodiscard]] int32_t CheckStockLimits(frame::ClassFrame& frame, const std::string& sDsn,
                                       const db::Recordset& rsBillHead, int32_t lOperateCode,
                                       int32_t lReCheck, const Dictionary& dictSysProfile,
                                       VectorPtr& vectItemInfo, std::string& sMsg,
                                       const std::string& sLanguage,
                                       const db::ConnectionPtr& connection, int32_t& bShowTip,
                                       int32_t lYesWhenStockWarnTip);

}  // namespace cb::stock
