// Direction factor by transaction type and operation.
#include "stock/qty_direction.h"

#include <algorithm>
#include <array>

namespace cb::stock {

namespace {

constexpr std::array<int32_t, 8> kOutboundTypes = {21, 24, 26, 28, 29, 43, 73, 137};

}  // namespace

int32_t GetQtyDirection(int32_t lTranType, int32_t lOperateCode) {
  const bool forward = lOperateCode == 1 || lOperateCode == 4 || lOperateCode == 16;
  const bool outbound =
      std::find(kOutboundTypes.begin(), kOutboundTypes.end(), lTranType) != kOutboundTypes.end();
  return forward != outbound ? 1 : -1;
}

}  // namespace cb::stock
