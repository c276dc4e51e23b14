// The price alerts: the lines of a sales bill below their lowest sales price, or of a purchase bill
// above their highest purchase price, reported for the caller to show.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/variant/vector.h"

namespace cb::precheck {

// Attaches the frame to sDsn and checks the bill: for the purchase types 71, 75 and 76 against the
// highest purchase price (-205 when a line is above it), for the sales types 80, 81 and 86 against
// the lowest sales price (-204 when a line is below it). On -204 and -205 vectReturn is replaced by
// the report; -1 with strReturn "系统参数有误!" when the profile read yields no recordset; 0
// otherwise (every other type too), leaving both arguments as they were. Database and run-time
// errors reach the caller.
int32_t DoPriceAlert(frame::ClassFrame& frame, const std::string& sDsn, int32_t lngInterID,
                     int32_t lngTranType, VectorPtr& vectReturn, std::string& strReturn);

}  // namespace cb::precheck
