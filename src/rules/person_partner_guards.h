// The guards on who checks a bill and with whom it is made: the same-person rule and the customer
// and supplier a sales or purchase order or notice must name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::rules {

inline constexpr int32_t kSamePersonRefused = -200019;
inline constexpr int32_t kPartnerMissing = -200010;

// A check by the bill's maker (user_id equal to FBillerID, Null read as 0) is refused unless the
// profile's "General|SingleMan" allows it; an uncheck by anybody but the bill's checker
// (FCheckerID, Null read as 0) is refused when "IC|SameUserApprovalAndUnApproval" is on. Both with
// kSamePersonRefused and their text in `message`, which is cleared first.
int32_t CheckSamePerson(const db::Recordset& head, const Dictionary& sys_profile, int32_t user_id,
                        std::string& message, int32_t operate_code, std::string_view language);

// Refuses any operation on a sales order or notice (81, 82, 83) without a customer (FCustID Null
// or below 1) with kPartnerMissing.
int32_t CheckCustomer(const db::Recordset& head, std::string& message, std::string_view language);

// Refuses any operation on a purchase order or notice (71, 72, 73) without a supplier (FSupplyID
// Null or below 1) with kPartnerMissing.
int32_t CheckSupplier(const db::Recordset& head, std::string& message, std::string_view language);

}  // namespace cb::rules
