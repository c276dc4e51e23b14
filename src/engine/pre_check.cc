// CPreCheck: each public service as one public call.
#include "checkbill/pre_check.h"

#include "engine/engine_components.h"
#include "frame/not_available.h"
#include "frame/public_call.h"

namespace cb::engine {

CPreCheck::CPreCheck() {
  RegisterEngineComponents();
}

bool CPreCheck::CheckChildExpandToItem(const std::string& sDsn, int32_t ItemID) {
  return frame::PublicCall(
      frame(),
      [&]() -> bool {
        // The BOM expansion walk comes with the pre-check services.
        static_cast<void>(sDsn);
        static_cast<void>(ItemID);
        frame::RaiseNotAvailable("CPreCheck.CheckChildExpandToItem");
      },
      // An error before the walk has set its result leaves the result False.
      [](const Error&) { return false; });
}

int32_t CPreCheck::DoPriceAlert(const std::string& sDsn, int32_t lngInterID, int32_t lngTranType,
                                VectorPtr& vectReturn, std::string& strReturn) {
  return frame::PublicCallRaising([&]() -> int32_t {
    // The price alerts come with the pre-check services.
    static_cast<void>(sDsn);
    static_cast<void>(lngInterID);
    static_cast<void>(lngTranType);
    static_cast<void>(vectReturn);
    static_cast<void>(strReturn);
    frame::RaiseNotAvailable("CPreCheck.DoPriceAlert");
  });
}

}  // namespace cb::engine
