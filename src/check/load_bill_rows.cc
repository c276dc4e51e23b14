// Loads a bill's head and entry rows and reports every failure as one loader error.
#include "check/load_bill_rows.h"

#include <exception>

#include "check/check_result.h"
#include "frame/public_call.h"
#include "frame/vocabulary/text.h"

namespace cb::check {

namespace {

bool IsEmptyName(const Variant& table) {
  return table.IsNull() || table.ToString().empty();
}

// The rows of a query that must find at least one row.
db::RecordsetPtr RequireRows(db::Connection& connection, const std::string& sql) {
  db::RecordsetPtr rows = connection.Execute(sql);
  if (!rows->IsOpen() || rows->Eof()) {
    throw Error(kErrRowsMissing, "", std::string(kTextRowsMissing));
  }
  return rows;
}

DictionaryPtr LoadRows(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTranType,
                       int32_t lInterID, const db::ConnectionPtr& oConnection) {
  const db::ConnectionPtr connection = frame.GetConnection(sDsn, false, oConnection);
  DictionaryPtr rows = Dictionary::Create();
  const db::RecordsetPtr tables =
      connection->Execute("SELECT FHeadTable,FEntryTable FROM ICTransactionType WHERE FID=" +
                          std::to_string(lTranType));
  rows->Write(kRowsHeadTable, tables->Field("FHeadTable"));
  rows->Write(kRowsEntryTable, tables->Field("FEntryTable"));

  const Variant head_table = rows->Read(kRowsHeadTable);
  if (!IsEmptyName(head_table)) {
    std::string sql = "SELECT * FROM " + head_table.ToString() +
                      " WHERE FInterID=" + std::to_string(lInterID) +
                      " AND FTranType=" + std::to_string(lTranType);
    sql += kCrLf;
    rows->Write(kRowsHead, Variant(RequireRows(*connection, sql)));
  }
  const Variant entry_table = rows->Read(kRowsEntryTable);
  if (!IsEmptyName(entry_table)) {
    // Entries carry no transaction type of their own: the bill id alone selects them.
    std::string sql =
        "SELECT * FROM " + entry_table.ToString() + " WHERE FInterID=" + std::to_string(lInterID);
    sql += kCrLf;
    rows->Write(kRowsEntry, Variant(RequireRows(*connection, sql)));
  }
  return rows;
}

}  // namespace

DictionaryPtr LoadBillRows(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTranType,
                           int32_t lInterID, const db::ConnectionPtr& oConnection) {
  try {
    return LoadRows(frame, sDsn, lTranType, lInterID, oConnection);
  } catch (...) {
    throw Error(kErrLoadBillRows, std::string(kLoadBillRowsSource),
                frame::CurrentExceptionAsError().description());
  }
}

}  // namespace cb::check
