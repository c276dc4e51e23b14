// The configured-item batch check of material issues: a batch of a configured item may only be
// issued while it is registered, and not disabled, for the entry's customer BOM.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"

namespace cb::stock {

// The refusal code of CheckConfigItemBatch.
inline constexpr int32_t kConfigItemBatchRefused = -200025;

// 0 for any type but a material issue (24). For an issue, walks its configured-item lines (item
// class 7) with their ICOrderBatchTrace row for item, batch and the entry's FBomInterID, and stops
// at the first line without a row (missing-record message) or with a disabled one (FForbid 1,
// disabled-batch message): sMsg becomes that message and the result -200025. The connection comes
// from GetConnection; database errors raise cb::Error.
[[nodiscard]] int32_t CheckConfigItemBatch(frame::ClassFrame& frame, const std::string& sDsn,
                                           int32_t lInterID, int32_t lTranType, std::string& sMsg,
                                           const std::string& sLanguage,
                                           const db::ConnectionPtr& connection);

}  // namespace cb::stock
