// The statements of the order write-backs, one set per order family (purchase, sales).
#pragma once

#include <string_view>

namespace cb::stock {

// One family's statements. ##Bill## is the stock bill's FInterID, ##W## the write-back factor.
struct OrderWriteBackSql {
  std::string_view write_back;      // adds the bill's quantities to the order lines
  std::string_view negative_lines;  // order lines of the bill whose quantity went below 0
  std::string_view over_limit;      // lines past the item's high limit (switch on)
  std::string_view flag_by_limit;   // FMrpClosed by the item's low limit (switch on)
  std::string_view flag_by_qty;     // FMrpClosed once fully received or delivered (switch off)
  std::string_view close_orders;    // FStatus 3 for orders whose items are all committed
  std::string_view limit_switch;    // the profile switch of the limits
  std::string_view negative_message;
  std::string_view over_limit_message;
};

extern const OrderWriteBackSql kPurchaseOrderSql;
extern const OrderWriteBackSql kSalesOrderSql;

}  // namespace cb::stock
