// Direction factor by transaction type and operation.
#include "stock/qty_direction.h"

#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"

namespace cb::stock {

int32_t GetQtyDirection(int32_t lTranType, int32_t lOperateCode) {
  const bool forward = Is(lOperateCode, OperateCode::kCheck) ||
                       Is(lOperateCode, OperateCode::kSave) ||
                       Is(lOperateCode, OperateCode::kRestore);
  const bool outbound = kOutboundStockTypes.Contains(lTranType);
  return forward != outbound ? 1 : -1;
}

}  // namespace cb::stock
