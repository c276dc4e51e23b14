// What the price-alert guard needs of the component it creates by ProgID: its DoPriceAlert.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/variant/object.h"
#include "platform/variant/vector.h"

namespace cb::precheck {

// ProgID under which the object factory creates the pre-check component.
inline constexpr std::string_view kPreCheckProgID = "VellMCheckBill.CPreCheck";

// The late-bound face of the pre-check component, as the check flow calls it.
class PriceAlertService : public Object {
 public:
  // See precheck::DoPriceAlert: the code, the report in vectReturn and a message in strReturn.
  virtual int32_t DoPriceAlert(const std::string& sDsn, int32_t lngInterID, int32_t lngTranType,
                               VectorPtr& vectReturn, std::string& strReturn) = 0;
};

}  // namespace cb::precheck
