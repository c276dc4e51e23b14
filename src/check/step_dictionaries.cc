// Builds dictHook, dictStepParams and dictResult with their exact keys and order.
#include "check/step_dictionaries.h"

#include "frame/vocabulary/profile_keys.h"
#include "platform/variant/error.h"
#include "platform/variant/vector.h"

namespace cb::check {

DictionaryPtr BuildHookDictionary(const CheckRequest& request, const db::RecordsetPtr& rsBillHead) {
  DictionaryPtr hook = Dictionary::Create();
  hook->Write(kHookDsn, Variant(request.PropString));
  hook->Write(kHookOperateCode, Variant(request.OperateCode));
  hook->Write(kHookInterID, Variant(request.InterID));
  hook->Write(kHookTranType, Variant(request.TransType));
  const bool has_rob = rsBillHead != nullptr && rsBillHead->HasField("FROB");
  hook->Write(kHookROB, has_rob ? rsBillHead->Field("FROB") : Variant(int32_t{0}));
  return hook;
}

DictionaryPtr BuildStepParams(const CheckRequest& request, const StepContext& context,
                              const Dictionary& DictParams) {
  DictionaryPtr step = Dictionary::Create();
  step->Write(kStepLanguage, Variant(context.language));
  step->Write(kKeyTransType, Variant(request.TransType));
  step->Write(kKeyInterID, Variant(request.InterID));
  step->Write(kKeyCheckerID, Variant(context.checker_id));
  step->Write(kKeyCheckSwitch, Variant(request.CheckSwitch));
  step->Write(kStepBeforeSystemStartUp, Variant(context.before_system_start_up));
  step->Write(kStepBillHead, Variant(context.bill_head));
  step->Write(kStepBillEntry, Variant(context.bill_entry));
  step->Write(kKeyOperateType, Variant(request.OperateType));
  step->Write(kKeyOperateCode, Variant(request.OperateCode));
  step->Write(kKeyReCheck, Variant(request.ReCheck));
  step->Write(kStepPeriodStart, Variant::Date(context.period_start));
  step->Write(kStepPeriodEnd, Variant::Date(context.period_end));
  step->Write(kKeyCheckDate, Variant::Date(request.CheckDate));
  step->Write(kStepSysProfile, Variant(context.sys_profile));
  step->Write(kKeyVectDeleteItem, Variant(request.vectDeleteItem));
  step->Write(kKeyPropString, Variant(request.PropString));
  for (std::string_view key : {kKeyYesWhenUnderTip, kKeyYesWhenStockWarnTip}) {
    if (DictParams.Exists(key)) step->Write(key, DictParams.Read(key));
  }
  return step;
}

DictionaryPtr NewStepResult() {
  DictionaryPtr result = Dictionary::Create();
  result->Write(kResultReturnString, Variant(""));
  result->Write(kResultReturnCode, Variant(int32_t{0}));
  result->Write(kResultVectItemInfo, Variant(Vector::Create()));
  result->Write(kResultShowUnderTip, Variant(int32_t{0}));
  result->Write(kResultShowStockWarnTip, Variant(int32_t{0}));
  return result;
}

bool IsBeforeSystemStartUp(const DictionaryPtr& sys_profile, double bill_date,
                           double period_start) {
  if (sys_profile == nullptr) {
    throw Error(kErrObjectRequired, "", "Object required: the system profile holds no switch");
  }
  const bool ic_closed = ProfileSwitch(*sys_profile, kProfileICClosed);
  return !ic_closed && bill_date < period_start;
}

}  // namespace cb::check
