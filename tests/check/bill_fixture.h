// Test fixture: the suite's schema with one purchase receipt (head and two entries), a registered
// head table that has no FROB column, and a type without tables.
#pragma once

#include <string>

#include "frame/profile/suite_database.h"

namespace cb::check::testing {

inline constexpr int32_t kReceiptID = 1001;
inline constexpr const char* kReceiptNo = "CIN000123";
inline constexpr int32_t kSiteType = 9001;  // head table t_SiteBill (no FROB), no entry table
inline constexpr int32_t kSiteBillID = 5001;
inline constexpr int32_t kTablelessType = 9002;  // neither head nor entry table

class BillDatabase : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec(
        "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB) VALUES (1001, "
        "'CIN000123', 1, '2024-03-05', -1)");
    Exec(
        "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty) VALUES (1001, 2, 7, "
        "4)\r\nINSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty) VALUES (1001, 1, "
        "8, 5)");
    Exec(
        "CREATE TABLE t_SiteBill (FInterID INT NOT NULL, FBillNo VARCHAR(50) NULL, FTranType "
        "INT NOT NULL)");
    Exec("INSERT INTO t_SiteBill (FInterID, FBillNo, FTranType) VALUES (5001, 'SITE-1', 9001)");
    Exec(
        "INSERT INTO ICTransactionType (FID, FName, FHeadTable, FEntryTable) VALUES (9001, "
        "'Site bill', 't_SiteBill', '')");
    Exec(
        "INSERT INTO ICTransactionType (FID, FName, FHeadTable, FEntryTable) VALUES (9002, "
        "'No tables', '', '')");
  }
};

}  // namespace cb::check::testing
