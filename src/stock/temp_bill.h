// #TempBill: the bill's entries as signed quantity rows per inventory key, the input of every later
// stock step of the run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace cb::stock {

inline constexpr std::string_view kTempBill = "#TempBill";

// Drops any earlier #TempBill of the connection, creates it anew and fills it with one row per
// entry (two for the transfer types 41 and 74: destination with the direction factor, source with
// its negation) of the bill named by the head's FInterID and FTranType, quantities multiplied by
// GetQtyDirection(FTranType, lOperateCode). A type without a stock source leaves the table empty.
// Database errors raise cb::Error.
void BuildTempBill(frame::ClassFrame& frame, const std::string& sDsn,
                   const db::Recordset& rsBillHead, int32_t lOperateCode,
                   const db::ConnectionPtr& connection);

}  // namespace cb::stock
