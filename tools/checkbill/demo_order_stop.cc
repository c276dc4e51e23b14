// The purchase-order stop of the demo tour.
#include "tools/checkbill/demo_order_stop.h"

namespace cb::tool {

namespace {

constexpr int32_t kOrderReceiptID = 1006;
constexpr int32_t kOverReceiptID = 1007;

}  // namespace

void RunPurchaseOrderStop(const OrderStopTour& tour) {
  tour.say(
      "\n9. Purchase order POORD000001 asks for 100 widgets; receipts may go at most 10 percent "
      "past\n"
      "   it. Check receipt WIN000003, made from the order: 90 widgets arrive on the Shop floor.");
  tour.say("    Received on the order before: " + tour.received());
  tour.check_receipt(kOrderReceiptID);
  tour.say("    Received on the order after the check: " + tour.received());
  tour.say(
      "   Then receipt WIN000004 brings 30 more, 120 of 100 in all, past the 10 percent the "
      "widget\n"
      "   may be over-received:");
  tour.check_receipt(kOverReceiptID);
  tour.say("    Received on the order after the refusal: " + tour.received());
}

}  // namespace cb::tool
