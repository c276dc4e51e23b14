// CPreCheck: the services screens call before a check — price alerts and the BOM expansion check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "checkbill/bill_types.h"
#include "frame/class_frame.h"
#include "platform/variant/object.h"
#include "platform/variant/vector.h"
#include "precheck/price_alert_service.h"

namespace cb::engine {

// ProgID under which the object factory creates a CPreCheck (the price-alert guard reaches it so).
inline constexpr std::string_view kPreCheckProgID = precheck::kPreCheckProgID;

class CPreCheck : public precheck::PriceAlertService, private frame::ClassFrame {
 public:
  // Takes the data-access service and security object (see ClassFrame) and makes sure the engine's
  // components are registered with the object factory.
  CPreCheck();

  // How the host's transactions treat the object: always 3 (uses the caller's transaction).
  int32_t TransMode() const { return static_cast<int32_t>(HostTransactionMode::kUsesTransaction); }

  // True when the active bills of materials below ItemID expand without reaching an item already on
  // their path (also when the item has none); false when a loop is found or the call fails before
  // the walk starts.
  bool CheckChildExpandToItem(const std::string& sDsn, int32_t ItemID);

  // Reports the lines of the bill that break the lowest sales price or the highest purchase price
  // into vectReturn, with a code and strReturn. Errors reach the caller, whose own error handling
  // reports them.
  int32_t DoPriceAlert(const std::string& sDsn, int32_t lngInterID, int32_t lngTranType,
                       VectorPtr& vectReturn, std::string& strReturn) override;

 private:
  frame::ClassFrame& frame() { return *this; }
};

}  // namespace cb::engine
