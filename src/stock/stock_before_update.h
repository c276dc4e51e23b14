// The check before the balances change: the balance each inventory key of the bill will reach must
// not have opposite signs in the two units, nor be negative unless negative stock is allowed.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/variant.h"

namespace cb::stock {

// Result codes of CheckStockBeforeUpdate.
inline constexpr int32_t kSignDifference = -1;
inline constexpr int32_t kNegativeBalance = 1;

// Compares #TempBill's per-key sums plus the balances of GetInventoryTable(lTranType) (a missing
// row counts as 0). Returns -1 with the sign-difference message when base and secondary balances
// would have opposite signs (always checked); 1 with "物料[%1]代码[%2]库存数量不允许负数!" when a
// balance would be negative and "IC|UnderStock" is not 1; 1 with the negative-balance tip and
// bShowTip = 1 when it is 1 and "IC|ShowUnderTip" is 1; otherwise 0. A non-zero
// lYesWhenUnderTip or re-check flags of exactly 1 or 3 accept every negative balance. Names come
// from the stock and place lookups. When Rs is given it receives each result recordset. Database
// errors raise cb::Error.
[[nodiscard]] int32_t CheckStockBeforeUpdate(
    frame::ClassFrame& frame, const std::string& sDsn, int32_t lTranType, int32_t lReCheck,
    const Dictionary& dictSysProfile, const Dictionary& dictStocks,
    const Dictionary& dictStockPlaces, std::string& sMsg, const std::string& sLanguage,
    const db::ConnectionPtr& connection, int32_t& bShowTip, int32_t lYesWhenUnderTip, Variant* Rs);

}  // namespace cb::stock
