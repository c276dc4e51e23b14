// The estimated-price guard: a purchase receipt booked at an estimated price is refused whatever
// the operation.
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "platform/variant/error.h"
#include "rules/guard_reads.h"
#include "rules/uncheck_guards.h"

namespace cb::rules {
namespace {

constexpr std::string_view kEstimatedVouchers =
    "SELECT FVchInterID FROM T_MAKEVOUCHTEMP WHERE FSCBillInterID=##Bill##";

}  // namespace

int32_t CheckEstimated(frame::ClassFrame& frame, const std::string& sDsn, const db::Recordset& head,
                       std::string& message, std::string_view language) {
  // This guard is advisory: whatever goes wrong while it looks, the bill passes.
  try {
    const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, nullptr);
    const db::RecordsetPtr vouchers = conn->Execute(
        frame::SqlTemplate(kEstimatedVouchers).Number("Bill", IntOrZero(head, "FInterID")).Sql());
    if (vouchers == nullptr || !vouchers->IsOpen() || vouchers->Eof()) return 0;
    return Refuse(messages::LoadLocalString("该张单据已估价入账!", language),
                  kBookedAtEstimatedPrice, message);
  } catch (const Error&) {
    return 0;
  }
}

}  // namespace cb::rules
