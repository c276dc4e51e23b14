// The price-alert guard, which reaches the pre-check component late-bound, by its ProgID.
#include "rules/price_alert_guard.h"

#include <memory>

#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/object_factory.h"
#include "platform/variant/error.h"
#include "precheck/price_alert_service.h"

namespace cb::rules {
namespace {

// The platform's number for an object that lacks the method called on it.
constexpr int32_t kErrMethodNotSupported = 438;

bool AlertWanted(int32_t tran_type, const Dictionary& sys_profile, int32_t operate_code) {
  if (!Is(operate_code, OperateCode::kCheck)) return false;
  if (kPurchaseAlertTypes.Contains(tran_type)) {
    return ProfileSwitch(sys_profile, kProfileAlertPOMaxPrice) &&
           ProfileSwitch(sys_profile, kProfileAlertHighPriceWhenCheck);
  }
  if (kSaleAlertTypes.Contains(tran_type)) {
    return ProfileSwitch(sys_profile, kProfileAlertSELowPrice) &&
           ProfileSwitch(sys_profile, kProfileAlertSELowPriceWhenCheck);
  }
  return false;
}

std::shared_ptr<precheck::PriceAlertService> CreatePreCheck() {
  auto service = std::dynamic_pointer_cast<precheck::PriceAlertService>(
      services::ObjectFactory::Current().CreateComponent(precheck::kPreCheckProgID));
  if (service == nullptr) {
    throw Error(kErrMethodNotSupported, std::string(precheck::kPreCheckProgID),
                "Object doesn't support this property or method");
  }
  return service;
}

}  // namespace

int32_t TriggerPriceAlert(const std::string& sDsn, const db::Recordset& head,
                          const Dictionary& sys_profile, int32_t operate_code,
                          VectorPtr& alert_list, std::string& message) {
  const int32_t inter_id = head.Field("FInterID").ToInt32();
  const int32_t tran_type = head.Field("FTranType").ToInt32();
  message.clear();
  if (!AlertWanted(tran_type, sys_profile, operate_code)) return 0;
  const std::shared_ptr<precheck::PriceAlertService> pre_check = CreatePreCheck();
  alert_list = Vector::Create();
  return pre_check->DoPriceAlert(sDsn, inter_id, tran_type, alert_list, message);
}

}  // namespace cb::rules
