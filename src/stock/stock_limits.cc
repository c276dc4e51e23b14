// CheckStockLimits and BuildStockLimitSql.
#include "stock/stock_limits.h"

#include <algorithm>
#include <array>

#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/temp_table_guard.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/error.h"
#include "stock/quantity_format.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kTempSumQty = "#TempSumQty";
constexpr std::string_view kCaptions[] = {"物料代码$", "物料名称$",   "现有库存$", "安全库存$",
                                          "差异$",     "最高库存量$", "差异$",     "最低库存量$",
                                          "差异$",     "结论$"};
constexpr bool kQuantityColumn[] = {false, false, true, true, true, true, true, true, true, false};

constexpr std::string_view kTemplate =
    "SELECT t3.FName,t3.FNumber,t4.FName AS FStockName,t1.FBillQty AS FBillQty,\r\n"
    "ISNULL(t2.FQty,0) AS FCurInvQty,\r\n"
    "ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0) AS FNewQty,\r\n"
    "t3.FLowLimit,\r\n"
    "ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0)-ISNULL(t3.FLowLimit,0) AS FLowLimitDiff,\r\n"
    "t3.FSecInv AS FSafeLimit,\r\n"
    "ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0)-ISNULL(t3.FSecInv,0) AS FSafeLimitDiff,\r\n"
    "t3.FHighLimit,\r\n"
    "ISNULL(t3.FHighLimit,0)-(ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0)) AS FHighLimitDiff,\r\n"
    "t3.FQtyDecimal\r\n"
    "FROM #TempSumQty t1 INNER JOIN t_ICItem t3 ON t1.FItemID=t3.FItemID\r\n"
    "INNER JOIN t_Stock t4 ON t1.FStockID = t4.FItemID ##StockType## \r\n"
    "LEFT OUTER JOIN ##InventoryTable## t2 ON t1.FItemID=t2.FItemID AND t1.FBatchNo=t2.FBatchNo "
    "AND t1.FAuxPropID=t2.FAuxPropID\r\n"
    "AND t1.FStockID=t2.FStockID AND t1.FStockPlaceID=t2.FStockPlaceID AND "
    "t1.FKFPeriod=t2.FKFPeriod\r\n"
    "AND t1.FKFDate=t2.FKFDate\r\n"
    "WHERE 1=1 ##StrWhere## ";

DictionaryPtr Descriptor(const auto& value_of) {
  DictionaryPtr descriptor = Dictionary::Create();
  for (size_t i = 0; i < std::size(kLimitColumns); ++i)
    descriptor->Write(kLimitColumns[i], value_of(i));
  return descriptor;
}

VectorPtr NewItemInfo(const std::string& language) {
  VectorPtr items = Vector::Create();
  items->Add(Variant(Descriptor([](size_t i) { return Variant(static_cast<int32_t>(i + 1)); })));
  items->Add(Variant(Descriptor(
      [&](size_t i) { return Variant(messages::LoadLocalString(kCaptions[i], language)); })));
  items->Add(Variant(Descriptor(
      [](size_t i) { return Variant(static_cast<int32_t>(kQuantityColumn[i] ? 1 : 0)); })));
  return items;
}

}  // namespace

std::string BuildStockLimitSql(int32_t /*lTranType*/, bool bUseInvMgr, bool bUseHighInv,
                               bool bUseLowInv, bool bUseSafeInv) {
  if (bUseInvMgr) return "";
  std::string condition;
  if (bUseHighInv)
    condition += " ISNULL(t3.FHighLimit,0)-(ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0))<0  OR";
  if (bUseLowInv)
    condition += " ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0)-ISNULL(t3.FLowLimit,0)<0 OR";
  if (bUseSafeInv)
    condition += " ISNULL(t1.FBillQty,0)+ISNULL(t2.FQty,0)-ISNULL(t3.FSecInv,0)<0  OR";
  const std::string where =
      condition.empty() ? " " : " AND ( " + condition.substr(0, condition.size() - 2) + ")";
  // The limit query on one kind of stock: real stock against ICInventory, virtual against
  // POInventory.
  auto query_on = [&where](std::string_view inventory, std::string_view stock_type) {
    return frame::SqlTemplate(kTemplate)
        .Fragment("StrWhere", where)
        .Fragment("InventoryTable", inventory)
        .Fragment("StockType", stock_type)
        .Sql();
  };

  std::string sql =
      "SELECT u1.FItemID,u1.FAuxPropID,u1.FBatchNo,u1.FStockID ,u1.FStockPlaceID,u1.FKFdate,"
      "u1.FKFPeriod\r\n"
      ",SUM(u1.FQty) AS FBillQty,SUM(u1.FSecQty) AS FBillSecQty\r\n"
      "INTO #TempSumQty \r\n"
      "FROM #TempBill u1 \r\n"
      "GROUP BY u1.FItemID,u1.FAuxPropID,u1.FBatchNo,u1.FStockID ,u1.FStockPlaceID,u1.FKFdate,"
      "u1.FKFPeriod\r\n"
      "\r\n";
  sql += query_on("ICInventory", " AND t4.Ftypeid<>502 ");
  sql += " Union ";
  sql += kCrLf;
  sql += query_on("POInventory", " AND t4.Ftypeid=502 ");
  return sql;
}

int32_t CheckStockLimits(frame::ClassFrame& frame, const std::string& sDsn,
                         const db::Recordset& rsBillHead, int32_t /*lOperateCode*/,
                         int32_t lReCheck, const Dictionary& dictSysProfile,
                         VectorPtr& vectItemInfo, std::string& sMsg, const std::string& sLanguage,
                         const db::ConnectionPtr& connection, int32_t& bShowTip,
                         int32_t lYesWhenStockWarnTip) {
  try {
    const bool high = ProfileSwitch(dictSysProfile, kProfileUseHighInv);
    const bool low = ProfileSwitch(dictSysProfile, kProfileUseLowInv);
    const bool safe = ProfileSwitch(dictSysProfile, kProfileUseSafeInv);
    // Limits kept by the inventory manager are not this alert's business: it stays silent.
    const bool inv_mgr = ProfileSwitch(dictSysProfile, kProfileUseInvMgr);
    const int32_t tran_type = rsBillHead.Field("FTranType").ToInt32();
    if (HasAnyBit(lReCheck, kReCheckStockWarn) || !(high || low || safe) || inv_mgr ||
        !kStockAlertTypes.Contains(tran_type)) {
      return 0;
    }

    // The table's header rows go back only from an alert that runs.
    vectItemInfo = NewItemInfo(sLanguage);
    const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
    frame.DropTempTable(sDsn, std::string(kTempSumQty), conn);
    frame::TempTableGuard sum_qty(frame, sDsn, std::string(kTempSumQty), conn);
    db::RecordsetPtr rows = conn->Execute(BuildStockLimitSql(tran_type, inv_mgr, high, low, safe));
    sum_qty.Drop();
    if (lYesWhenStockWarnTip != 0) return 0;

    bool reported = false;
    for (; !rows->Eof(); rows->MoveNext()) {
      const db::Recordset& row = *rows;
      bShowTip = 1;
      reported = true;
      const int decimals = static_cast<int>(FieldNumber(row, "FQtyDecimal"));
      auto quantity = [&](std::string_view field) {
        return Variant(FormatQuantity(FieldNumber(row, field), decimals));
      };
      DictionaryPtr item = Dictionary::Create();
      item->Write("FNumber", FieldText(row, "FNumber"));
      item->Write("FName", FieldText(row, "FName"));
      item->Write("FCurInvQty", quantity("FCurInvQty"));
      item->Write("FSafeInv", quantity("FSafeLimit"));
      item->Write("FDiffForSafe", quantity("FSafeLimitDiff"));
      item->Write("FHighInv", quantity("FHighLimit"));
      item->Write("FDiffForHigh", quantity("FHighLimitDiff"));
      item->Write("FLowInv", quantity("FLowLimit"));
      item->Write("FDiffForLow", quantity("FLowLimitDiff"));
      std::string conclusion = messages::FormatString(
          "物料[%1]代码[%2]", sLanguage, {FieldText(row, "FName"), FieldText(row, "FNumber")});
      sMsg = messages::LoadLocalString("更新库存数据时现有库存数量偏离库存限额!", sLanguage);
      if (high && FieldNumber(row, "FHighLimitDiff") <= 0) {
        conclusion += messages::LoadLocalString("存储超过或等于最高库存    ", sLanguage);
      }
      if (low && FieldNumber(row, "FLowLimitDiff") <= 0) {
        conclusion += messages::LoadLocalString("存储低于或等于最低库存    ", sLanguage);
      }
      if (safe && FieldNumber(row, "FSafeLimitDiff") <= 0) {
        conclusion += messages::LoadLocalString("存储低于或等于安全库存", sLanguage);
      }
      item->Write("FReturnResult", conclusion);
      vectItemInfo->Add(Variant(item));
    }
    return reported ? kLimitsReported : 0;
  } catch (const Error& error) {
    if (sMsg.empty()) sMsg = error.description();
    return kLimitsError;
  }
}

}  // namespace cb::stock
