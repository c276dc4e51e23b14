// Lock stock: reservations of sales orders and material lists follow the deliveries and issues made
// against them, and no stock may fall below what is still reserved.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::stock {

// Result codes of CheckLockStock.
inline constexpr int32_t kLockShortChanged = -201;  // locked above stock, reservations changed
inline constexpr int32_t kLockShort = -1;           // locked above stock, nothing changed
inline constexpr int32_t kLockNegative = -200021;   // a locked stock row would go negative

// True when t_LockStock holds any row; otherwise whether "IC|UseLockStock" (default 0) is on.
// Database errors raise cb::Error.
[[nodiscard]] bool IsLockStockInUse(const std::string& sDsn, const Dictionary& dictSysProfile,
                                    db::Connection& connection);

// Adjusts the reservations that a sales delivery (21) or a material issue (24, 28, 137) consumes
// by GetQtyDirection times the quantities (a sales order's never above FOrgQty) and refreshes the
// entries' FLockFlag. Unless lReCheck has bit 8, then refuses when an item of the bill is locked
// above its stock in a stock (-201 when reservations changed, else -1, first lock message) or a
// stock row holding locked stock is negative (-200021, second lock message; whatever the
// negative-stock switch says). Other errors return their number with their description in sMsg.
// #TempLockInfo is dropped on every exit that created it.
[[nodiscard]] int32_t CheckLockStock(frame::ClassFrame& frame, const std::string& sDsn,
                                     const db::Recordset& rsBillHead, int32_t lOperateCode,
                                     int32_t lReCheck, const Dictionary& dictStocks,
                                     std::string& sMsg, const std::string& sLanguage,
                                     const db::ConnectionPtr& connection);

}  // namespace cb::stock
