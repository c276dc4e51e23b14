// The check of a modified bill's old stock rows: none of them may be negative in ICInventory now.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::stock {

inline constexpr int32_t kRemovedRowNegative = -200023;

// At most this many rows are tested by one query.
inline constexpr size_t kRemovedRowsPerQuery = 100;

// Runs only when vectDeleteItem holds rows (Dictionaries as GetBillStockRows builds them),
// "IC|UnderStock" is 0, and the re-check flags are neither 1 nor 3 and lack bit 8. Tests the named
// rows' ICInventory base quantity, kRemovedRowsPerQuery rows per query; the first negative row
// gives -200023 and "对物料[%1]代码[%2]的修改会产生负库存，修改不成功!". A run-time error gives
// -200023 with its description. Otherwise 0.
[[nodiscard]] int32_t CheckRemovedRowsStock(frame::ClassFrame& frame, const std::string& sDsn,
                                            int32_t lReCheck, const VectorPtr& vectDeleteItem,
                                            const Dictionary& dictSysProfile, std::string& sMsg,
                                            const std::string& sLanguage,
                                            const db::ConnectionPtr& connection);

}  // namespace cb::stock
