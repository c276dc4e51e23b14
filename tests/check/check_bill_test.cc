// Tests of CheckBill's request handling and its hook steps, against a real database.
#include "check/check_bill.h"

#include <gtest/gtest.h>

#include "check/bill_fixture.h"
#include "frame/class_frame.h"
#include "frame/hooks/hook_test_components.h"
#include "platform/variant/error.h"
#include "platform/variant/vector.h"

namespace cb::check {
namespace {

using hooks::testing::ComponentRegistrations;
using hooks::testing::Journal;
using testing::BillDatabase;

class CheckBillTest : public BillDatabase {
 protected:
  void RegisterHook(int type, int detail, const std::string& prog_id) {
    Exec(
        "INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex, FComponentSrv) "
        "VALUES (" +
        std::to_string(type) + ", " + std::to_string(detail) + ", 1, '" + prog_id + "')");
  }
  DictionaryPtr Request(int32_t inter_id, int32_t tran_type, int32_t operate_code = 1) {
    DictionaryPtr params = Dictionary::Create();
    params->Write("InterID", inter_id);
    params->Write("TransType", tran_type);
    params->Write("ReCheck", int32_t{0});
    params->Write("CheckDate", "2024-03-08");
    params->Write("OperateCode", operate_code);
    params->Write("PropString", kDsn);
    return params;
  }
  int32_t Run(DictionaryPtr& params) {
    frame::ClassFrame frame;
    Variant rs;
    return CheckBill(frame, params, rs);
  }

  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
  ComponentRegistrations components_;
};

TEST_F(CheckBillTest, BillHookSeesTheBillAndItsVetoIsTheRefusal) {
  RegisterHook(9, 1, "Site.Veto");
  DictionaryPtr seen;
  components_.Bill("Site.Veto", journal_,
                   [&seen](auto&, DictionaryPtr& hook, int32_t& ret, std::string& msg) {
                     seen = hook;
                     ret = -3;
                     msg = "site says no";
                   });
  DictionaryPtr params = Request(testing::kReceiptID, 1, 2);
  EXPECT_EQ(Run(params), 0);

  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->Read("sDsn"), Variant(kDsn));
  EXPECT_EQ(seen->Read("OperateCode"), Variant(2));
  EXPECT_EQ(seen->Read("InterID"), Variant(testing::kReceiptID));
  EXPECT_EQ(seen->Read("TranType"), Variant(1));
  EXPECT_EQ(seen->Read("ROB"), Variant(-1));

  const std::string expected = "反审核[编号：CIN000123]单据时未成功!site says no";
  EXPECT_EQ(params->Read("ReturnCode"), Variant(-1));
  EXPECT_EQ(params->Read("ReturnString"), Variant(expected));
  EXPECT_EQ(params->Read("ReturnString2"), Variant(expected));
  const VectorPtr items = params->Read("vectItemInfo").As<Vector>();
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(items->Count(), 0u);
  ASSERT_FALSE(log().votes.empty());
  EXPECT_EQ(log().votes.back(), "abort");
}

// English texts are joined as the catalogue writes them; nothing rewrites the bill number or a
// component's text.
TEST_F(CheckBillTest, EnglishResultKeepsBillNumberAndComponentTextAsTheyAre) {
  set_language("en");
  Exec("UPDATE ICStockBill SET FBillNo='CIN!A1' WHERE FInterID=1001");
  RegisterHook(9, 1, "Site.Veto");
  components_.Bill("Site.Veto", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = -3;
    msg = "Stop!Now";
  });
  DictionaryPtr params = Request(testing::kReceiptID, 1, 2);
  EXPECT_EQ(Run(params), 0);
  const std::string expected = "Bill [number: CIN!A1]: uncheck did not succeed! Stop!Now";
  EXPECT_EQ(params->Read("ReturnString"), Variant(expected));
  EXPECT_EQ(params->Read("ReturnString2"), Variant(expected));
}

TEST_F(CheckBillTest, BillHookQuestionCodeIsPassedOnWithItsQuestion) {
  RegisterHook(9, 1, "Site.Ask");
  components_.Bill("Site.Ask", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = -200;
    msg = "locked rows; ";
  });
  DictionaryPtr params = Request(testing::kReceiptID, 1);
  EXPECT_EQ(Run(params), 0);
  const std::string message = "审核[编号：CIN000123]单据时未成功!locked rows; ";
  EXPECT_EQ(params->Read("ReturnCode"), Variant(-200));
  EXPECT_EQ(params->Read("ReturnString"), Variant(message));
  EXPECT_EQ(params->Read("ReturnString2"),
            Variant(message + "是否继续？如果继续，则会清除相关单据锁库信息!"));
}

TEST_F(CheckBillTest, StageHookRefusalAfterTheBillHooksEndsTheCall) {
  RegisterHook(9, 1, "Site.Agree");
  RegisterHook(2, 200001, "Site.Stage");
  components_.Bill("Site.Agree", journal_);
  components_.Stage("Site.Stage", journal_, [](auto&, auto&) { return false; });
  DictionaryPtr params = Request(testing::kReceiptID, 1);
  EXPECT_EQ(Run(params), 0);
  EXPECT_EQ(*journal_, (Journal{"Site.Agree", "Site.Stage@200001"}));
  EXPECT_EQ(params->Read("ReturnCode"), Variant(-1));
  EXPECT_EQ(params->Read("ReturnString"),
            Variant("审核[编号：CIN000123]单据时未成功!No Information"));
  EXPECT_EQ(log().votes.back(), "abort");
}

TEST_F(CheckBillTest, AgreeingHooksLetTheCheckRunToItsSuccessExit) {
  RegisterHook(9, 1, "Site.Agree");
  for (int stage : {200001, 200002, 200003}) RegisterHook(2, stage, "Site.Stage");
  components_.Bill("Site.Agree", journal_);
  components_.Stage("Site.Stage", journal_);
  DictionaryPtr params = Request(testing::kReceiptID, 1);
  EXPECT_EQ(Run(params), 0);
  EXPECT_EQ(*journal_,
            (Journal{"Site.Agree", "Site.Stage@200001", "Site.Stage@200002", "Site.Stage@200003"}));
  EXPECT_EQ(params->Read("ReturnCode"), Variant(0));
  EXPECT_EQ(params->Read("ReturnString"), Variant("审核[编号：CIN000123]单据成功!"));
  EXPECT_EQ(params->Read("ReturnString2"), Variant(""));
  EXPECT_EQ(log().votes.back(), "commit");
}

TEST_F(CheckBillTest, MissingBillEndsInTheErrorExitBeforeAnyHook) {
  RegisterHook(9, 1, "Site.Agree");
  components_.Bill("Site.Agree", journal_);
  for (DictionaryPtr params : {Request(999, 1), Request(testing::kReceiptID, 0)}) {
    EXPECT_EQ(Run(params), 0);
    EXPECT_EQ(params->Read("ReturnCode"), Variant(-1));
    EXPECT_EQ(params->Read("ReturnString"), Variant("审核单据时出现错误！请检查单据后再试。"));
  }
  EXPECT_TRUE(journal_->empty());
}

TEST_F(CheckBillTest, UnreadableRequestRaisesAndWritesNoResult) {
  DictionaryPtr params = Request(testing::kReceiptID, 1);
  params->Write("ReCheck", "twice");
  EXPECT_THROW(Run(params), Error);
  EXPECT_FALSE(params->Exists("ReturnCode"));
  DictionaryPtr none;
  EXPECT_THROW(Run(none), Error);
}

}  // namespace
}  // namespace cb::check
