// The sales-credit components: one records a bill's effect on its customer's credit, the other
// tells whether that credit still allows the bill. A host registers its own under these ProgIDs.
#pragma once

#include <string_view>

#include "platform/variant/dictionary.h"
#include "platform/variant/object.h"

namespace cb::services {

inline constexpr std::string_view kSaleCreditSetDataProgID = "VellMSaleCredit.clsSetData";
inline constexpr std::string_view kSaleCreditGetDataProgID = "VellMSaleCredit.clsGetData";

// Keys of the credit request handed to both components.
inline constexpr std::string_view kCreditDsn = "sDsn";
inline constexpr std::string_view kCreditBillSource = "BillSource";
inline constexpr std::string_view kCreditTranType = "TranType";
inline constexpr std::string_view kCreditInterID = "FInterID";
inline constexpr std::string_view kCreditActType = "ActType";
inline constexpr std::string_view kCreditDoSwitch = "DoSwitch";  // 1 for a check, 0 otherwise

// Records the bill's effect on its customer's credit data.
class SaleCreditSetData : public virtual Object {
 public:
  // True when the customer's credit data was updated for the bill the request names. On false the
  // thread's pending error, when set, says why. The default keeps no credit data and answers true.
  virtual bool AdjustCredit(DictionaryPtr& credit_request);
};

// Tests the customer's credit against the bill.
class SaleCreditGetData : public virtual Object {
 public:
  // True when the customer's credit allows the bill; fills credit_info (may replace it) with what
  // the caller shows the user. The default knows no credit limit: every bill passes and
  // credit_info becomes an empty Dictionary.
  virtual bool CheckCredit(DictionaryPtr& credit_request, ObjectPtr& credit_info);
};

}  // namespace cb::services
