// The write-back of received and delivered quantities from stock bills to the purchase and sales
// order lines they were made from, with the over-receipt and over-delivery limits.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::stock {

// The write-back factor W: +1 for a check, save or un-void (1, 4, 16) and -1 for an uncheck,
// delete or void (2, 8, 32) of a bill whose FROB is 1 or -1; 0 for any other FROB (Null too) or
// operation. The sign of FROB and the transaction type play no part.
[[nodiscard]] int32_t OrderWriteBackFactor(const Variant& rob, int32_t lOperateCode);

// Purchase receipts (1) and other receipts (10): adds W times the bill's quantities to
// POOrderEntry.FStockQty and its unit quantity FAuxStockQty. Unless lReCheck has bit 8, it then
// refuses (-1, one negative-quantity line per order line, each followed by CR LF) when a line the
// bill references went below 0, refuses likewise when "IC|POQtyLargeStock" is 1 and a line is
// received above its item's FOIHighLimit percent, sets the lines' FMrpClosed and closes (FStatus 3)
// the orders whose items are all committed. sMsg is cleared first. Votes VoteCommit and returns 0
// on success; votes VoteAbort and returns -1 on a refusal or a database error (the error's
// description then follows the lines of sMsg).
[[nodiscard]] int32_t WriteBackPOOrderStock(frame::ClassFrame& frame, db::Connection& connection,
                                            const Dictionary& dictSysProfile, int32_t lOperateCode,
                                            const db::Recordset& rsBillHead, int32_t lReCheck,
                                            std::string& sMsg, const std::string& sLanguage);

// Sales deliveries (21) and other issues (29): the same on SEOrderEntry and SEOrder with
// "IC|OrdStockOutByProportion" and FSOHighLimit/FSOLowLimit. Database errors raise cb::Error
// instead of returning -1, and success casts no vote; a refusal votes VoteAbort and returns -1.
[[nodiscard]] int32_t WriteBackSEOrderStock(frame::ClassFrame& frame, db::Connection& connection,
                                            const Dictionary& dictSysProfile, int32_t lOperateCode,
                                            const db::Recordset& rsBillHead, int32_t lReCheck,
                                            std::string& sMsg, const std::string& sLanguage);

}  // namespace cb::stock
