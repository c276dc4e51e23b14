// CheckStockBeforeUpdate: the sign check and the negative-balance check on the balances to come.
#include "stock/stock_before_update.h"

#include "frame/messages/messages.h"
#include "frame/shared_helpers.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/trans_types.h"
#include "stock/stock_lookups.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kSignWithPlaces =
    "更新仓库[%1]代码[%2]仓位[%3]仓位代码[%4]库存数据时物料[%5]物料代码[%6]辅助属性[%7]批号[%8]"
    "的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!";
constexpr std::string_view kSignWithoutPlaces =
    "更新仓库[%1]代码[%2]库存数据时物料[%3]代码[%4]辅助属性[%5]批号[%6]"
    "的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!";
constexpr std::string_view kNegativeRefused = "物料[%1]代码[%2]库存数量不允许负数!";
constexpr std::string_view kTipWithPlaces =
    "更新仓库[%1]仓位[%2]库存数据时物料[%3]批号[%4]出现负结存!";
constexpr std::string_view kTipWithoutPlaces = "更新仓库[%1]库存数据时物料[%2]批号[%3]出现负结存!";

// The FROM part shared by both checks: the bill's sums per key, item and auxiliary property, the
// stock when asked for, and the current balance.
constexpr std::string_view kBillSums =
    "FROM (SELECT u1.FItemID,u1.FAuxPropID,u1.FBatchNo,u1.FStockID ,u1.FStockPlaceID,u1.FKFdate,"
    "u1.FKFPeriod\r\n"
    ",SUM(u1.FQty) AS FBillQty,SUM(u1.FSecQty) AS FBillSecQty\r\n"
    "FROM #TempBill u1 \r\n"
    "GROUP BY u1.FItemID,u1.FAuxPropID,u1.FBatchNo,u1.FStockID ,u1.FStockPlaceID,u1.FKFdate,"
    "u1.FKFPeriod) m1\r\n"
    "INNER JOIN t_ICItem t2 ON m1.FItemID=t2.FItemID\r\n"
    "INNER JOIN t_AuxItem t3 ON m1.FAuxPropID=t3.FItemID\r\n"
    "##StockJoin##"
    "LEFT OUTER JOIN ##Inventory## t1 ON t1.FItemID=m1.FItemID AND t1.FBatchNo=m1.FBatchNo AND "
    "t1.FAuxPropID=m1.FAuxPropID\r\n"
    "   AND t1.FStockID=m1.FStockID AND t1.FStockPlaceID=m1.FStockPlaceID \r\n"
    "   AND t1.FKFPeriod=m1.FKFPeriod AND t1.FKFDate=m1.FKFDate\r\n";

// Keys whose base and secondary balances would get opposite signs.
constexpr std::string_view kSignCheck =
    "SELECT m1.FItemID,t2.FName,t2.FNumber,m1.FStockID,m1.FStockPlaceID,t3.FName AS "
    "FAuxPropName,m1.FBatchNo,##Columns####BillSums##"
    "WHERE (ISNULL(t1.FQty,0)+m1.FBillQty)*(ISNULL(t1.FSecQty,0)+m1.FBillSecQty)<0 ";
constexpr std::string_view kStockNamedColumns =
    "t.FName as StockName,t2.FModel,t1.FQty as STOCKQTY,m1.FBillQty as "
    "SUMQTY,t1.FKFPeriod,t1.FKFDate,t2.FQtyDecimal\r\n";
constexpr std::string_view kQtyDecimalColumn = "t2.FQtyDecimal\r\n";

// Keys whose base or secondary balance would turn negative.
constexpr std::string_view kNegativeCheck =
    "SELECT m1.FItemID,t2.FName,t2.FNumber,m1.FStockID,m1.FStockPlaceID,t3.FName AS "
    "FAuxPropName,m1.FBatchNo,t.FName as StockName,t2.FModel,t1.FQty as STOCKQTY,m1.FBillQty as "
    "SUMQTY,m1.FKFPeriod,m1.FKFDate,t2.FQtyDecimal\r\n"
    "##BillSums##"
    "WHERE (ISNULL(t1.FQty,0)+m1.FBillQty)<0 OR (ISNULL(t1.FSecQty,0)+m1.FBillSecQty)<0 ";

std::string BillSums(const std::string& inv, bool join_stock) {
  return frame::SqlTemplate(kBillSums)
      .Fragment("StockJoin", join_stock ? "Inner Join t_Stock t On m1.FStockID=t.FItemID \r\n" : "")
      .Fragment("Inventory", inv)
      .Sql();
}

void HandBack(Variant* Rs, const db::RecordsetPtr& rows) {
  if (Rs != nullptr) *Rs = Variant(rows);
}

struct RowNames {
  std::string stock_name, stock_number, place_name, place_number;
  bool has_places = false;
};

RowNames NamesOf(const db::Recordset& row, const Dictionary& stocks, const Dictionary& places) {
  RowNames names;
  const DictionaryPtr stock = LookupEntry(stocks, row.Field("FStockID"));
  names.stock_name = LookupText(stock, kLookupName);
  names.stock_number = LookupText(stock, kLookupNumber);
  names.has_places = stock && stock->Read(kLookupIsStockMgr).ToBool();
  if (FieldNumber(row, "FStockPlaceID") != 0) {
    const DictionaryPtr place = LookupEntry(places, row.Field("FStockPlaceID"));
    names.place_name = LookupText(place, kLookupName);
    names.place_number = LookupText(place, kLookupNumber);
  }
  return names;
}

std::string SignMessage(const db::Recordset& row, const RowNames& names,
                        const std::string& language) {
  const Variant item_name = FieldText(row, "FName");
  const Variant item_number = FieldText(row, "FNumber");
  const Variant aux = FieldText(row, "FAuxPropName");
  const Variant batch = FieldText(row, "FBatchNo");
  if (names.has_places) {
    return messages::FormatString(kSignWithPlaces, language,
                                  {names.stock_name, names.stock_number, names.place_name,
                                   names.place_number, item_name, item_number, aux, batch});
  }
  return messages::FormatString(
      kSignWithoutPlaces, language,
      {names.stock_name, names.stock_number, item_name, item_number, aux, batch});
}

}  // namespace

int32_t CheckStockBeforeUpdate(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTranType,
                               int32_t lReCheck, const Dictionary& dictSysProfile,
                               const Dictionary& dictStocks, const Dictionary& dictStockPlaces,
                               std::string& sMsg, const std::string& sLanguage,
                               const db::ConnectionPtr& connection, int32_t& bShowTip,
                               int32_t lYesWhenUnderTip, Variant* Rs) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  const std::string inv = frame::GetInventoryTable(lTranType);

  const bool stock_joined = kStockNamedSignCheckTypes.Contains(lTranType);
  const std::string sign_sql =
      frame::SqlTemplate(kSignCheck)
          .Fragment("Columns", stock_joined ? kStockNamedColumns : kQtyDecimalColumn)
          .Fragment("BillSums", BillSums(inv, stock_joined))
          .Sql();
  db::RecordsetPtr sign_rows = conn->Execute(sign_sql);
  HandBack(Rs, sign_rows);
  if (!sign_rows->Eof()) {
    sMsg = SignMessage(*sign_rows, NamesOf(*sign_rows, dictStocks, dictStockPlaces), sLanguage);
    return kSignDifference;
  }

  const std::string negative_sql =
      frame::SqlTemplate(kNegativeCheck).Fragment("BillSums", BillSums(inv, true)).Sql();
  db::RecordsetPtr negative_rows = conn->Execute(negative_sql);
  HandBack(Rs, negative_rows);

  const bool accept_all = lYesWhenUnderTip != 0 || lReCheck == 1 || lReCheck == 3;
  const double under_stock = ProfileNumber(dictSysProfile, kProfileUnderStock);
  const double show_under_tip = ProfileNumber(dictSysProfile, kProfileShowUnderTip);
  for (; !negative_rows->Eof(); negative_rows->MoveNext()) {
    if (accept_all) continue;
    const db::Recordset& row = *negative_rows;
    if (under_stock != 1) {
      sMsg = messages::FormatString(kNegativeRefused, sLanguage,
                                    {FieldText(row, "FName"), FieldText(row, "FNumber")});
      return kNegativeBalance;
    }
    if (show_under_tip == 1) {
      bShowTip = 1;
      const RowNames names = NamesOf(row, dictStocks, dictStockPlaces);
      if (names.has_places) {
        sMsg = messages::FormatString(kTipWithPlaces, sLanguage,
                                      {names.stock_number, names.place_number,
                                       FieldText(row, "FNumber"), FieldText(row, "FBatchNo")});
      } else {
        sMsg = messages::FormatString(
            kTipWithoutPlaces, sLanguage,
            {names.stock_number, FieldText(row, "FNumber"), FieldText(row, "FBatchNo")});
      }
      return kNegativeBalance;
    }
  }
  return 0;
}

}  // namespace cb::stock
