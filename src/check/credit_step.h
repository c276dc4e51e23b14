// The credit step of CheckBill: the bill's effect on its customer's credit and the credit-limit
// test, through the sales-credit components.
#pragma once

#include <cstdint>
#include <string>

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"
#include "platform/variant/object.h"

namespace cb::check {

// Error number raised (and trapped) when the credit data could not be saved.
inline constexpr int32_t kErrCreditDataNotSaved = 109;
inline constexpr std::string_view kTextCreditDataNotSaved = "信用数据保存失败，错误原因：";

// Builds the credit request ("sDsn", "BillSource" 0, "TranType", "FInterID", "ActType" 5,
// "DoSwitch" 1 for a check and 0 otherwise), adjusts the customer's credit data through
// "VellMSaleCredit.clsSetData", then asks "VellMSaleCredit.clsGetData" whether the credit allows
// the bill, unless lReCheck has bit 512 (the user accepted the overrun): then the answer is true
// without asking. Votes VoteCommit and answers the result. Never raises: any error (a component
// that is missing or of the wrong kind, a failed adjustment) votes VoteAbort and answers false.
// credit_info receives what the credit test filled in.
[[nodiscard]] bool RunCreditControl(frame::ClassFrame& frame, const std::string& sDsn,
                                    int32_t lOperateCode, int32_t lTranType, int32_t lInterID,
                                    int32_t lReCheck, const std::string& sLanguage,
                                    ObjectPtr& credit_info);

// For a check or an uncheck, runs RunCreditControl for the bill. A refusal sets lRet to 512, puts
// "信用超支，操作不成功!" in place of sMsg, adds the credit information to the item information and
// stores that Vector in DictParams under "vctItemInfo"; answers kRefuse. Other operations
// pass.
[[nodiscard]] StepResult RunCreditStep(frame::ClassFrame& frame, CallState& state,
                                       CheckOutcome& outcome);

}  // namespace cb::check
