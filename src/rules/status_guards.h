// The voided-bill guard and the bill-status guard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/recordset.h"

namespace cb::rules {

inline constexpr int32_t kBillVoided = -200004;
inline constexpr int32_t kBillStatusRefused = -200005;
inline constexpr int32_t kBillAffirmed = -200007;
inline constexpr int32_t kBillStockLocked = -200008;
inline constexpr int32_t kGeneratedAdjustment = -200016;

// Refuses every operation on a voided bill (head FCancelLation true) with kBillVoided.
int32_t CheckCancelled(const db::Recordset& head, int32_t operate_code, std::string& message,
                       std::string_view language);

// Refuses a check of a checked or closed bill, an uncheck of a bill that is not checked, executed
// or closed, an uncheck, delete or void of a sales order holding locked stock, an uncheck of an
// order affirmed by distribution, and an uncheck of a generated amount-adjustment bill. Moves the
// entry recordset: it stands on the locked row, or at its end when none was found.
int32_t CheckBillStatus(const db::Recordset& head, db::Recordset& entries, int32_t operate_code,
                        std::string& message, std::string_view language);

}  // namespace cb::rules
