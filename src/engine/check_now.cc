// CheckNow: each public service as one public call, with its failure answer in one place.
#include "checkbill/check_now.h"

#include "check/check_bill.h"
#include "engine/engine_components.h"
#include "frame/not_available.h"
#include "frame/profile/period.h"
#include "frame/profile/system_profile.h"
#include "frame/public_call.h"

namespace cb::engine {
namespace {

constexpr int32_t kWriteBackStockProcessFailed = -200027;

}  // namespace

CheckNow::CheckNow() {
  RegisterEngineComponents();
}

int32_t CheckNow::CheckBill(DictionaryPtr& DictParams, Variant& Rs) {
  // The check flow writes every refusal and error after its first step into DictParams itself; what
  // goes wrong before that (no request, a data source that cannot be opened) reaches the caller.
  return frame::PublicCallRaising([&] { return check::CheckBill(frame(), DictParams, Rs); });
}

int32_t CheckNow::CheckBill(DictionaryPtr& DictParams) {
  Variant no_recordset;
  return CheckBill(DictParams, no_recordset);
}

int32_t CheckNow::WriteBackStockProcess(const std::string& sDsn, bool blnUnCheck, int32_t lInterID,
                                        std::string& sReturn, bool bVirtualStock) {
  return frame::PublicCall(
      frame(),
      [&]() -> int32_t {
        // The stock-count write-back comes with the public write-back services.
        static_cast<void>(sDsn);
        static_cast<void>(blnUnCheck);
        static_cast<void>(lInterID);
        static_cast<void>(bVirtualStock);
        frame::RaiseNotAvailable("CheckNow.WriteBackStockProcess");
      },
      [&](const Error& error) {
        sReturn = error.description();
        return kWriteBackStockProcessFailed;
      });
}

bool CheckNow::WriteBackICMrpResult(const std::string& sDsn, int32_t lInterID, int32_t lType,
                                    int32_t lStatus, std::string& sReturn) {
  return frame::PublicCall(
      frame(),
      [&]() -> bool {
        // The requisition write-back comes with the public write-back services.
        static_cast<void>(sDsn);
        static_cast<void>(lInterID);
        static_cast<void>(lType);
        static_cast<void>(lStatus);
        frame::RaiseNotAvailable("CheckNow.WriteBackICMrpResult");
      },
      [&](const Error& error) {
        sReturn = error.description();
        return false;
      });
}

bool CheckNow::CheckEbsarBill(const std::string& strDsn, DictionaryPtr& DictParamIn,
                              DictionaryPtr& DictParamOut) {
  return frame::PublicCall(
      frame(),
      [&]() -> bool {
        // The invoice uncheck test comes with the public write-back services.
        static_cast<void>(strDsn);
        static_cast<void>(DictParamIn);
        frame::RaiseNotAvailable("CheckNow.CheckEbsarBill");
      },
      [&](const Error& error) {
        if (!DictParamOut) DictParamOut = Dictionary::Create();
        DictParamOut->Write("ReturnString", error.description());
        DictParamOut->Write("ReturnCode", int32_t{-1});
        return false;
      });
}

DictionaryPtr CheckNow::GetSystemProfile(const std::string& sDsn,
                                         const db::ConnectionPtr& oConnection) {
  return frame::PublicCallRaising(
      [&] { return profile::GetSystemProfile(frame(), sDsn, oConnection); });
}

bool CheckNow::GetPeriodStartEnd(const std::string& sDsn, DictionaryPtr& dictSysProfile,
                                 int32_t nYear, double& dateStart, double& dateEnd,
                                 bool bGetStartPeriod, const db::ConnectionPtr& oConnection) {
  return frame::PublicCall(
      frame(),
      [&] {
        return profile::GetPeriodStartEnd(frame(), sDsn, dictSysProfile, nYear, dateStart, dateEnd,
                                          bGetStartPeriod, oConnection);
      },
      [](const Error&) { return false; });
}

int32_t CheckNow::UpdateSEOrderBCommitQty(const std::string& sDsn, int32_t InterID) {
  return frame::PublicCallRaising([&]() -> int32_t {
    // The committed-quantity write-back comes with the public write-back services.
    static_cast<void>(sDsn);
    static_cast<void>(InterID);
    frame::RaiseNotAvailable("CheckNow.UpdateSEOrderBCommitQty");
  });
}

}  // namespace cb::engine
