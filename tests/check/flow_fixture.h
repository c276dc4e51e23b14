// Test fixture for whole CheckBill calls through CheckNow: the suite's schema with a stock, a place
// and an item, a purchase receipt and a production order, a runner that ends each call as the
// host does (commit after a last commit vote, roll back otherwise) and one that lets the engine
// open the file itself.
#pragma once

#include <memory>
#include <string>

#include "checkbill/check_now.h"
#include "frame/hooks/hook_test_components.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/error.h"
#include "support/suite_database.h"

namespace cb::check::testing {

inline constexpr int32_t kReceipt = 2001;          // type 1: 5 of item 7 into stock 1, place 11
inline constexpr int32_t kProductionOrder = 3001;  // type 85, no entry table

class FlowDatabase : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec(
        "INSERT INTO t_Stock (FItemID, FNumber, FName, FIsStockMgr, FTypeID) VALUES (1, 'WH01', "
        "'Main', 1, 500)");
    Exec("INSERT INTO t_StockPlace (FSPID, FNumber, FName) VALUES (11, 'A-01', 'Shelf A')");
    Exec(
        "INSERT INTO t_ICItem (FItemID, FNumber, FName, FQtyDecimal) VALUES (7, '1.01', 'Bolt', "
        "2)");
    Exec(
        "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate) VALUES (2001, 'WIN2001', 1, "
        "'2024-03-05')");
    Exec(
        "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty, FDCStockID, FDCSPID) "
        "VALUES (2001, 1, 7, 5, 1, 11)");
    Exec(
        "INSERT INTO ICMO (FInterID, FBillNo, FTranType, FDate, FItemID, FQty) VALUES (3001, "
        "'MO3001', 85, '2024-03-06', 7, 20)");
  }

  // A request for one operation on a bill, as a screen sends it.
  static DictionaryPtr Request(int32_t inter_id, int32_t tran_type, int32_t operate_code,
                               int32_t re_check = 0) {
    DictionaryPtr params = Dictionary::Create();
    params->Write("InterID", inter_id);
    params->Write("TransType", tran_type);
    params->Write("ReCheck", re_check);
    params->Write("CheckDate", "2024-03-08");
    params->Write("OperateCode", operate_code);
    params->Write("PropString", kDsn);
    return params;
  }

  // Runs CheckNow::CheckBill inside a transaction on connection() and ends it by the call's last
  // vote; answers the params with the result keys.
  DictionaryPtr RunAsHost(DictionaryPtr params) {
    const size_t votes_before = log().votes.size();
    connection()->BeginTrans();
    engine::CheckNow check_now;
    EXPECT_EQ(check_now.CheckBill(params), 0);
    if (log().votes.size() > votes_before && log().votes.back() == "commit") {
      connection()->CommitTrans();
    } else {
      connection()->RollbackTrans();
    }
    return params;
  }

  // CheckNow::CheckBill as a host calls it on the database file at `path`, without a test service:
  // the call opens the file through its data source string and keeps its own transaction. Answers
  // the params with the result keys; a call that raises instead leaves its error in `raised`.
  static DictionaryPtr CallOnFile(const std::string& path, DictionaryPtr params,
                                  std::string& raised) {
    params->Write("PropString", "Provider=SQLite;Data Source=" + path + ";UserID=16");
    try {
      engine::CheckNow check_now;
      static_cast<void>(check_now.CheckBill(params));
    } catch (const Error& error) {
      raised = "raised: " + error.description();
    }
    return params;
  }

  // FQty of the item in the stock and place; 0 without a row.
  double Balance() {
    const db::RecordsetPtr rows = connection()->Execute(
        "SELECT SUM(FQty) AS FSum FROM ICInventory WHERE FItemID=7 AND FStockID=1 AND "
        "FStockPlaceID=11");
    const Variant sum = rows->Field("FSum");
    return sum.IsNull() ? 0 : sum.ToDouble();
  }

  // Every row of a query as text, one line per row; Null shows as "NULL".
  std::string Dump(const std::string& sql) {
    const db::RecordsetPtr rows = connection()->Execute(sql);
    std::string text;
    for (; !rows->Eof(); rows->MoveNext()) {
      for (size_t i = 0; i < rows->FieldCount(); ++i) {
        const Variant value = rows->Field(i);
        text += (value.IsNull() ? std::string("NULL") : value.ToString()) + "|";
      }
      text += "\n";
    }
    return text;
  }

  hooks::testing::ComponentRegistrations components_;
};

}  // namespace cb::check::testing
