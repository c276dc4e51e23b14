// The uncheck guards in CheckBill's order.
#include "check/uncheck_steps.h"

#include <functional>

#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "rules/guard_reads.h"
#include "rules/uncheck_guards.h"

namespace cb::check {

StepResult RunUncheckGuards(frame::ClassFrame& frame, const CallState& state,
                            CheckOutcome& outcome) {
  const int32_t operation = state.call.request.OperateCode;
  if (!IsCheckOrUnCheck(operation)) return StepResult::kGoOn;
  const std::string& dsn = state.call.request.PropString;
  const db::ConnectionPtr& connection = state.call.connection;
  const db::Recordset& head = *state.bill.head;
  std::string& message = outcome.sMsg;
  const std::string& language = outcome.language;
  // A type without an entry table has no lines for the assembly guard to look at.
  db::Recordset no_entries;
  db::Recordset& entries = state.bill.entry ? *state.bill.entry : no_entries;

  const std::function<int32_t()> guards[] = {
      [&] { return rules::CheckBackflush(head, message, language); },
      [&] { return rules::CheckLinked(head, operation, message, language); },
      [&] { return rules::CheckSplit(head, operation, message, language); },
      [&] { return rules::CheckVouchered(head, operation, message, language); },
      [&] {
        return rules::CheckHookVerify(frame, dsn, head, operation, message, connection, language);
      },
      [&] {
        return rules::CheckOrderAffirm(frame, dsn, head, operation, message, language, connection);
      },
      [&] { return rules::CheckInvoiceVerified(head, operation, message, language); },
      [&] {
        return rules::CheckAssembly(frame, dsn, head, entries, operation, message, language,
                                    connection);
      },
  };
  for (const std::function<int32_t()>& guard : guards) {
    outcome.lRet = guard();
    if (outcome.lRet < 0) return StepResult::kRefuse;
  }
  return StepResult::kGoOn;
}

StepResult RunEstimatedGuard(frame::ClassFrame& frame, const CallState& state,
                             CheckOutcome& outcome) {
  if (rules::IntOrZero(*state.bill.head, "FTranType") != PurchaseInStock) {
    return StepResult::kGoOn;
  }
  outcome.lRet = rules::CheckEstimated(frame, state.call.request.PropString, *state.bill.head,
                                       outcome.sMsg, outcome.language);
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
