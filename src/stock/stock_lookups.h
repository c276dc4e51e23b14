// In-memory lookups of the stocks and stock places a bill uses, loaded once per stock run for the
// messages and the place test of the later checks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"

namespace cb::stock {

// Keys of the inner Dictionary of each lookup.
inline constexpr std::string_view kLookupNumber = "FNumber";
inline constexpr std::string_view kLookupName = "FName";
inline constexpr std::string_view kLookupIsStockMgr = "FIsStockMgr";

// Stocks named on either side of the bill: key the stock id as text, value a Dictionary with
// "FNumber", "FName" and "FIsStockMgr". Database errors raise cb::Error.
[[nodiscard]] DictionaryPtr LoadBillStocks(frame::ClassFrame& frame, const std::string& sDsn,
                                           int32_t& lInterID, int32_t lTranType,
                                           const db::ConnectionPtr& connection);

// Stock places named on either side of the bill: key the place id as text, value a Dictionary with
// "FNumber" and "FName". Database errors raise cb::Error.
[[nodiscard]] DictionaryPtr LoadBillStockPlaces(frame::ClassFrame& frame, const std::string& sDsn,
                                                int32_t lInterID, int32_t lTranType,
                                                const db::ConnectionPtr& connection);

// The inner Dictionary under the id in a lookup; nullptr when the bill does not use that id.
[[nodiscard]] DictionaryPtr LookupEntry(const Dictionary& lookup, const Variant& id);

// A text member of a lookup entry, trimmed; "" when the entry is nullptr.
[[nodiscard]] std::string LookupText(const DictionaryPtr& entry, std::string_view key);

}  // namespace cb::stock
