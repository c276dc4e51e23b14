// The stock engine's test fixture.
#include "stock/stock_fixture.h"

#include "frame/class_frame.h"
#include "platform/variant/variant.h"
#include "platform/variant/vector.h"
#include "stock/update_bill_stock.h"

namespace cb::stock::testing {

void StockDatabase::SetUp() {
  SuiteDatabase::SetUp();
  Exec(
      "INSERT INTO t_Stock (FItemID, FNumber, FName, FIsStockMgr, FTypeID) VALUES "
      "(1, 'WH01', 'Main', 1, 500), (2, 'WH02', 'Spare', 0, 500), (3, 'VN03', 'Notice A', 0, 503), "
      "(4, 'VN01', 'Notice B', 0, 501), (5, 'VS02', 'Virtual', 0, 502)");
  Exec(
      "INSERT INTO t_StockPlace (FSPID, FNumber, FName) VALUES (11, 'A-01', 'Shelf A'), "
      "(12, 'B-01', 'Shelf B')");
  Exec("INSERT INTO t_ICItem (FItemID, FNumber, FName, FQtyDecimal) VALUES (7, '1.01', 'Bolt', 2)");
  for (const char* key : {"UnderStock", "ShowUnderTip", "UseLockStock", "UseHighInv", "UseLowInv",
                          "UseSafeInv", "UseInvMgr"}) {
    profile_->Write(std::string("IC|") + key, "0");
  }
}

void StockDatabase::InsertEntries(const std::string& table, int32_t inter_id,
                                  const std::vector<Entry>& entries) {
  int32_t entry_id = 0;
  for (const Entry& entry : entries) {
    std::string columns = "FInterID,FEntryID,FItemID,FQty";
    std::string values = std::to_string(inter_id) + "," + std::to_string(++entry_id) + "," +
                         std::to_string(entry.item) + "," + FormatNumber(entry.qty);
    for (const auto& [column, value] : entry.columns) {
      columns += "," + column;
      values += "," + value;
    }
    Exec("INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")");
  }
}

db::RecordsetPtr StockDatabase::Head(int32_t inter_id, int32_t tran_type) {
  return std::make_shared<db::Recordset>(
      std::vector<db::ColumnDef>{{"FInterID", "INT"},
                                 {"FTranType", "INT"},
                                 {"FBillNo", "VARCHAR"},
                                 {"FUpStockWhenSave", "BIT"}},
      std::vector<db::Recordset::Row>{{Variant(inter_id), Variant(tran_type),
                                       Variant("BILL" + std::to_string(inter_id)),
                                       Variant(false)}});
}

void StockDatabase::Move(int32_t inter_id, int32_t tran_type, int32_t operate_code) {
  DictionaryPtr params = Dictionary::Create();
  params->Write("Language", "zh");
  params->Write("TransType", tran_type);
  params->Write("InterID", inter_id);
  params->Write("rsBillHead", Variant(Head(inter_id, tran_type)));
  params->Write("OperateCode", operate_code);
  params->Write("ReCheck", 0);
  params->Write("DictSysProfile", Variant(profile_));
  params->Write("PropString", kDsn);
  DictionaryPtr result = Dictionary::Create();
  result->Write("ReturnString", "");
  result->Write("ReturnCode", 0);
  result->Write("VectItemInfo", Variant(Vector::Create()));
  result->Write("ShowUnderTip", 0);
  result->Write("ShowStockWarnTip", 0);
  frame::ClassFrame frame;
  EXPECT_TRUE(UpdateBillStock(frame, kDsn, *params, *result, connection(), nullptr))
      << result->Read("ReturnString").ToString();
}

double StockDatabase::Balance(const std::string& table, int32_t item, int32_t stock,
                              int32_t place) {
  const Variant sum = Scalar(
      "SELECT SUM(FQty) FROM " + table + " WHERE FItemID=" + std::to_string(item) +
      " AND FStockID=" + std::to_string(stock) + " AND FStockPlaceID=" + std::to_string(place));
  return sum.IsNull() ? 0 : sum.ToDouble();
}

}  // namespace cb::stock::testing
