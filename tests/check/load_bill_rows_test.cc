// Tests of loading a bill's head and entry rows through ICTransactionType.
#include "check/load_bill_rows.h"

#include <gtest/gtest.h>

#include "check/bill_fixture.h"
#include "check/check_request.h"
#include "check/step_dictionaries.h"
#include "frame/class_frame.h"
#include "platform/db/recordset.h"

namespace cb::check {
namespace {

using testing::BillDatabase;

class LoadBillRowsTest : public BillDatabase {
 protected:
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
  const DictionaryPtr rows = Load(testing::kTablelessType, 1);
  EXPECT_EQ(rows->Read("HeadTable"), Variant(""));
  EXPECT_EQ(rows->Read("EntryTable"), Variant(""));
  EXPECT_FALSE(rows->Exists("Head"));
  EXPECT_FALSE(rows->Exists("Entry"));
}

TEST_F(LoadBillRowsTest, HeadTableWithoutFrobGivesHooksRobZero) {
  const DictionaryPtr rows = Load(testing::kSiteType, testing::kSiteBillID);
  EXPECT_FALSE(rows->Exists("Entry"));
  const auto head = rows->Read("Head").As<db::Recordset>();
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->Field("FBillNo"), Variant("SITE-1"));
  CheckRequest request;
  EXPECT_EQ(BuildHookDictionary(request, head)->Read("ROB"), Variant(0));

  const auto receipt = Load(1, testing::kReceiptID)->Read("Head").As<db::Recordset>();
  EXPECT_EQ(BuildHookDictionary(request, receipt)->Read("ROB"), Variant(-1));
}

TEST_F(LoadBillRowsTest, MissingRowsRaiseTheLoaderErrorWithTheMissingDataText) {
  Exec("INSERT INTO ICStockBill (FInterID, FBillNo, FTranType) VALUES (1003, 'NOENTRY', 1)");
  struct Case {
    const char* name;
    int32_t tran_type;
    int32_t inter_id;
  };
  const Case cases[] = {
      {"no head row", 1, 999},
      {"head of another type", 2, testing::kReceiptID},
      {"no entry row", 1, 1003},
      {"no head row in a table without FROB", testing::kSiteType, 999},
  };
  for (const Case& c : cases) {
    const Error error = LoadError(c.tran_type, c.inter_id);
    EXPECT_EQ(error.number(), -200001) << c.name;
    EXPECT_EQ(error.source(), "VellMCheck.CheckNow") << c.name;
    EXPECT_EQ(error.description(), "操作需要的数据在数据库中不存在,可能已被其他用户删除。")
        << c.name;
  }
}

TEST_F(LoadBillRowsTest, UnregisteredTypeAndDatabaseErrorsRaiseTheLoaderError) {
  const Error unregistered = LoadError(0, testing::kReceiptID);
  EXPECT_EQ(unregistered.number(), -200001);
  EXPECT_FALSE(unregistered.description().empty());

  Exec(
      "INSERT INTO ICTransactionType (FID, FName, FHeadTable, FEntryTable) VALUES (9003, "
      "'Dropped', 't_NoSuchTable', '')");
  const Error missing_table = LoadError(9003, 1);
  EXPECT_EQ(missing_table.number(), -200001);
  EXPECT_NE(missing_table.description().find("t_NoSuchTable"), std::string::npos)
      << missing_table.description();
}

}  // namespace
}  // namespace cb::check
