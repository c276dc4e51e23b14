// LoadBillStocks and LoadBillStockPlaces: one SELECT DISTINCT over the sides of the bill each.
#include "stock/stock_lookups.h"

#include <vector>

#include "frame/sql_template.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/foundation.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

struct LookupSource {
  std::string entry_table;
  std::vector<std::string> stock_columns;
  std::vector<std::string> place_columns;
};

LookupSource LookupSourceOf(int32_t tran_type) {
  switch (tran_type) {
    case 6:
    case 26:
      return {"ZPStockBillEntry", {"FDCStockID"}, {"FDCSPID"}};
    case PurchaseConsign:
    case PurchaseRecede:
    case 702:
      return {"POInstockEntry", {"FStockID"}, {"FDCSPID"}};
    case PurchaseVirStoreMove:
      return {"POStockBillEntry", {"FDCStockID", "FSCStockID"}, {"FDCSPID", "FSCSPID"}};
    case 92:
    case 137:
      return {"ICSTJGBillEntry", {"FDCStockID", "FSCStockID"}, {"FDCSPID", "FSCSPID"}};
    default:
      return {"ICStockBillEntry", {"FDCStockID", "FSCStockID"}, {"FDCSPID", "FSCSPID"}};
  }
}

// One side of the entries joined to its master table (stocks or places).
constexpr std::string_view kSide =
    "##SideHead##FROM ##Master## t1 INNER JOIN ##EntryTable## u1 ON u1.##Column##=t1.##MasterKey##"
    "\r\n"
    "WHERE u1.FInterID=##Bill##\r\n";

std::string Sides(const std::vector<std::string>& columns, const std::string& side_head,
                  const std::string& master, const std::string& master_key,
                  const std::string& entry_table, int32_t inter_id) {
  std::string sql;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) sql += "UNION ALL\r\n";
    sql += frame::SqlTemplate(kSide)
               .Fragment("SideHead", side_head)
               .Fragment("Master", master)
               .Fragment("EntryTable", entry_table)
               .Fragment("Column", columns[i])
               .Fragment("MasterKey", master_key)
               .Number("Bill", inter_id)
               .Sql();
  }
  return sql;
}

std::string TextKey(const Variant& id) {
  return services::Foundation::Current().NullToDefault(id, 0).ToString();
}

}  // namespace

DictionaryPtr LoadBillStocks(frame::ClassFrame& frame, const std::string& sDsn, int32_t& lInterID,
                             int32_t lTranType, const db::ConnectionPtr& connection) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  const LookupSource source = LookupSourceOf(lTranType);
  const std::string sql =
      frame::SqlTemplate(
          "SELECT DISTINCT FItemID,FNumber,FName,FIsStockMgr\r\nFROM (\r\n##Sides##) tmpStock")
          .Fragment("Sides",
                    Sides(source.stock_columns,
                          "SELECT DISTINCT t1.FItemID,t1.FNumber,t1.FName,t1.FIsStockMgr \r\n",
                          "t_Stock", "FItemID", source.entry_table, lInterID))
          .Sql();

  DictionaryPtr lookup = Dictionary::Create();
  const services::Foundation& foundation = services::Foundation::Current();
  for (db::RecordsetPtr rows = conn->Execute(sql); !rows->Eof(); rows->MoveNext()) {
    DictionaryPtr entry = Dictionary::Create();
    entry->Write(kLookupNumber, foundation.NullToDefault(rows->Field("FNumber"), ""));
    entry->Write(kLookupName, foundation.NullToDefault(rows->Field("FName"), ""));
    entry->Write(kLookupIsStockMgr,
                 Variant(foundation.NullToDefault(rows->Field("FIsStockMgr"), 0).ToDouble() != 0));
    lookup->Write(TextKey(rows->Field("FItemID")), Variant(entry));
  }
  return lookup;
}

DictionaryPtr LoadBillStockPlaces(frame::ClassFrame& frame, const std::string& sDsn,
                                  int32_t lInterID, int32_t lTranType,
                                  const db::ConnectionPtr& connection) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  const LookupSource source = LookupSourceOf(lTranType);
  const std::string sql =
      frame::SqlTemplate("SELECT DISTINCT FSPID,FNumber,FName\r\nFROM (\r\n##Sides##) tmpSP")
          .Fragment("Sides",
                    Sides(source.place_columns, "SELECT DISTINCT t1.FSPID,t1.FNumber,t1.FName\r\n",
                          "t_StockPlace", "FSPID", source.entry_table, lInterID))
          .Sql();

  DictionaryPtr lookup = Dictionary::Create();
  const services::Foundation& foundation = services::Foundation::Current();
  for (db::RecordsetPtr rows = conn->Execute(sql); !rows->Eof(); rows->MoveNext()) {
    DictionaryPtr entry = Dictionary::Create();
    entry->Write(kLookupNumber, foundation.NullToDefault(rows->Field("FNumber"), ""));
    entry->Write(kLookupName, foundation.NullToDefault(rows->Field("FName"), ""));
    lookup->Write(TextKey(rows->Field("FSPID")), Variant(entry));
  }
  return lookup;
}

DictionaryPtr LookupEntry(const Dictionary& lookup, const Variant& id) {
  return lookup.Read(TextKey(id)).As<Dictionary>();
}

std::string LookupText(const DictionaryPtr& entry, std::string_view key) {
  if (!entry) return "";
  return Trim(services::Foundation::Current().NullToDefault(entry->Read(key), "").ToString());
}

}  // namespace cb::stock
