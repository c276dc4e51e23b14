// Tests of loading a bill's head and entry rows through ICTransactionType.
#include "check/load_bill_rows.h"

#include <gtest/gtest.h>

#include "check/check_request.h"
#include "check/step_dictionaries.h"
#include "frame/class_frame.h"
#include "platform/db/recordset.h"
#include "support/suite_database.h"

namespace cb::check {
namespace {

constexpr int32_t kReceiptID = 1001;  // a purchase receipt with FROB -1 and two entries
constexpr int32_t kSiteType = 9001;   // head table t_SiteBill (no FROB), no entry table
constexpr int32_t kSiteBillID = 5001;
constexpr int32_t kTablelessType = 9002;  // neither head nor entry table

class LoadBillRowsTest : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec(
        "INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB) VALUES (1001, "
        "'CIN000123', 1, '2024-03-05', -1)");
    Exec(
        "INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FQty) VALUES (1001, 2, 7, "
        "4), (1001, 1, 8, 5)");
    Exec("CREATE TABLE t_SiteBill (FInterID INT NOT NULL, FBillNo VARCHAR(50), FTranType INT)");
    Exec("INSERT INTO t_SiteBill (FInterID, FBillNo, FTranType) VALUES (5001, 'SITE-1', 9001)");
    Exec(
        "INSERT INTO ICTransactionType (FID, FName, FHeadTable, FEntryTable) VALUES (9001, "
        "'Site bill', 't_SiteBill', ''), (9002, 'No tables', '', '')");
  }
  DictionaryPtr Load(int32_t tran_type, int32_t inter_id) {
    frame::ClassFrame frame;
    return LoadBillRows(frame, kDsn, tran_type, inter_id, connection());
  }
  // The loader's error for a request, or a failure when it loads.
  Error LoadError(int32_t tran_type, int32_t inter_id) {
    try {
      static_cast<void>(Load(tran_type, inter_id));
    } catch (const Error& error) {
      return error;
    }
    ADD_FAILURE() << "type " << tran_type << " bill " << inter_id << " loaded";
    return Error(0, "", "");
  }
};

TEST_F(LoadBillRowsTest, TypeWithoutTablesLoadsNoRows) {
  const DictionaryPtr rows = Load(kTablelessType, 1);
  EXPECT_EQ(rows->Read("HeadTable"), Variant(""));
  EXPECT_EQ(rows->Read("EntryTable"), Variant(""));
  EXPECT_FALSE(rows->Exists("Head"));
  EXPECT_FALSE(rows->Exists("Entry"));
}

TEST_F(LoadBillRowsTest, HeadTableWithoutFrobGivesHooksRobZero) {
  const DictionaryPtr rows = Load(kSiteType, kSiteBillID);
  EXPECT_FALSE(rows->Exists("Entry"));
  const auto head = rows->Read("Head").As<db::Recordset>();
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->Field("FBillNo"), Variant("SITE-1"));
  CheckRequest request;
  EXPECT_EQ(BuildHookDictionary(request, head)->Read("ROB"), Variant(0));
}

TEST_F(LoadBillRowsTest, MissingRowsUnregisteredTypesAndDatabaseErrorsRaiseTheLoaderError) {
  Exec("INSERT INTO ICStockBill (FInterID, FBillNo, FTranType) VALUES (1003, 'NOENTRY', 1)");
  Exec(
      "INSERT INTO ICTransactionType (FID, FName, FHeadTable, FEntryTable) VALUES (9003, "
      "'Dropped', 't_NoSuchTable', '')");
  const std::string missing = "操作需要的数据在数据库中不存在,可能已被其他用户删除。";
  const struct {
    int32_t tran_type;
    int32_t inter_id;
    std::string description;  // empty: any text from any source
  } cases[] = {
      {2, kReceiptID, missing},   // a head of another type
      {1, 1003, missing},         // no entry row
      {kSiteType, 999, missing},  // no head row in a table without FROB
      {9003, 1, ""},              // the registered table does not exist
  };
  for (const auto& c : cases) {
    const Error error = LoadError(c.tran_type, c.inter_id);
    EXPECT_EQ(error.number(), -200001) << c.tran_type;
    if (!c.description.empty()) {
      EXPECT_EQ(error.source(), "VellMCheck.CheckNow") << c.tran_type;
      EXPECT_EQ(error.description(), c.description) << c.tran_type;
    }
  }
  EXPECT_NE(LoadError(9003, 1).description().find("t_NoSuchTable"), std::string::npos);
}

}  // namespace
}  // namespace cb::check
