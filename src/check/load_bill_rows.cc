// Loads a bill's head and entry rows and reports every failure as one loader error.
#include "check/load_bill_rows.h"

#include <exception>

#include "check/check_result.h"
#include "frame/public_call.h"
#include "frame/sql_template.h"

namespace cb::check {

namespace {

constexpr std::string_view kTablesOfType =
    "SELECT FHeadTable,FEntryTable FROM ICTransactionType WHERE FID=##Type##";
constexpr std::string_view kHeadRow =
    "SELECT * FROM ##Table## WHERE FInterID=##Bill## AND FTranType=##Type##\r\n";
constexpr std::string_view kEntryRows = "SELECT * FROM ##Table## WHERE FInterID=##Bill##\r\n";

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
      connection->Execute(frame::SqlTemplate(kTablesOfType).Number("Type", lTranType).Sql());
  rows->Write(kRowsHeadTable, tables->Field("FHeadTable"));
  rows->Write(kRowsEntryTable, tables->Field("FEntryTable"));

  const Variant head_table = rows->Read(kRowsHeadTable);
  if (!IsEmptyName(head_table)) {
    const std::string sql = frame::SqlTemplate(kHeadRow)
                                .Fragment("Table", head_table.ToString())
                                .Number("Bill", lInterID)
                                .Number("Type", lTranType)
                                .Sql();
    rows->Write(kRowsHead, Variant(RequireRows(*connection, sql)));
  }
  const Variant entry_table = rows->Read(kRowsEntryTable);
  if (!IsEmptyName(entry_table)) {
    // Entries carry no transaction type of their own: the bill id alone selects them.
    const std::string sql = frame::SqlTemplate(kEntryRows)
                                .Fragment("Table", entry_table.ToString())
                                .Number("Bill", lInterID)
                                .Sql();
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
