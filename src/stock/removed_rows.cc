// CheckRemovedRowsStock: the old rows of a modified bill, tested in bounded queries.
#include "stock/removed_rows.h"

#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "platform/variant/error.h"
#include "stock/stock_rows.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kModificationNegative =
    "对物料[%1]代码[%2]的修改会产生负库存，修改不成功!";

std::string Member(const Dictionary& row, std::string_view key, const Variant& missing) {
  const Variant value = row.Read(key);
  return (value.IsEmpty() || value.IsNull() ? missing : value).ToString();
}

// One removed row's inventory key; the row's values go in as they were handed over.
constexpr std::string_view kRowCondition =
    " (v1.FItemID=##Item## AND v1.FBatchNo=##Batch## AND v1.FStockID=##Stock## AND "
    "v1.FStockPlaceID=##Place## AND v1.FKFDate=##KFDate## AND v1.FKFPeriod=##KFPeriod##) OR";

// The negative balances among the removed rows' keys.
constexpr std::string_view kNegativeRows =
    "SELECT t1.FName,t1.FNumber FROM ICInventory v1 INNER JOIN t_ICItem t1 ON "
    "v1.FItemID=t1.FItemID\r\nWHERE v1.FQty<0 AND (##Conditions##)";

std::string Condition(const Dictionary& row) {
  return frame::SqlTemplate(kRowCondition)
      .Fragment("Item", Member(row, kRowItemID, 0))
      .Text("Batch", Member(row, kRowBatchNo, ""))
      .Fragment("Stock", Member(row, kRowStockID, 0))
      .Fragment("Place", Member(row, kRowStockPlaceID, 0))
      .Text("KFDate", Member(row, kRowKFDate, "1900-01-01"))
      .Fragment("KFPeriod", Member(row, kRowKFPeriod, 0))
      .Sql();
}

// Runs one query over the gathered conditions; true when it found a negative row.
bool FindNegative(db::Connection& conn, std::string conditions, std::string& sMsg,
                  const std::string& language) {
  conditions.resize(conditions.size() - 2);  // the trailing "OR"
  db::RecordsetPtr rows =
      conn.Execute(frame::SqlTemplate(kNegativeRows).Fragment("Conditions", conditions).Sql());
  if (rows->Eof()) return false;
  sMsg = messages::FormatString(kModificationNegative, language,
                                {FieldText(*rows, "FName"), FieldText(*rows, "FNumber")});
  return true;
}

}  // namespace

int32_t CheckRemovedRowsStock(frame::ClassFrame& frame, const std::string& sDsn, int32_t lReCheck,
                              const VectorPtr& vectDeleteItem, const Dictionary& dictSysProfile,
                              std::string& sMsg, const std::string& sLanguage,
                              const db::ConnectionPtr& connection) {
  if (!vectDeleteItem || vectDeleteItem->Count() == 0) return 0;
  if (ProfileSwitch(dictSysProfile, kProfileUnderStock) || lReCheck == 1 || lReCheck == 3 ||
      HasAnyBit(lReCheck, kReCheckStockRows)) {
    return 0;
  }
  try {
    const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
    std::string conditions;
    size_t gathered = 0;
    for (const Variant& item : vectDeleteItem->items()) {
      const DictionaryPtr row = item.As<Dictionary>();
      conditions += Condition(row ? *row : Dictionary());
      if (++gathered == kRemovedRowsPerQuery) {
        if (FindNegative(*conn, conditions, sMsg, sLanguage)) return kRemovedRowNegative;
        conditions.clear();
        gathered = 0;
      }
    }
    if (gathered > 0 && FindNegative(*conn, conditions, sMsg, sLanguage))
      return kRemovedRowNegative;
    return 0;
  } catch (const Error& error) {
    sMsg = error.description();
    return kRemovedRowNegative;
  }
}

}  // namespace cb::stock
