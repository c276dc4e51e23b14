// Tests of the type-9 hooks: registration lookup, calling order, veto and failures.
#include "frame/hooks/bill_hooks.h"

#include <gtest/gtest.h>

#include "frame/hooks/hook_test_components.h"
#include "frame/hooks/third_party_components.h"
#include "frame/profile/suite_database.h"

namespace cb::hooks {
namespace {

using testing::ComponentRegistrations;
using testing::Journal;

class BillHooksTest : public cb::testing::SuiteDatabase {
 protected:
  void Register(int type, int detail, int index, const std::string& srv,
                const std::string& name = "") {
    Exec(
        "INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex, FComponentSrv, "
        "FComponentName) VALUES (" +
        std::to_string(type) + ", " + std::to_string(detail) + ", " + std::to_string(index) +
        ", '" + srv + "', '" + name + "')");
  }
  bool Run(int32_t tran_type) {
    frame::ClassFrame frame;
    return RunThirdPartyHooks(frame, kDsn, kHookTypeBill, tran_type, kWhichComponentSrv, dict_hook_,
                              ret_, msg_);
  }

  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
  ComponentRegistrations components_;
  DictionaryPtr dict_hook_ = Dictionary::Create();
  int32_t ret_ = 0;
  std::string msg_;
};

TEST_F(BillHooksTest, CallsComponentsInIndexOrderAndHandsOnTheirDictionary) {
  Register(9, 21, 2, "Site.Second");
  Register(9, 21, 1, "Site.First");
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
  components_.Bill("Site.OtherType", journal_);

  EXPECT_TRUE(Run(21));
  EXPECT_EQ(*journal_, (Journal{"Site.First", "Site.Second"}));
  EXPECT_EQ(msg_, "one;two saw first;");
  EXPECT_EQ(ret_, 0);
  EXPECT_EQ(dict_hook_->Read("From"), Variant("first"));
}

TEST_F(BillHooksTest, NegativeCodeStopsTheComponentsAfterIt) {
  Register(9, 21, 2, "Site.Second");
  Register(9, 21, 1, "Site.First");
  components_.Bill("Site.First", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = -1;
    msg = "refused by site";
  });
  components_.Bill("Site.Second", journal_);

  EXPECT_TRUE(Run(21));
  EXPECT_EQ(*journal_, (Journal{"Site.First"}));
  EXPECT_EQ(ret_, -1);
  EXPECT_EQ(msg_, "refused by site");
}

TEST_F(BillHooksTest, FailureEndsTheCallsSilentlyKeepingWhatWasSet) {
  Register(9, 21, 1, "Site.First");
  Register(9, 21, 2, "Site.Broken");
  Register(9, 21, 3, "Site.Third");
  components_.Bill("Site.First", journal_, [](auto&, auto&, int32_t& ret, std::string& msg) {
    ret = 5;
    msg = "noted";
  });
  components_.Bill("Site.Broken", journal_, [](auto&, auto&, auto&, auto&) {
    throw Error(1234, "Site.Broken", "site component failed");
  });
  components_.Bill("Site.Third", journal_);

  EXPECT_TRUE(Run(21));
  EXPECT_EQ(*journal_, (Journal{"Site.First", "Site.Broken"}));
  EXPECT_EQ(ret_, 5);
  EXPECT_EQ(msg_, "noted");
}

TEST_F(BillHooksTest, ComponentsThatCannotServeEndTheCalls) {
  struct Case {
    const char* name;
    const char* prog_id;
  };
  // Not registered in the factory at all; registered but offering only the type-2 form.
  const Case cases[] = {{"unknown ProgID", "Site.Missing"}, {"wrong form", "Site.StageOnly"}};
  components_.Stage("Site.StageOnly", journal_);
  components_.Bill("Site.After", journal_);
  for (const Case& c : cases) {
    Exec("DELETE FROM t_ThirdPartyComponent");
    Register(9, 21, 1, c.prog_id);
    Register(9, 21, 2, "Site.After");
    journal_->clear();
    EXPECT_TRUE(Run(21)) << c.name;
    EXPECT_TRUE(journal_->empty()) << c.name;
    EXPECT_EQ(ret_, 0) << c.name;
  }
}

TEST_F(BillHooksTest, BlankRegistrationsAreSkippedAndNamesAreTrimmed) {
  Register(9, 21, 1, "   ");
  Register(9, 21, 2, "  Site.Padded  ");
  Exec("INSERT INTO t_ThirdPartyComponent (FTypeID, FTypeDetailID, FIndex) VALUES (9, 21, 3)");
  components_.Bill("Site.Padded", journal_);

  frame::ClassFrame frame;
  const VectorPtr listed = GetThirdPartyComponents(frame, kDsn, 9, 21, kWhichComponentSrv);
  ASSERT_NE(listed, nullptr);
  ASSERT_EQ(listed->Count(), 1u);
  EXPECT_EQ(listed->Item(0), Variant("Site.Padded"));

  EXPECT_TRUE(Run(21));
  EXPECT_EQ(*journal_, (Journal{"Site.Padded"}));
}

TEST_F(BillHooksTest, ListingByNameReadsTheSecondColumn) {
  Register(9, 21, 1, "Site.Server", "Site.Name");
  frame::ClassFrame frame;
  const VectorPtr names = GetThirdPartyComponents(frame, kDsn, 9, 21, 0);
  ASSERT_NE(names, nullptr);
  ASSERT_EQ(names->Count(), 1u);
  EXPECT_EQ(names->Item(0), Variant("Site.Name"));
}

TEST_F(BillHooksTest, NothingRegisteredListsNoneAndLetsTheOperationGoOn) {
  Register(9, 1, 1, "Site.OtherType");
  frame::ClassFrame frame;
  EXPECT_EQ(GetThirdPartyComponents(frame, kDsn, 9, 21, kWhichComponentSrv), nullptr);
  EXPECT_EQ(log().votes, (std::vector<std::string>{"commit"}));
  EXPECT_EQ(log().connection_requests, 1);
  EXPECT_TRUE(Run(21));
  EXPECT_EQ(ret_, 0);
  EXPECT_TRUE(msg_.empty());
}

}  // namespace
}  // namespace cb::hooks
