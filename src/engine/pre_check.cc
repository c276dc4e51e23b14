// CPreCheck: each public service as one public call.
#include "checkbill/pre_check.h"

#include "engine/engine_components.h"
#include "frame/public_call.h"
#include "precheck/bom_expansion.h"
#include "precheck/price_alert.h"

namespace cb::engine {

CPreCheck::CPreCheck() {
  RegisterEngineComponents();
}

bool CPreCheck::CheckChildExpandToItem(const std::string& sDsn, int32_t ItemID) {
  // False until the walk starts; an error after that leaves the answer reached so far.
  bool result = false;
  return frame::PublicCall(
      frame(),
      [&] {
        precheck::CheckChildExpandToItem(frame(), sDsn, ItemID, result);
        return result;
      },
      [&](const Error&) { return result; });
}

int32_t CPreCheck::DoPriceAlert(const std::string& sDsn, int32_t lngInterID, int32_t lngTranType,
                                VectorPtr& vectReturn, std::string& strReturn) {
  return frame::PublicCallRaising([&] {
    return precheck::DoPriceAlert(frame(), sDsn, lngInterID, lngTranType, vectReturn, strReturn);
  });
}

}  // namespace cb::engine
