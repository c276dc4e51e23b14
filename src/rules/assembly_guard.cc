// The assembly guard: an other receipt or issue made from an assembly or disassembly bill may not
// be unchecked while that bill stands.
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "rules/guard_reads.h"
#include "rules/uncheck_guards.h"

namespace cb::rules {
namespace {

// Class types of assembly and disassembly bills, as stock-bill lines name their source.
constexpr int32_t kAssemblyClassType = 1007000;
constexpr int32_t kDisassemblyClassType = 1007001;

constexpr std::string_view kChangeBillStatus =
    "SELECT ISNULL(FStatus ,0) as FStatus FROM ICChange WHERE FID=##Source## and "
    "FClassTypeID=##ClassType##";

constexpr int32_t kChangeBillStands = 1;

}  // namespace

int32_t CheckAssembly(frame::ClassFrame& frame, const std::string& sDsn, const db::Recordset& head,
                      db::Recordset& entries, int32_t operate_code, std::string& message,
                      std::string_view language, const db::ConnectionPtr& connection) {
  if (!kAssemblyLinkedTypes.Contains(IntOrZero(head, "FTranType")) ||
      !Is(operate_code, OperateCode::kUnCheck)) {
    return 0;
  }
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  // The first line tells where the bill comes from; a bill without lines is an error here.
  if (entries.RecordCount() > 0) entries.MoveFirst();
  const int32_t source_type = IntOrZero(entries, "FsourceTrantype");
  const int32_t source_bill = IntOrZero(entries, "FSourceInterID");
  const Variant source_bill_no = ValueOrEmptyText(entries, "FSourceBillNo");
  if (source_type != kAssemblyClassType && source_type != kDisassemblyClassType) return 0;

  const db::RecordsetPtr change = conn->Execute(frame::SqlTemplate(kChangeBillStatus)
                                                    .Number("Source", source_bill)
                                                    .Number("ClassType", source_type)
                                                    .Sql());
  if (change == nullptr || !change->IsOpen() || change->Eof()) {
    return Refuse(messages::FormatString("单据[%1]不存在!", language, {source_bill_no}),
                  kSourceMissingOrAssembled, message);
  }
  if (IntOrZero(*change, "FStatus") != kChangeBillStands) return 0;
  return Refuse(
      messages::FormatString("单据[%1]关联了组装拆卸单!", language, {head.Field("FBillNo")}),
      kSourceMissingOrAssembled, message);
}

}  // namespace cb::rules
