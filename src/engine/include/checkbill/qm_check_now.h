// CQMCheckNow: the check of quality-inspection bills. Internal: created directly by the check flow,
// never through the object factory.
#pragma once

#include <cstdint>
#include <string>

#include "checkbill/bill_types.h"
#include "frame/class_frame.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/object.h"

namespace cb::engine {

class CQMCheckNow : public Object, private frame::ClassFrame {
 public:
  // Takes the data-access service and security object (see ClassFrame) and makes sure the engine's
  // components are registered with the object factory.
  CQMCheckNow();

  // How the host's transactions treat the object: always 0 (not a host object).
  int32_t TransMode() const { return static_cast<int32_t>(HostTransactionMode::kNotHostObject); }

  // Writes the results of the inspection bill in DictParamInput back to its inspection request.
  // True with "ReturnCode" 0 on success; false with "ReturnCode" -1 and "ReturnString" = the
  // message of the refused rule or error in DictParamOutPut.
  bool CheckQCBill(DictionaryPtr& DictParamInput, DictionaryPtr& DictParamOutPut);

  // 1 when the inspection request may be unchecked (or lngCheckSwitch is not 1, an uncheck); -1
  // when a line of rsBillBody from its current row on already has an inspection bill, with
  // strReturn set in strLanguage. An error also gives -1 and leaves strReturn as it was. rsBillHead
  // is not read.
  int32_t IsCanUnCheckRequest(db::RecordsetPtr rsBillHead, db::RecordsetPtr rsBillBody,
                              int32_t lngCheckSwitch, std::string& strReturn,
                              const std::string& strLanguage);

 private:
  frame::ClassFrame& frame() { return *this; }
};

}  // namespace cb::engine
