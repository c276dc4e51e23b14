// The distinct stock rows a bill uses as it stands in the database, and the release of the lock
// rows its source documents hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/vector.h"

namespace cb::stock {

// Keys of one stock row Dictionary.
inline constexpr std::string_view kRowItemID = "ItemID";
inline constexpr std::string_view kRowBatchNo = "BatchNo";
inline constexpr std::string_view kRowStockID = "StockID";
inline constexpr std::string_view kRowStockPlaceID = "StockPlaceID";
inline constexpr std::string_view kRowKFDate = "KFDate";
inline constexpr std::string_view kRowKFPeriod = "KFPeriod";

// Fills vectItems with a new Vector of one Dictionary per distinct stock row (item, batch, stock,
// place, shelf-life date as yyyy-mm-dd or '', shelf-life period) of the bill named by the head, on
// both sides for the transfer types 41 and 74, without the stock-type filter for receipt notices.
// Null numbers read as 0, a Null batch as "". Database errors raise cb::Error.
void GetBillStockRows(frame::ClassFrame& frame, const std::string& sDsn,
                      const db::Recordset& rsBillHead, VectorPtr& vectItems,
                      const db::ConnectionPtr& connection);

// Deletes the t_LockStock rows held by the sales-order entries (type 21) or the material lists of
// the production orders (type 24) that the bill's entries name; other types do nothing. Every
// error is ignored.
void ReleaseLockStock(db::Connection& connection, int32_t lInterID, int32_t lTranType);

}  // namespace cb::stock
