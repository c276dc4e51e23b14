// The price-alert guard: before a sales or purchase bill is checked, asks the pre-check component
// whether some of its lines are past their price limit.
#pragma once

#include <cstdint>
#include <string>

#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::rules {

// For a check (operate_code 1) of a purchase bill (71, 75, 76) with "IC|AlertPOMaxPrice" and
// "IC|AlertHighPriceWhenCheck" on, or of a sales bill (80, 81, 86) with "IC|AlertSELowPrice" and
// "IC|AlertSELowPriceWhenCheck" on: creates the pre-check component by its ProgID, sets alert_list
// to a new Vector and returns what its DoPriceAlert answers for the head's FInterID and FTranType,
// alert_list and message filled by it. Otherwise returns 0 and leaves alert_list as it is. message
// is cleared first. Errors (the component cannot be created, DoPriceAlert fails) reach the caller.
int32_t TriggerPriceAlert(const std::string& sDsn, const db::Recordset& head,
                          const Dictionary& sys_profile, int32_t operate_code,
                          VectorPtr& alert_list, std::string& message);

}  // namespace cb::rules
