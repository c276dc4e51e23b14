// CQMCheckNow: each public member as one public call.
#include "checkbill/qm_check_now.h"

#include "engine/engine_components.h"
#include "frame/not_available.h"
#include "frame/public_call.h"

namespace cb::engine {

CQMCheckNow::CQMCheckNow() {
  RegisterEngineComponents();
}

bool CQMCheckNow::CheckQCBill(DictionaryPtr& DictParamInput, DictionaryPtr& DictParamOutPut) {
  return frame::PublicCall(
      frame(),
      [&]() -> bool {
        // The inspection write-backs come with the quality-inspection checks.
        static_cast<void>(DictParamInput);
        frame::RaiseNotAvailable("CQMCheckNow.CheckQCBill");
      },
      [&](const Error& error) {
        if (!DictParamOutPut) DictParamOutPut = Dictionary::Create();
        DictParamOutPut->Write("ReturnCode", int32_t{-1});
        DictParamOutPut->Write("ReturnString", error.description());
        DictParamOutPut->Write("vectItemInfo", Variant());
        return false;
      });
}

int32_t CQMCheckNow::IsCanUnCheckRequest(db::RecordsetPtr rsBillHead, db::RecordsetPtr rsBillBody,
                                         int32_t lngCheckSwitch, std::string& strReturn,
                                         const std::string& strLanguage) {
  return frame::PublicCall(
      frame(),
      [&]() -> int32_t {
        // The request uncheck rule comes with the quality-inspection checks.
        static_cast<void>(rsBillHead);
        static_cast<void>(rsBillBody);
        static_cast<void>(lngCheckSwitch);
        static_cast<void>(strLanguage);
        static_cast<void>(strReturn);
        frame::RaiseNotAvailable("CQMCheckNow.IsCanUnCheckRequest");
      },
      // strReturn is left as it was: the caller receives a refusal without a message.
      [](const Error&) { return int32_t{-1}; });
}

}  // namespace cb::engine
