// Who may check or uncheck a bill, and the partner a bill must name.
#include "rules/person_partner_guards.h"

#include "frame/messages/messages.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/trans_types.h"
#include "rules/guard_reads.h"

namespace cb::rules {

int32_t CheckSamePerson(const db::Recordset& head, const Dictionary& sys_profile, int32_t user_id,
                        std::string& message, int32_t operate_code, std::string_view language) {
  message.clear();
  if (Is(operate_code, OperateCode::kCheck) && !ProfileSwitch(sys_profile, kProfileSingleMan) &&
      user_id == IntOrZero(head, "FBillerID")) {
    return Refuse(
        messages::LoadLocalString("你不能审核该单据,因为你与制单人是同一个人。", language) +
            messages::LoadLocalString("如果要获得本项的权利,请修改相应的系统参数。", language),
        kSamePersonRefused, message);
  }
  if (Is(operate_code, OperateCode::kUnCheck) &&
      ProfileSwitch(sys_profile, kProfileSameUserApprovalAndUnApproval) &&
      user_id != IntOrZero(head, "FCheckerID")) {
    return Refuse(
        messages::LoadLocalString("你不能反审核该单据，因为你与审核人不是同一个人。", language),
        kSamePersonRefused, message);
  }
  return 0;
}

int32_t CheckCustomer(const db::Recordset& head, std::string& message, std::string_view language) {
  if (kCustomerBillTypes.Contains(IntOrZero(head, "FTranType")) && IntOrZero(head, "FCustID") < 1) {
    return Refuse(messages::LoadLocalString("当前单据没有客户，不能进行审核。", language),
                  kPartnerMissing, message);
  }
  return 0;
}

int32_t CheckSupplier(const db::Recordset& head, std::string& message, std::string_view language) {
  if (kSupplierBillTypes.Contains(IntOrZero(head, "FTranType")) &&
      IntOrZero(head, "FSupplyID") < 1) {
    return Refuse(messages::LoadLocalString("当前单据没有供应商，不能进行审核。", language),
                  kPartnerMissing, message);
  }
  return 0;
}

}  // namespace cb::rules
