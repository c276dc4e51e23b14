// The hook and verification guard: a bill matched with invoices (a hook group) or settled by an
// outsourcing verification may not be unchecked.
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "rules/guard_reads.h"
#include "rules/uncheck_guards.h"

namespace cb::rules {
namespace {

constexpr std::string_view kOutsourcingVerifications =
    "SELECT * FROM ICClientVer WHERE FDInterID=##Bill## OR FSInterID=##Bill##";

// The other members of every hook group the bill belongs to; each line ends in CR LF.
constexpr std::string_view kHookGroupMembers =
    "SELECT DISTINCT FHookType,FIBTag,FIBInterID,FIBNo,FEquityHook \r\n"
    "FROM ICHookRelations \r\n"
    "WHERE FGroupNo IN (SELECT DISTINCT FGroupNo FROM ICHookRelations \r\n"
    "                   WHERE FIBInterID=##Bill## AND FTranType=##Type##)\r\n"
    "AND FIBInterID<>##Bill##\r\n";

constexpr std::string_view kStateUnreadable = "判断单据钩稽\\核销状态出错。";

// Which members of a stock bill's hook group are the invoices it is hooked with.
std::string_view InvoiceMemberFilter(int32_t tran_type) {
  return tran_type == PurchaseInStock ? "FIBTag=0 OR FIBTag=2 " : "FIBTag=0";
}

// The refusal for a stock bill hooked with invoices: their numbers, joined by ",".
int32_t RefuseHookedStockBill(db::Recordset& members, int32_t tran_type, std::string& message,
                              std::string_view language) {
  members.SetFilter(InvoiceMemberFilter(tran_type));
  if (members.Eof()) {
    return Refuse(messages::LoadLocalString(kStateUnreadable, language), kHookStateUnreadable,
                  message);
  }
  std::string invoices;
  for (; !members.Eof(); members.MoveNext()) {
    if (!invoices.empty()) invoices += ",";
    invoices += ValueOrEmptyText(members, "FIBNo").ToString();
  }
  return Refuse(
      messages::FormatString("该单据已和发票[%1]钩稽！请先将发票反钩稽，然后才能反审核该单据。",
                             language, {Variant(invoices)}),
      kHookedOrVerified, message);
}

int32_t CheckHookGroup(db::Connection& connection, int32_t bill, int32_t tran_type,
                       std::string& message, std::string_view language) {
  const db::RecordsetPtr members = connection.Execute(
      frame::SqlTemplate(kHookGroupMembers).Number("Bill", bill).Number("Type", tran_type).Sql());
  if (members == nullptr || !members->IsOpen()) {
    return Refuse(messages::LoadLocalString(kStateUnreadable, language), kHookStateUnreadable,
                  message);
  }
  if (members->Eof()) {
    return Refuse(messages::LoadLocalString("单据已钩稽或已核销。", language), kHookStateUnreadable,
                  message);
  }
  if (IntOrZero(*members, "FEquityHook") == 1) {
    return Refuse(messages::FormatString("该单据已和单据[%1]对等核销!", language,
                                         {ValueOrEmptyText(*members, "FIBNo")}),
                  kHookedOrVerified, message);
  }
  if (tran_type == PurchaseInStock || tran_type == ProcessInStock || tran_type == SaleOutStock) {
    return RefuseHookedStockBill(*members, tran_type, message, language);
  }
  if (kInvoiceTypes.Contains(tran_type)) {
    return Refuse(messages::LoadLocalString("当前发票已经钩稽,请先反钩稽再反审核。", language),
                  kHookedOrVerified, message);
  }
  return 0;  // a processing issue (28) may be hooked and still be unchecked
}

}  // namespace

int32_t CheckHookVerify(frame::ClassFrame& frame, const std::string& sDsn,
                        const db::Recordset& head, int32_t operate_code, std::string& message,
                        const db::ConnectionPtr& connection, std::string_view language) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  message.clear();
  if (!Is(operate_code, OperateCode::kUnCheck)) return 0;
  const int32_t tran_type = IntOrZero(head, "FTranType");
  const int32_t bill = IntOrZero(head, "FInterID");

  if (kOutsourcingVerifiedTypes.Contains(tran_type)) {
    const db::RecordsetPtr verifications =
        conn->Execute(frame::SqlTemplate(kOutsourcingVerifications).Number("Bill", bill).Sql());
    if (verifications != nullptr && verifications->IsOpen() && !verifications->Eof()) {
      return Refuse(
          messages::LoadLocalString("当前单据已经进行过委外核销，请先反核销再反审核。", language),
          kHookedOrVerified, message);
    }
  }
  if (kHookedBillTypes.Contains(tran_type) && IntOrZero(head, "FHookInterID") > 0) {
    return CheckHookGroup(*conn, bill, tran_type, message, language);
  }
  return 0;
}

}  // namespace cb::rules
