// The purchase-order stop of the demo tour: receipts write their quantities back to the order, and
// one past the order's over-receipt limit is refused.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace cb::tool {

// What the stop needs of the tour.
struct OrderStopTour {
  std::function<void(const std::string&)> say;
  std::function<int32_t(int32_t inter_id)> check_receipt;  // checks a purchase receipt
  std::function<std::string()> received;                   // the order line's received quantity
};

// Checks receipt 1006 (90 of 100 ordered widgets) and then receipt 1007 (30 more), showing the
// order's received quantity before and after each.
void RunPurchaseOrderStop(const OrderStopTour& tour);

}  // namespace cb::tool
