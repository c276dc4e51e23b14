// Tests of the tool's exit statuses and of --json: every way a run ends has its own status, and
// under
// --json stdout holds exactly one JSON value, errors included.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tool_run.h"

namespace cb::tool {
namespace {

using testing::ToolRun;

class ExitStatuses : public testing::ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    const ToolRun init = Run({"init", "--dsn", dsn_, "--demo"});
    ASSERT_EQ(init.exit_code, 0) << init.err;
    std::filesystem::copy_file(dir_ / "t.db", dir_ / "pristine.db");
  }
  // Every run of a table starts from the same fresh demo database.
  ToolRun RunFresh(const std::vector<std::string>& words, const std::string& stdin_text) const {
    std::filesystem::copy_file(dir_ / "pristine.db", dir_ / "t.db",
                               std::filesystem::copy_options::overwrite_existing);
    return Run(words, stdin_text);
  }
  std::vector<std::string> Bill(const char* verb, const char* type, const char* id) const {
    return {verb, "--dsn", dsn_ + ";UserID=16", "--type", type, "--id", id, "--date", "2026-12-05"};
  }
};

TEST_F(ExitStatuses, EachOutcomeHasItsStatusAndJsonStdoutIsOneValue) {
  struct Case {
    const char* name;
    std::vector<std::string> words;
    const char* stdin_text;
    int exit_code;
    const char* json_status;  // the error object's "status"; nullptr: the verb's own JSON
  };
  const std::vector<Case> cases = {
      {"done", Bill("check", "1", "1001"), "", 0, nullptr},
      {"refused: earlier period", Bill("check", "1", "1002"), "", 1, nullptr},
      {"question answered no", Bill("check", "21", "1003"), "n\n", 3, nullptr},
      {"question left unanswered", Bill("check", "21", "1003"), "", 3, nullptr},
      {"error exit: the engine found no such bill",
       {"check-bill", "--dsn", dsn_ + ";UserID=16", "--params",
        R"({"TransType":1,"InterID":9999,"CheckDate":"2026-12-05"})"},
       "",
       5,
       nullptr},
      {"bad usage: unknown verb", {"frobnicate"}, "", 2, "usage"},
      {"bad usage: id not a number",
       {"check", "--dsn", dsn_, "--type", "1", "--id", "x"},
       "",
       2,
       "usage"},
      {"error: database file missing",
       {"sql", "--dsn", "Provider=SQLite;Data Source=" + (dir_ / "none.db").string(), "SELECT 1"},
       "",
       5,
       "error"},
  };
  for (const Case& c : cases) {
    for (const bool as_json : {false, true}) {
      std::vector<std::string> words = c.words;
      if (as_json) words.push_back("--json");
      const ToolRun run = RunFresh(words, c.stdin_text);
      EXPECT_EQ(run.exit_code, c.exit_code) << c.name << " json=" << as_json << "\n" << run.err;
      if (!as_json) continue;
      const nlohmann::json value = nlohmann::json::parse(run.out, nullptr, false);
      ASSERT_FALSE(value.is_discarded()) << c.name << ": stdout is not one JSON value:\n"
                                         << run.out;
      if (c.json_status != nullptr) {
        EXPECT_EQ(value["error"]["status"], c.json_status) << c.name << ": " << run.out;
        EXPECT_EQ(value["error"]["exit"], c.exit_code) << c.name;
      } else {
        EXPECT_TRUE(value.contains("ReturnCode")) << c.name << ": " << run.out;
      }
    }
  }
}

TEST_F(ExitStatuses, HelpOfEveryVerbAndVersionSucceedAndListTheStatuses) {
  for (const char* verb : {"demo", "init", "check-bill", "check", "uncheck", "save", "delete",
                           "void", "restore", "sql", "call"}) {
    const ToolRun run = Run({verb, "--help"});
    EXPECT_EQ(run.exit_code, 0) << verb << "\n" << run.err;
    EXPECT_NE(run.out.find("--json"), std::string::npos) << verb << "\n" << run.out;
    EXPECT_NE(run.out.find("4  busy"), std::string::npos) << verb << "\n" << run.out;
  }
  const ToolRun version = Run({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out.rfind("checkbill ", 0), 0u) << version.out;
}

TEST_F(ExitStatuses, AnsweringNoSaysTheBillWasLeftAsItWas) {
  const ToolRun run = Run(Bill("check", "21", "1003"), "n\n");
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_NE(run.out.find("bill 1003 was left as it was"), std::string::npos) << run.out;
}

TEST_F(ExitStatuses, AMissingBillIsNamedWithItsType) {
  for (const char* verb : {"check", "uncheck", "save"}) {
    const ToolRun run = Run(Bill(verb, "21", "4242"));
    EXPECT_EQ(run.exit_code, 1) << verb;
    EXPECT_NE(run.err.find("bill 4242 of type 21 not found"), std::string::npos) << run.err;
  }
}

TEST_F(ExitStatuses, AMalformedDateNamesTheOption) {
  std::vector<std::string> words = Bill("check", "1", "1001");
  words.back() = "2026-13-45";
  const ToolRun run = Run(words);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("--date"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace cb::tool
