// Tests of the third-party hooks: the type-9 hooks of a bill (registration lookup, calling order,
// veto and failures) and the type-2 hooks of a stage (agreement, refusal, failures and the votes
// they cast).
#include <gtest/gtest.h>

#include "frame/hooks/bill_hooks.h"
#include "frame/hooks/hook_stage.h"
#include "frame/hooks/hook_test_components.h"
#include "frame/hooks/third_party_components.h"
#include "support/suite_database.h"

namespace cb::hooks {
namespace {

using testing::ComponentRegistrations;
using testing::Journal;

class HooksTest : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    dict_hook_->Write("sDsn", kDsn);
  }
  void Register(int type, int detail, int index, const std::string& srv) {
    Exec(
        "INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex, FComponentSrv, "
        "FComponentName) VALUES (" +
        std::to_string(type) + ", " + std::to_string(detail) + ", " + std::to_string(index) +
        ", '" + srv + "', '')");
  }
  bool RunBill(int32_t tran_type) {
    frame::ClassFrame frame;
    return RunThirdPartyHooks(frame, kDsn, kHookTypeBill, tran_type, kWhichComponentSrv, dict_hook_,
                              ret_, msg_);
  }
  int32_t RunStage(int32_t stage, const db::ConnectionPtr& given = nullptr) {
    frame::ClassFrame frame;
    return RunHookStage(frame, stage, dict_hook_, msg_, given, "zh");
  }

  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
  ComponentRegistrations components_;
  DictionaryPtr dict_hook_ = Dictionary::Create();
  int32_t ret_ = 0;
  std::string msg_;
};

// A negative code stops the components after the one that set it; blank registrations are skipped
// and names are trimmed.
TEST_F(HooksTest, CallsComponentsInIndexOrderHandingOnTheirDictionaryUntilOneRefuses) {
  Register(9, 21, 2, "  Site.Second  ");
  Register(9, 21, 1, "Site.First");
  Register(9, 21, 3, "   ");
  Exec("INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex) VALUES (9, 21, 4)");
  Register(9, 21, 5, "Site.Veto");
  Register(9, 21, 6, "Site.After");
  Register(9, 1, 1, "Site.OtherType");
  components_.Bill("Site.First", journal_, [](auto&, DictionaryPtr& hook, auto&, auto& msg) {
    DictionaryPtr replaced = Dictionary::Create();
    replaced->Write("From", "first");
    hook = replaced;
    msg += "one;";
  });
  components_.Bill("Site.Second", journal_, [](auto&, DictionaryPtr& hook, auto&, auto& msg) {
    msg += "two saw " + hook->Read("From").ToString() + ";";
  });
  components_.Bill("Site.Veto", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = -1;
    msg += "refused by site";
  });
  components_.Bill("Site.After", journal_);
  components_.Bill("Site.OtherType", journal_);

  EXPECT_TRUE(RunBill(21));
  EXPECT_EQ(*journal_, (Journal{"Site.First", "Site.Second", "Site.Veto"}));
  EXPECT_EQ(msg_, "one;two saw first;refused by site");
  EXPECT_EQ(ret_, -1);
  EXPECT_EQ(dict_hook_->Read("From"), Variant("first"));
}

// A component that fails or cannot serve ends the calls silently, keeping what was set before.
TEST_F(HooksTest, ComponentsThatFailOrCannotServeEndTheCalls) {
  struct Case {
    const char* prog_id;
    Journal ran;
  };
  const Case cases[] = {
      {"Site.Broken", {"Site.First", "Site.Broken"}},
      {"Site.Missing", {"Site.First"}},    // not registered in the factory at all
      {"Site.StageOnly", {"Site.First"}},  // offering only the type-2 form
  };
  components_.Bill("Site.First", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = 5;
    msg = "noted";
  });
  components_.Bill("Site.Broken", journal_, [](auto&, auto&, auto&, auto&) {
    throw Error(1234, "Site.Broken", "site component failed");
  });
  components_.Stage("Site.StageOnly", journal_);
  components_.Bill("Site.After", journal_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prog_id);
    Exec("DELETE FROM t_ThirdPartyComponent");
    Register(9, 21, 1, "Site.First");
    Register(9, 21, 2, c.prog_id);
    Register(9, 21, 3, "Site.After");
    journal_->clear();
    ret_ = 0;
    msg_.clear();
    EXPECT_TRUE(RunBill(21));
    EXPECT_EQ(*journal_, c.ran);
    EXPECT_EQ(ret_, 5);
    EXPECT_EQ(msg_, "noted");
  }
}

// With the caller's connection the stage neither binds the service nor asks it for one.
TEST_F(HooksTest, AllAgreeingRunsTheStageInIndexOrderAndVotesCommit) {
  msg_ = "earlier text";
  Register(2, kStageAfterLoad, 20, "Site.Late");
  Register(2, kStageAfterLoad, 10, "Site.Early");
  Register(2, kStageBeforeSuccess, 1, "Site.OtherStage");
  components_.Stage("Site.Early", journal_, [](int32_t&, DictionaryPtr& hook) {
    hook->Write("Seen", "early");
    return true;
  });
  components_.Stage("Site.Late", journal_, [](int32_t&, DictionaryPtr& hook) {
    return hook->Read("Seen") == Variant("early");
  });
  components_.Stage("Site.OtherStage", journal_);

  EXPECT_EQ(RunStage(kStageAfterLoad), 0);
  EXPECT_EQ(*journal_, (Journal{"Site.Early@200001", "Site.Late@200001"}));
  EXPECT_EQ(msg_, "earlier text");
  EXPECT_EQ(log().votes, (std::vector<std::string>{"commit"}));
  EXPECT_EQ(log().bound_dsns, (std::vector<std::string>{kDsn}));

  const int requests = log().connection_requests;
  EXPECT_EQ(RunStage(kStageAfterLoad, connection()), 0);
  EXPECT_EQ(log().bound_dsns.size(), 1u);
  EXPECT_EQ(log().connection_requests, requests);
}

// What a refusal answers (its description, the abort vote) the whole-check tests show; here every
// way a component can refuse stops the stage with a text of its own.
TEST_F(HooksTest, RefusingOrFailingComponentsStopTheStage) {
  struct Case {
    const char* name;
    const char* prog_id;
    Journal ran;
  };
  components_.Stage("Site.Guard", journal_, [](int32_t&, DictionaryPtr&) { return false; });
  components_.Stage("Site.After", journal_);
  components_.Bill("Site.BillOnly", journal_);
  components_.Add("Site.Throws", []() -> ObjectPtr {
    throw Error(429, "factory", "cannot build the site component");
  });
  const Case cases[] = {
      {"refuses", "Site.Guard", {"Site.Guard@200001"}},
      {"unknown ProgID", "Site.Missing", {}},
      {"only the type-9 form", "Site.BillOnly", {}},
      {"factory fails", "Site.Throws", {}},
      {"blank registration", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Exec("DELETE FROM t_ThirdPartyComponent");
    Register(2, kStageAfterLoad, 1, c.prog_id);
    Register(2, kStageAfterLoad, 2, "Site.After");
    journal_->clear();
    log().votes.clear();
    msg_ = "earlier text";
    EXPECT_EQ(RunStage(kStageAfterLoad), kHookStageRefused);
    EXPECT_EQ(*journal_, c.ran);
    EXPECT_NE(msg_, "earlier text");
    EXPECT_FALSE(msg_.empty());
    EXPECT_EQ(log().votes, (std::vector<std::string>{"abort"}));
  }
}

}  // namespace
}  // namespace cb::hooks
