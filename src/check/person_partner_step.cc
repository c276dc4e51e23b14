// The guards on prices, persons and partners, in the order CheckBill runs them.
#include "check/person_partner_step.h"

#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/recheck_bits.h"
#include "rules/person_partner_guards.h"
#include "rules/price_alert_guard.h"

namespace cb::check {

StepResult RunPersonAndPartnerGuards(CallState& state, CheckOutcome& outcome) {
  const CheckRequest& request = state.call.request;
  const db::Recordset& head = *state.bill.head;
  if (!HasAllBits(request.ReCheck, kReCheckPriceAlert)) {
    outcome.lRet = rules::TriggerPriceAlert(request.PropString, head, *state.bill.sys_profile,
                                            request.OperateCode, outcome.item_info, outcome.sMsg);
    if (outcome.lRet < 0) return StepResult::kRefuse;
  }
  if (!IsCheckOrUnCheck(request.OperateCode)) return StepResult::kGoOn;
  outcome.lRet = rules::CheckSamePerson(head, *state.bill.sys_profile, state.call.checker_id,
                                        outcome.sMsg, request.OperateCode, outcome.language);
  if (outcome.lRet < 0) return StepResult::kRefuse;
  outcome.lRet = rules::CheckCustomer(head, outcome.sMsg, outcome.language);
  if (outcome.lRet < 0) return StepResult::kRefuse;
  outcome.lRet = rules::CheckSupplier(head, outcome.sMsg, outcome.language);
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
