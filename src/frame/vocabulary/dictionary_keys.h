// The keys of the dictionaries that cross CheckBill's steps: the caller's request and results
// (DictParams), the handlers' parameters (dictStepParams) and results (dictResult), and the hook
// components' dictHook. Keys are spelled as the callers and handlers spell them.
#pragma once

#include <string_view>

namespace cb {

// Request keys of DictParams.
inline constexpr std::string_view kKeyInterID = "InterID";
inline constexpr std::string_view kKeyTransType = "TransType";
inline constexpr std::string_view kKeyCheckSwitch = "CheckSwitch";
inline constexpr std::string_view kKeyOperateType = "OperateType";
inline constexpr std::string_view kKeyReCheck = "ReCheck";
inline constexpr std::string_view kKeyCheckDate = "CheckDate";
inline constexpr std::string_view kKeyOperateCode = "OperateCode";
inline constexpr std::string_view kKeyPropString = "PropString";
inline constexpr std::string_view kKeyCheckerID = "CheckerID";
inline constexpr std::string_view kKeyVectDeleteItem = "vectDeleteItem";
inline constexpr std::string_view kKeyYesWhenUnderTip = "YesWhenUnderTip";
inline constexpr std::string_view kKeyYesWhenStockWarnTip = "YesWhenStockWarnTip";

// Result keys CheckBill writes to DictParams.
inline constexpr std::string_view kOutReturnCode = "ReturnCode";
inline constexpr std::string_view kOutReturnString = "ReturnString";
inline constexpr std::string_view kOutReturnString2 = "ReturnString2";
inline constexpr std::string_view kOutVectItemInfo = "vectItemInfo";
inline constexpr std::string_view kOutCreditItemInfo = "vctItemInfo";  // the credit refusal's
inline constexpr std::string_view kOutVectDeleteItem = "vectDeleteItem";

// Keys of dictStepParams that are not request keys of the same name.
inline constexpr std::string_view kStepLanguage = "Language";
inline constexpr std::string_view kStepBeforeSystemStartUp = "bBeforeSystemStartUp";
inline constexpr std::string_view kStepBillHead = "rsBillHead";
inline constexpr std::string_view kStepBillEntry = "rsBillEntry";
inline constexpr std::string_view kStepPeriodStart = "datePeriodStart";
inline constexpr std::string_view kStepPeriodEnd = "datePeriodEnd";
inline constexpr std::string_view kStepSysProfile = "DictSysProfile";

// Keys of dictResult.
inline constexpr std::string_view kResultReturnString = "ReturnString";
inline constexpr std::string_view kResultReturnCode = "ReturnCode";
inline constexpr std::string_view kResultVectItemInfo = "VectItemInfo";
inline constexpr std::string_view kResultShowUnderTip = "ShowUnderTip";
inline constexpr std::string_view kResultShowStockWarnTip = "ShowStockWarnTip";
inline constexpr std::string_view kResultVectDeleteItem = "vectDeleteItem";

// Keys of dictHook.
inline constexpr std::string_view kHookDsn = "sDsn";
inline constexpr std::string_view kHookOperateCode = "OperateCode";
inline constexpr std::string_view kHookInterID = "InterID";
inline constexpr std::string_view kHookTranType = "TranType";
inline constexpr std::string_view kHookROB = "ROB";
// Filled by a hook component that refuses.
inline constexpr std::string_view kHookErrCode = "ErrCode";
inline constexpr std::string_view kHookErrSource = "ErrSource";
inline constexpr std::string_view kHookErrDescription = "ErrDescription";

}  // namespace cb
