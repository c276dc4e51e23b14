// The credit step of CheckBill.
#include "check/credit_step.h"

#include <memory>

#include "check/check_result.h"
#include "frame/messages/messages.h"
#include "platform/services/object_factory.h"
#include "platform/services/pending_error.h"
#include "platform/services/sales_credit.h"
#include "platform/variant/error.h"
#include "platform/variant/vector.h"

namespace cb::check {

namespace {

constexpr int32_t kCreditBillSource = 0;
constexpr int32_t kCreditActType = 5;
// The platform's number for an object that lacks the method called on it.
constexpr int32_t kErrMethodNotSupported = 438;
constexpr std::string_view kCreditSource = "VellMCheckBill.CheckNow";

template <typename Component>
std::shared_ptr<Component> CreateCreditComponent(std::string_view prog_id) {
  std::shared_ptr<Component> component = std::dynamic_pointer_cast<Component>(
      services::ObjectFactory::Current().CreateComponent(prog_id));
  if (component == nullptr) {
    throw Error(kErrMethodNotSupported, std::string(prog_id),
                "Object doesn't support this property or method");
  }
  return component;
}

DictionaryPtr BuildCreditRequest(const std::string& sDsn, int32_t lOperateCode, int32_t lTranType,
                                 int32_t lInterID) {
  DictionaryPtr request = Dictionary::Create();
  request->Write(services::kCreditDsn, Variant(sDsn));
  request->Write(services::kCreditBillSource, kCreditBillSource);
  request->Write(services::kCreditTranType, lTranType);
  request->Write(services::kCreditInterID, lInterID);
  request->Write(services::kCreditActType, kCreditActType);
  request->Write(services::kCreditDoSwitch, int32_t{Is(lOperateCode, OperateCode::kCheck) ? 1 : 0});
  return request;
}

}  // namespace

bool RunCreditControl(frame::ClassFrame& frame, const std::string& sDsn, int32_t lOperateCode,
                      int32_t lTranType, int32_t lInterID, int32_t lReCheck,
                      const std::string& sLanguage, ObjectPtr& credit_info) {
  try {
    DictionaryPtr request = BuildCreditRequest(sDsn, lOperateCode, lTranType, lInterID);
    auto set_data =
        CreateCreditComponent<services::SaleCreditSetData>(services::kSaleCreditSetDataProgID);
    if (!set_data->AdjustCredit(request)) {
      throw Error(kErrCreditDataNotSaved, std::string(kCreditSource),
                  messages::LoadLocalString(kTextCreditDataNotSaved, sLanguage) +
                      services::CurrentPendingError().description);
    }
    auto get_data =
        CreateCreditComponent<services::SaleCreditGetData>(services::kSaleCreditGetDataProgID);
    const bool allowed =
        HasAllBits(lReCheck, kReCheckCredit) || get_data->CheckCredit(request, credit_info);
    frame.VoteCommit();
    return allowed;
  } catch (...) {
    // A credit step that cannot finish reads as a refusal: the caller answers it with code 512.
    frame.VoteAbort();
    return false;
  }
}

StepResult RunCreditStep(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  const CheckRequest& request = state.call.request;
  if (!IsCheckOrUnCheck(request.OperateCode)) return StepResult::kGoOn;
  ObjectPtr credit_info;
  if (RunCreditControl(frame, request.PropString, request.OperateCode, request.TransType,
                       request.InterID, request.ReCheck, outcome.language, credit_info)) {
    return StepResult::kGoOn;
  }
  outcome.lRet = ToInt(ReturnCode::kCreditExceeded);
  outcome.sMsg = messages::LoadLocalString(kTextCreditExceeded, outcome.language);
  if (outcome.item_info == nullptr) outcome.item_info = Vector::Create();
  outcome.item_info->Add(Variant(credit_info));
  state.call.DictParams->Write(kOutCreditItemInfo, Variant(outcome.item_info));
  return StepResult::kRefuse;
}

}  // namespace cb::check
