// The price alerts on one connection: read the profile, fill the work table, report what is past
// its limit.
#include "precheck/price_alert.h"

#include <initializer_list>
#include <string_view>

#include "frame/messages/messages.h"
#include "frame/vocabulary/return_code.h"
#include "frame/vocabulary/trans_types.h"
#include "precheck/price_alert_report.h"
#include "precheck/price_alert_sql.h"

namespace cb::precheck {
namespace {

constexpr std::string_view kLowPriceTable = "#tmpLowPrice";
constexpr std::string_view kProfileMissing = "系统参数有误!";

// Drops each named table; a table that is not there is no error.
void DropTempTables(frame::ClassFrame& frame, const db::ConnectionPtr& connection,
                    std::initializer_list<std::string_view> tables) {
  for (std::string_view table : tables) frame.DropTempTable("", std::string(table), connection);
}

// The profile value of `key` in the profile recordset; raises when the key is missing.
Variant ProfileValue(db::Recordset& profile, std::string_view key) {
  profile.SetFilter("FKey='" + std::string(key) + "'");
  return profile.Field("FValue");
}

// The alert of one kind (the kind follows from lngTranType).
int32_t RunAlert(frame::ClassFrame& frame, const db::ConnectionPtr& connection, PriceAlertKind kind,
                 int32_t lngInterID, int32_t lngTranType, VectorPtr& vectReturn,
                 std::string& strReturn, std::string_view language) {
  const db::RecordsetPtr profile = connection->Execute(PriceAlertProfileSql(kind));
  if (profile == nullptr || !profile->IsOpen()) {
    strReturn = messages::LoadLocalString(kProfileMissing, language);
    return ToInt(ReturnCode::kFailed);
  }
  PriceDecimals decimals;
  decimals.profile_decimals = ProfileValue(*profile, "SInvoiceDecimal").ToInt32();
  decimals.from_profile = lngTranType == SaleInvoice;
  const bool tax_in_price = ProfileValue(*profile, TaxInPriceKey(kind)).ToBool();

  DropTempTables(frame, connection, {kLowPriceTable});
  connection->Execute(CreateLowPriceTableSql(kind));
  const db::RecordsetPtr lines =
      connection->Execute(PriceAlertBatchSql(lngTranType, lngInterID, tax_in_price));
  if (lines == nullptr || !lines->IsOpen() || lines->RecordCount() <= 0) return 0;
  vectReturn = BuildPriceAlertReport(kind, *lines, decimals, language);
  return ToInt(kind == PriceAlertKind::kSaleLowPrice ? ReturnCode::kQuestion204
                                                     : ReturnCode::kQuestion205);
}

}  // namespace

int32_t DoPriceAlert(frame::ClassFrame& frame, const std::string& sDsn, int32_t lngInterID,
                     int32_t lngTranType, VectorPtr& vectReturn, std::string& strReturn) {
  frame.AttachDsn(sDsn);
  const db::ConnectionPtr connection = frame.data_access_service()->OpenConnection();
  const std::string language = frame.security_info()->UserLanguage();
  if (kPurchaseAlertTypes.Contains(lngTranType)) {
    return RunAlert(frame, connection, PriceAlertKind::kPurchaseHighPrice, lngInterID, lngTranType,
                    vectReturn, strReturn, language);
  }
  if (kSaleAlertTypes.Contains(lngTranType)) {
    return RunAlert(frame, connection, PriceAlertKind::kSaleLowPrice, lngInterID, lngTranType,
                    vectReturn, strReturn, language);
  }
  return 0;
}

}  // namespace cb::precheck
