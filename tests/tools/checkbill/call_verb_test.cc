// Tests of `checkbill call`: every public member answers through it, parameters are checked before
// any database work, and --list names every member with its parameters.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tool_run.h"

namespace cb::tool {
namespace {

using nlohmann::json;
using testing::ToolRun;

class CallVerb : public testing::ToolTest {
 protected:
  json Call(const std::string& member, const std::string& params, int exit_code = 0) const {
    const ToolRun run =
        Run({"call", member, "--dsn", dsn_ + ";UserID=16;Language=en", "--params", params});
    EXPECT_EQ(run.exit_code, exit_code) << member << "\n" << run.out << run.err;
    return json::parse(run.out, nullptr, false);
  }
};

TEST_F(CallVerb, ListNamesEveryPublicMemberWithItsParameters) {
  const ToolRun run = Run({"call", "--list"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const json list = json::parse(run.out, nullptr, false);
  ASSERT_TRUE(list.is_array()) << run.out;
  std::vector<std::string> members;
  for (const json& member : list) members.push_back(member["member"]);
  const std::vector<std::string> expected = {"CheckNow.TransMode",
                                             "CheckNow.CheckBill",
                                             "CheckNow.WriteBackStockProcess",
                                             "CheckNow.WriteBackICMrpResult",
                                             "CheckNow.CheckEbsarBill",
                                             "CheckNow.GetSystemProfile",
                                             "CheckNow.GetPeriodStartEnd",
                                             "CheckNow.UpdateSEOrderBCommitQty",
                                             "CPreCheck.TransMode",
                                             "CPreCheck.CheckChildExpandToItem",
                                             "CPreCheck.DoPriceAlert",
                                             "CQMCheckNow.TransMode",
                                             "CQMCheckNow.CheckQCBill",
                                             "CQMCheckNow.IsCanUnCheckRequest"};
  EXPECT_EQ(members, expected);
  // One member in full: names, directions and the default of the optional parameter.
  EXPECT_EQ(list[2]["params"], json::parse(R"([
      {"name":"sDsn","type":"string","direction":"in"},
      {"name":"blnUnCheck","type":"boolean","direction":"in"},
      {"name":"lInterID","type":"int32","direction":"in"},
      {"name":"sReturn","type":"string","direction":"in/out"},
      {"name":"bVirtualStock","type":"boolean","direction":"in","default":false}])"));
}

TEST_F(CallVerb, EachMemberAnswersWithItsResultAndByReferenceValues) {
  ASSERT_EQ(Run({"init", "--dsn", dsn_, "--demo"}).exit_code, 0);
  struct Case {
    const char* member;
    const char* params;
    const char* check;  // a JSON pointer into the answer
    json expected;
  };
  const std::vector<Case> cases = {
      {"CheckNow.TransMode", "{}", "/result", 2},
      {"CPreCheck.TransMode", "{}", "/result", 3},
      {"CQMCheckNow.TransMode", "{}", "/result", 0},
      {"CheckNow.CheckBill",
       R"({"DictParams":{"InterID":1001,"TransType":1,"ReCheck":0,"CheckDate":"2026-12-05",
           "OperateCode":1,"PropString":")"
       "%DSN%"
       R"(","CheckerID":16}})",
       "/DictParams/ReturnCode", 0},
      {"CheckNow.GetSystemProfile", "{}", "/result/IC|CurrentYear", "2026"},
      // A profile without the period number: false, the dates handed back unchanged.
      {"CheckNow.GetPeriodStartEnd",
       R"({"dictSysProfile":{},"nYear":2026,"dateStart":"2026-01-02","dateEnd":"2026-01-03"})",
       "/dateStart", "2026-01-02"},
      {"CheckNow.GetPeriodStartEnd",
       R"({"dictSysProfile":{},"nYear":2026,"dateStart":"2026-01-02","dateEnd":"2026-01-03"})",
       "/result", false},
      // Members whose work is not in this build give their documented failure, never success;
      // this one also reads its recordsets from the bill named.
      {"CQMCheckNow.IsCanUnCheckRequest",
       R"({"rsBillHead":{"TransType":1,"InterID":1001},"rsBillBody":{"TransType":1,"InterID":1001},)"
       R"("lngCheckSwitch":1,"strReturn":"kept","strLanguage":"en"})",
       "/strReturn", "kept"},
      {"CheckNow.WriteBackStockProcess", R"({"blnUnCheck":false,"lInterID":1,"sReturn":""})",
       "/result", -200027},
  };
  for (const Case& c : cases) {
    std::string params = c.params;
    if (const size_t at = params.find("%DSN%"); at != std::string::npos) {
      params.replace(at, 5, dsn_ + ";UserID=16;Language=en");
    }
    const json answer = Call(c.member, params);
    ASSERT_TRUE(answer.is_object()) << c.member;
    EXPECT_EQ(answer.value(json::json_pointer(c.check), json()), c.expected)
        << c.member << ": " << answer.dump();
  }
}

TEST_F(CallVerb, WrongCallsAreUsageErrorsBeforeAnyDatabaseWork) {
  // No database exists: a usage error must come before any attempt to open one.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"CheckNow.NoSuchMethod", "{}"},
      {"NoSuchClass.TransMode", "{}"},
      {"CheckNow.UpdateSEOrderBCommitQty", R"({"sDsn":"x"})"},                // InterID missing
      {"CheckNow.UpdateSEOrderBCommitQty", R"({"InterID":"seven"})"},         // wrong type
      {"CheckNow.UpdateSEOrderBCommitQty", R"({"InterID":7.5})"},             // not whole
      {"CheckNow.UpdateSEOrderBCommitQty", R"({"InterID":7,"lInterID":7})"},  // unknown name
      {"CheckNow.GetSystemProfile", R"({"oConnection":1})"},                  // cannot be given
      {"CQMCheckNow.IsCanUnCheckRequest",
       R"({"rsBillHead":{"TransType":1},"rsBillBody":{"TransType":1,"InterID":1},)"
       R"("lngCheckSwitch":1,"strReturn":"","strLanguage":"en"})"},
  };
  for (const auto& [member, params] : cases) {
    const ToolRun run = Run({"call", member, "--dsn", dsn_, "--params", params, "--json"});
    EXPECT_EQ(run.exit_code, 2) << member << " " << params << "\n" << run.out;
    EXPECT_EQ(json::parse(run.out, nullptr, false)["error"]["status"], "usage") << run.out;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "t.db")) << member;
  }
}

}  // namespace
}  // namespace cb::tool
