// CheckConfigItemBatch.
#include "stock/configured_batch_check.h"

#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/trans_types.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kConfiguredLines =
    "SELECT t1.FName,t1.FNumber,u1.FBatchNo,t2.FForbid\r\n"
    "FROM ICStockBillEntry u1 \r\n"
    "INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID \r\n"
    "LEFT JOIN ICOrderBatchTrace t2 ON u1.FItemID=t2.FItemID AND u1.FBatchNo=t2.FBatchNo AND "
    "u1.FBomInterID=t2.FCustBOMID\r\n"
    "WHERE u1.FInterID=##Bill## AND t1.FErpClsID=7 ";
constexpr std::string_view kMissingRecord =
    "配置类物料物料[%1]代码[%2]批次[%3]在批次跟踪表中找不到对应记录，不能更新库存!";
constexpr std::string_view kDisabledBatch =
    "配置类物料物料[%1]代码[%2]批次[%3]在批次跟踪表中已被禁用，不能更新库存!";
constexpr int32_t kForbidden = 1;

}  // namespace

int32_t CheckConfigItemBatch(frame::ClassFrame& frame, const std::string& sDsn, int32_t lInterID,
                             int32_t lTranType, std::string& sMsg, const std::string& sLanguage,
                             const db::ConnectionPtr& connection) {
  if (lTranType != GetMaterial) return 0;
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  db::RecordsetPtr rows =
      conn->Execute(frame::SqlTemplate(kConfiguredLines).Number("Bill", lInterID).Sql());
  for (; !rows->Eof(); rows->MoveNext()) {
    const Variant forbid = rows->Field("FForbid");
    // A Null FForbid is a line the join found no trace row for.
    const bool missing = forbid.IsNull();
    if (!missing && forbid.ToInt32() != kForbidden) continue;
    sMsg = messages::FormatString(
        missing ? kMissingRecord : kDisabledBatch, sLanguage,
        {FieldText(*rows, "FName"), FieldText(*rows, "FNumber"), FieldText(*rows, "FBatchNo")});
    return kConfigItemBatchRefused;
  }
  return 0;
}

}  // namespace cb::stock
