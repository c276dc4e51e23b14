// Tests of the type-2 hooks of a stage: agreement, refusal, failures and the votes they cast.
#include "frame/hooks/hook_stage.h"

#include <gtest/gtest.h>

#include "frame/hooks/hook_test_components.h"
#include "frame/profile/suite_database.h"

namespace cb::hooks {
namespace {

using testing::ComponentRegistrations;
using testing::Journal;

class HookStageTest : public cb::testing::SuiteDatabase {
 protected:
  void Register(int stage, int index, const std::string& srv) {
    Exec(
        "INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex, FComponentSrv) "
        "VALUES (2, " +
        std::to_string(stage) + ", " + std::to_string(index) + ", '" + srv + "')");
  }
  int32_t Run(int32_t stage, const db::ConnectionPtr& given = nullptr) {
    frame::ClassFrame frame;
    return RunHookStage(frame, stage, dict_hook_, msg_, given, "zh");
  }

  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
  ComponentRegistrations components_;
  static DictionaryPtr NewHookDictionary() {
    DictionaryPtr hook = Dictionary::Create();
    hook->Write("sDsn", kDsn);
    return hook;
  }

  DictionaryPtr dict_hook_ = NewHookDictionary();
  std::string msg_ = "earlier text";
};

TEST_F(HookStageTest, AllAgreeingRunsTheStageInIndexOrderAndVotesCommit) {
  Register(kStageAfterLoad, 20, "Site.Late");
  Register(kStageAfterLoad, 10, "Site.Early");
  Register(kStageBeforeSuccess, 1, "Site.OtherStage");
  components_.Stage("Site.Early", journal_, [](int32_t&, DictionaryPtr& hook) {
    hook->Write("Seen", "early");
    return true;
  });
  components_.Stage("Site.Late", journal_, [](int32_t&, DictionaryPtr& hook) {
    return hook->Read("Seen") == Variant("early");
  });
  components_.Stage("Site.OtherStage", journal_);

  EXPECT_EQ(Run(kStageAfterLoad), 0);
  EXPECT_EQ(*journal_, (Journal{"Site.Early@200001", "Site.Late@200001"}));
  EXPECT_EQ(msg_, "earlier text");
  EXPECT_EQ(log().votes, (std::vector<std::string>{"commit"}));
  ASSERT_EQ(log().bound_dsns.size(), 1u);
  EXPECT_EQ(log().bound_dsns[0], kDsn);
}

TEST_F(HookStageTest, NoComponentAgreesTrivially) {
  EXPECT_EQ(Run(kStageAfterWriteBack), 0);
  EXPECT_EQ(log().votes, (std::vector<std::string>{"commit"}));
}

TEST_F(HookStageTest, RefusalReportsTheComponentsDescriptionOrNoInformation) {
  struct Case {
    const char* name;
    std::function<void(Dictionary&)> explain;
    const char* expected_message;
  };
  const Case cases[] = {
      {"with description",
       [](Dictionary& hook) {
         hook.Write("ErrCode", -42);
         hook.Write("ErrSource", "Site.Guard");
         hook.Write("ErrDescription", "credit blocked by site");
       },
       "credit blocked by site"},
      {"without description", [](Dictionary& hook) { hook.Write("ErrCode", -42); },
       "No Information"},
  };
  Register(kStageBeforeSuccess, 1, "Site.Guard");
  Register(kStageBeforeSuccess, 2, "Site.After");
  components_.Stage("Site.After", journal_);
  for (const Case& c : cases) {
    components_.Stage("Site.Guard", journal_, [&c](int32_t&, DictionaryPtr& hook) {
      c.explain(*hook);
      return false;
    });
    journal_->clear();
    log().votes.clear();
    dict_hook_ = NewHookDictionary();
    msg_ = "earlier text";
    EXPECT_EQ(Run(kStageBeforeSuccess), kHookStageRefused) << c.name;
    EXPECT_EQ(msg_, c.expected_message) << c.name;
    EXPECT_EQ(*journal_, (Journal{"Site.Guard@200003"})) << c.name;
    EXPECT_EQ(log().votes, (std::vector<std::string>{"abort"})) << c.name;
  }
}

TEST_F(HookStageTest, ComponentsThatCannotServeRefuseTheStage) {
  struct Case {
    const char* name;
    const char* prog_id;
  };
  components_.Bill("Site.BillOnly", journal_);
  components_.Add("Site.Throws", []() -> ObjectPtr {
    throw Error(429, "factory", "cannot build the site component");
  });
  const Case cases[] = {
      {"unknown ProgID", "Site.Missing"},
      {"only the type-9 form", "Site.BillOnly"},
      {"factory fails", "Site.Throws"},
      {"blank registration", ""},
  };
  for (const Case& c : cases) {
    Exec("DELETE FROM t_ThirdPartyComponent");
    Register(kStageAfterLoad, 1, c.prog_id);
    log().votes.clear();
    msg_ = "earlier text";
    EXPECT_EQ(Run(kStageAfterLoad), kHookStageRefused) << c.name;
    EXPECT_NE(msg_, "earlier text") << c.name;
    EXPECT_FALSE(msg_.empty()) << c.name;
    EXPECT_EQ(log().votes, (std::vector<std::string>{"abort"})) << c.name;
  }
  EXPECT_TRUE(journal_->empty());
}

TEST_F(HookStageTest, FailingQueryRefusesWithItsDescription) {
  Exec("DROP TABLE t_ThirdPartyComponent");
  EXPECT_EQ(Run(kStageAfterLoad), kHookStageRefused);
  EXPECT_NE(msg_.find("t_ThirdPartyComponent"), std::string::npos) << msg_;
  EXPECT_EQ(log().votes, (std::vector<std::string>{"abort"}));
}

TEST_F(HookStageTest, GivenConnectionLeavesTheServiceUnbound) {
  Register(kStageAfterLoad, 1, "Site.Early");
  components_.Stage("Site.Early", journal_);
  EXPECT_EQ(Run(kStageAfterLoad, connection()), 0);
  EXPECT_TRUE(log().bound_dsns.empty());
  EXPECT_EQ(log().connection_requests, 0);
  EXPECT_EQ(*journal_, (Journal{"Site.Early@200001"}));
}

}  // namespace
}  // namespace cb::hooks
