// The period guard: may a bill of this date be checked or unchecked, given the state of the
// system's initialisation and of period closing?
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::rules {

inline constexpr int32_t kPeriodRefused = -200003;

// Reads the head's FDate and FTranType and the profile switches IC|ICClosed, IC|BillStatus and
// IC|IsOkToModAfterClose (missing keys read as false). Returns 0, or kPeriodRefused with `message`
// set to the localised refusal. `period_start` and `period_end` are day numbers of the current
// period. Errors (a missing field, a switch that is not a boolean) are raised to the caller.
int32_t CheckPeriod(const db::Recordset& head, const Dictionary& profile, double period_start,
                    double period_end, const std::string& operation_name, std::string& message,
                    std::string_view language);

}  // namespace cb::rules
