// The check that an item's active bill of materials expands without coming back to an item already
// on its way down.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"

namespace cb::precheck {

// Attaches the frame to sDsn, votes commit and walks the active BOM of ItemID depth first through
// its components of item class 2 or 9, recording every step in the work table #TmpICBOM. `result`
// is set to true once the walk starts and to false when it reaches an item already on its path; it
// holds the answer reached so far when an error ends the walk (the error then reaches the caller).
// The work table is dropped on every way out.
void CheckChildExpandToItem(frame::ClassFrame& frame, const std::string& sDsn, int32_t ItemID,
                            bool& result);

}  // namespace cb::precheck
