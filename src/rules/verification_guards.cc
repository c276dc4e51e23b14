// The uncheck guards of orders and invoices: an order affirmed by distribution, an invoice partly
// or fully verified.
#include <optional>

#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "rules/guard_reads.h"
#include "rules/uncheck_guards.h"

namespace cb::rules {
namespace {

constexpr std::string_view kPurchaseOrderAffirm =
    "SELECT ISNULL(FOrderAffirm,0) AS FOrderAffirm FROM POOrder WHERE FInterID=##Bill##";
constexpr std::string_view kSaleOrderAffirm =
    "SELECT ISNULL(FOrderAffirm,0) AS FOrderAffirm FROM SEOrder WHERE FInterID=##Bill##";

// Purchase styles above this one are verified against the invoice's purchase amount.
constexpr int32_t kLastUnverifiedPurchaseStyle = 251;
// Sales styles above this one are verified against the invoice amount.
constexpr int32_t kLastUnverifiedSaleStyle = 100;

constexpr int32_t kFullyVerified = 1;
constexpr int32_t kPartlyVerified = 2;

// The total an invoice's verified amount is compared with, when its style is verified at all.
std::optional<Decimal> VerifiedTotal(const db::Recordset& head, int32_t tran_type) {
  if (tran_type == PurchaseInvoice || tran_type == PurchaseNormalInv) {
    if (IntOrZero(head, "FPOStyle") <= kLastUnverifiedPurchaseStyle) return std::nullopt;
    return DecimalOrZero(head, "FPurchaseAmountFor");
  }
  if (tran_type == SaleInvoice || tran_type == SaleNormalInv) {
    if (IntOrZero(head, "FSaleStyle") <= kLastUnverifiedSaleStyle) return std::nullopt;
    return DecimalOrZero(head, "FInvoiceAmountFor");
  }
  return std::nullopt;
}

}  // namespace

int32_t CheckOrderAffirm(frame::ClassFrame& frame, const std::string& sDsn,
                         const db::Recordset& head, int32_t operate_code, std::string& message,
                         std::string_view language, const db::ConnectionPtr& connection) {
  if (!Is(operate_code, OperateCode::kUnCheck)) return 0;
  const int32_t tran_type = IntOrZero(head, "FTranType");
  if (tran_type != PurchaseOrder && tran_type != SaleOrder) return 0;
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  const std::string_view statement =
      tran_type == PurchaseOrder ? kPurchaseOrderAffirm : kSaleOrderAffirm;
  const db::RecordsetPtr order = conn->Execute(
      frame::SqlTemplate(statement).Number("Bill", IntOrZero(head, "FInterID")).Sql());
  if (order == nullptr || !order->IsOpen() || order->Eof()) {
    return Refuse(messages::FormatString("单据[%1]不存在!", language, {head.Field("FBillNo")}),
                  kSourceMissingOrAssembled, message);
  }
  if (IntOrZero(*order, "FOrderAffirm") != 1) return 0;
  return Refuse(messages::FormatString("单据[%1]已被分销确认，不能反审核!", language,
                                       {head.Field("FBillNo")}),
                kAffirmedOrVerified, message);
}

int32_t CheckInvoiceVerified(const db::Recordset& head, int32_t operate_code, std::string& message,
                             std::string_view language) {
  if (!Is(operate_code, OperateCode::kUnCheck)) return 0;
  const std::optional<Decimal> total = VerifiedTotal(head, IntOrZero(head, "FTranType"));
  if (!total) return 0;
  const int32_t state = IntOrZero(head, "FCheckStatus");
  const Decimal verified = DecimalOrZero(head, "FCheckAmountFor");
  const bool some_verified = !verified.IsZero() && !verified.IsNegative();
  const bool equals_total = verified.units() == total->units();
  if (state == kPartlyVerified && some_verified && !equals_total) {
    return Refuse(messages::FormatString("单据[%1]已被部分核销，不能反审核!", language,
                                         {head.Field("FBillNo")}),
                  kAffirmedOrVerified, message);
  }
  if (state == kFullyVerified && some_verified && equals_total) {
    return Refuse(messages::FormatString("单据[%1]已被完全核销，不能反审核!", language,
                                         {head.Field("FBillNo")}),
                  kAffirmedOrVerified, message);
  }
  return 0;
}

}  // namespace cb::rules
