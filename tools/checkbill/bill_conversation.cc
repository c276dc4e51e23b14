// Building bill requests and answering the engine's questions the way the suite's screens do.
#include "tools/checkbill/bill_conversation.h"

#include <memory>

#include "checkbill/codes.h"
#include "checkbill/values.h"

namespace cb::tool {

namespace {

bool IsSet(const Dictionary& result, std::string_view key) {
  const Variant value = result.ReadOr(key, Variant(0));
  return value.IsNumeric() && value.ToInt32() != 0;
}

}  // namespace

DictionaryPtr BuildRequest(const BillRequest& request) {
  auto params = Dictionary::Create();
  params->Write(kKeyInterID, request.inter_id);
  params->Write(kKeyTransType, request.tran_type);
  params->Write(kKeyCheckSwitch, 0);
  params->Write(kKeyOperateType, 0);
  params->Write(kKeyReCheck, 0);
  params->Write(kKeyCheckDate, request.check_date);
  params->Write(kKeyOperateCode, ToInt(request.operate_code));
  params->Write(kKeyPropString, request.dsn);
  params->Write(kKeyCheckerID, request.checker_id);
  return params;
}

bool IsQuestionCode(int32_t code) {
  return ConsentBit(code) != 0;
}

bool IsSuccessCode(int32_t code) {
  return code == ToInt(ReturnCode::kSuccess) || code == ToInt(ReturnCode::kMultiLevelRecorded);
}

bool IsErrorExit(const Dictionary& result) {
  return result.ReadOr(kOutReturnCode, Variant(0)).ToInt32() == ToInt(ReturnCode::kFailed) &&
         !result.Exists(kOutReturnString2);
}

int32_t ConsentBit(int32_t code) {
  switch (static_cast<ReturnCode>(code)) {
    case ReturnCode::kQuestion1:
      return kReCheckNegativeAccepted;
    case ReturnCode::kQuestion2:
      return kReCheckStockWarn;
    case ReturnCode::kQuestionReleaseLock1:
    case ReturnCode::kQuestionReleaseLock2:
      return kReCheckLockStock;
    case ReturnCode::kQuestion204:
    case ReturnCode::kQuestion205:
      return kReCheckPriceAlert;
    default:
      return 0;
  }
}

bool AddConsent(const Dictionary& result, Dictionary& request) {
  std::string_view yes_key;
  if (IsSet(result, kResultShowUnderTip)) {
    yes_key = kKeyYesWhenUnderTip;
  } else if (IsSet(result, kResultShowStockWarnTip)) {
    yes_key = kKeyYesWhenStockWarnTip;
  }
  if (!yes_key.empty()) {
    if (request.Exists(yes_key)) return false;
    request.Write(yes_key, 1);
  } else {
    const int32_t bit = ConsentBit(result.ReadOr(kOutReturnCode, Variant(0)).ToInt32());
    const int32_t recheck = request.ReadOr(kKeyReCheck, Variant(0)).ToInt32();
    if (bit == 0 || (recheck & bit) != 0) return false;
    request.Write(kKeyReCheck, recheck | bit);
  }
  const Variant rows = result.ReadOr(kOutVectDeleteItem, Variant());
  if (rows.IsObject() && rows.ToObject() != nullptr) {
    request.Write(kKeyVectDeleteItem, rows);
  } else {
    request.Remove(kKeyVectDeleteItem);
  }
  return true;
}

DictionaryPtr RunConversation(Dictionary& request, const CheckBillCall& check_bill,
                              const AskUser& ask) {
  DictionaryPtr params;
  for (int call = 1; call <= kMaxCalls; ++call) {
    params = std::make_shared<Dictionary>(request);
    check_bill(params);
    const int32_t code = params->ReadOr(kOutReturnCode, Variant(-1)).ToInt32();
    if (!IsQuestionCode(code) || call == kMaxCalls) break;
    if (!ask(params->ReadOr(kOutReturnString2, Variant("")).ToString())) break;
    if (!AddConsent(*params, request)) break;
  }
  return params;
}

}  // namespace cb::tool
