// CheckNow: the bill check and the public services that screens and sibling components call
// directly. This is the header a host includes; it brings the published enumerations and record
// with it.
#pragma once

#include <cstdint>
#include <string>

#include "checkbill/bill_types.h"
#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/object.h"
#include "platform/variant/variant.h"

namespace cb::engine {

// ProgID under which the object factory creates a CheckNow.
inline constexpr std::string_view kCheckNowProgID = "VellMCheckBill.CheckNow";

// Every member traps its own errors and answers with a status, except where a member says that
// errors reach the caller. Instances keep nothing between calls but the data-access service and the
// security object of their frame; one thread uses an instance at a time.
class CheckNow : public Object, private frame::ClassFrame {
 public:
  // Takes the data-access service and security object (see ClassFrame) and makes sure the engine's
  // components are registered with the object factory.
  CheckNow();

  // How the host's transactions treat the object: always 2 (requires a transaction).
  int32_t TransMode() const {
    return static_cast<int32_t>(HostTransactionMode::kRequiresTransaction);
  }

  // Checks, unchecks, saves, deletes, voids or restores the bill that DictParams names. Always 0:
  // the outcome ("ReturnCode", "ReturnString", "ReturnString2" …) travels in DictParams. Only an
  // error before the bill's data source is open (no request, an unusable data source) reaches the
  // caller.
  int32_t CheckBill(DictionaryPtr& DictParams, Variant& Rs);
  int32_t CheckBill(DictionaryPtr& DictParams);

  // Sets the status of the stock-count process the count bill lInterID belongs to. 0 on success;
  // -200027 with sReturn = the error's description on failure.
  int32_t WriteBackStockProcess(const std::string& sDsn, bool blnUnCheck, int32_t lInterID,
                                std::string& sReturn, bool bVirtualStock = false);

  // Runs the stored procedure PORequest2ICMrpResult for a purchase requisition. True on success;
  // false with sReturn = the pending error's description otherwise.
  bool WriteBackICMrpResult(const std::string& sDsn, int32_t lInterID, int32_t lType,
                            int32_t lStatus, std::string& sReturn);

  // True when the invoice DictParamIn names may be unchecked; false with "ReturnCode" -1 and
  // "ReturnString" in DictParamOut otherwise.
  bool CheckEbsarBill(const std::string& strDsn, DictionaryPtr& DictParamIn,
                      DictionaryPtr& DictParamOut);

  // The system-profile switches the engine uses, keyed "category|key"; nullptr when the table holds
  // none. Uses oConnection when given, otherwise the service's second connection. Errors reach the
  // caller.
  DictionaryPtr GetSystemProfile(const std::string& sDsn,
                                 const db::ConnectionPtr& oConnection = nullptr);

  // The first and last day (day numbers) of the current period ("IC|CurrentPeriod") or, with
  // bGetStartPeriod, of the start period ("IC|StartPeriod"). True when both dates were set; false
  // when the profile names no period or the lookup fails. nYear is accepted and not used.
  bool GetPeriodStartEnd(const std::string& sDsn, DictionaryPtr& dictSysProfile, int32_t nYear,
                         double& dateStart, double& dateEnd, bool bGetStartPeriod = false,
                         const db::ConnectionPtr& oConnection = nullptr);

  // Recomputes the committed quantities of the sales-order entries behind production task InterID.
  // 0 on success; errors reach the caller.
  int32_t UpdateSEOrderBCommitQty(const std::string& sDsn, int32_t InterID);

 private:
  frame::ClassFrame& frame() { return *this; }
};

}  // namespace cb::engine
