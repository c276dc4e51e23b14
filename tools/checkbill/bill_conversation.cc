// Building bill requests and answering the engine's questions the way the suite's screens do.
#include "tools/checkbill/bill_conversation.h"

#include <memory>

#include "checkbill/codes.h"
#include "checkbill/values.h"

namespace cb::tool {

namespace {

bool IsSet(const Dictionary& result, const char* key) {
  const Variant value = result.ReadOr(key, Variant(0));
  return value.IsNumeric() && value.ToInt32() != 0;
}

}  // namespace

DictionaryPtr BuildRequest(const BillRequest& request) {
  auto params = Dictionary::Create();
  params->Write("InterID", request.inter_id);
  params->Write("TransType", request.tran_type);
  params->Write("CheckSwitch", 0);
  params->Write("OperateType", 0);
  params->Write("ReCheck", 0);
  params->Write("CheckDate", request.check_date);
  params->Write("OperateCode", static_cast<int32_t>(request.operate_code));
  params->Write("PropString", request.dsn);
  params->Write("CheckerID", request.checker_id);
  return params;
}

bool IsQuestionCode(int32_t code) {
  return ConsentBit(code) != 0;
}

bool IsSuccessCode(int32_t code) {
  using check::ReturnCode;
  return code == ToInt(ReturnCode::kSuccess) || code == ToInt(ReturnCode::kMultiLevelRecorded);
}

int32_t ConsentBit(int32_t code) {
  using check::ReturnCode;
  switch (static_cast<ReturnCode>(code)) {
    case ReturnCode::kQuestion1:
      return 1;  // the stock check's own confirmation bit
    case ReturnCode::kQuestion2:
      return check::kReCheckStockWarn;
    case ReturnCode::kQuestionReleaseLock1:
    case ReturnCode::kQuestionReleaseLock2:
      return check::kReCheckLockStock;
    case ReturnCode::kQuestion204:
    case ReturnCode::kQuestion205:
      return check::kReCheckPriceAlert;
    default:
      return 0;
  }
}

bool AddConsent(const Dictionary& result, Dictionary& request) {
  const char* yes_key = nullptr;
  if (IsSet(result, "ShowUnderTip")) {
    yes_key = "YesWhenUnderTip";
  } else if (IsSet(result, "ShowStockWarnTip")) {
    yes_key = "YesWhenStockWarnTip";
  }
  if (yes_key != nullptr) {
    if (request.Exists(yes_key)) return false;
    request.Write(yes_key, 1);
  } else {
    const int32_t bit = ConsentBit(result.ReadOr("ReturnCode", Variant(0)).ToInt32());
    const int32_t recheck = request.ReadOr("ReCheck", Variant(0)).ToInt32();
    if (bit == 0 || (recheck & bit) != 0) return false;
    request.Write("ReCheck", recheck | bit);
  }
  const Variant rows = result.ReadOr("vectDeleteItem", Variant());
  if (rows.IsObject() && rows.ToObject() != nullptr) {
    request.Write("vectDeleteItem", rows);
  } else {
    request.Remove("vectDeleteItem");
  }
  return true;
}

DictionaryPtr RunConversation(Dictionary& request, const CheckBillCall& check_bill,
                              const AskUser& ask) {
  DictionaryPtr params;
  for (int call = 1; call <= kMaxCalls; ++call) {
    params = std::make_shared<Dictionary>(request);
    check_bill(params);
    const int32_t code = params->ReadOr("ReturnCode", Variant(-1)).ToInt32();
    if (!IsQuestionCode(code) || call == kMaxCalls) break;
    if (!ask(params->ReadOr("ReturnString2", Variant("")).ToString())) break;
    if (!AddConsent(*params, request)) break;
  }
  return params;
}

}  // namespace cb::tool
