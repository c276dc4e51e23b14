// The direction factor: whether an operation on a bill of a transaction type adds stock (+1) or
// takes it away (-1).
#pragma once

#include <cstdint>

namespace cb::stock {

// +1 or -1. Outbound types (21, 24, 26, 28, 29, 43, 73, 137) give -1 for check (1), save (4) and
// un-void (16) and +1 for every other operation; all other types the opposite. The bill's red/blue
// flag plays no part.
[[nodiscard]] int32_t GetQtyDirection(int32_t lTranType, int32_t lOperateCode);

}  // namespace cb::stock
