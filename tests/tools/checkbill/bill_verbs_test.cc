// Tests of the check-bill, bill and demo verbs beyond one command line: the built program run on
// demo databases, what it refuses because it would hurt, and how it waits for another writer.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tool_run.h"

namespace cb::tool {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::ToolRun;

class BillVerbs : public testing::ToolTest {
 protected:
  std::string Dsn(const fs::path& file) const {
    return "Provider=SQLite;Data Source=" + file.string();
  }
  std::vector<std::string> Bill(const char* verb, const char* type, const char* id) const {
    return {verb, "--dsn",  dsn_,         "--type", type, "--id",
            id,   "--date", "2026-12-05", "--user", "16"};
  }
};

TEST_F(BillVerbs, CheckBillTakesJsonAndPrintsTheRequestWithItsResults) {
  InitDemo();
  const ToolRun run = Run({"check-bill", "--dsn", dsn_, "--params",
                           R"({"InterID":1001,"TransType":1,"ReCheck":0,)"
                           R"("CheckDate":"2026-12-05","CheckerID":16,"Note":[1,{"a":"b"}]})"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const json result = json::parse(run.out, nullptr, false);
  ASSERT_TRUE(result.is_object()) << run.out;
  EXPECT_EQ(result["InterID"], 1001);
  EXPECT_EQ(result["Note"], json::parse(R"([1,{"a":"b"}])"));
  EXPECT_EQ(result["ReturnCode"], 0) << result.dump();
  EXPECT_EQ(result["ReturnString2"], "");
  EXPECT_TRUE(result["vectItemInfo"].is_array());
  EXPECT_EQ(result["PropString"], dsn_);
  // 100 bolts to begin with, 40 received.
  EXPECT_EQ(Scalar("SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=1 AND FStockID=1"), 140);
  EXPECT_EQ(Scalar("SELECT FCheckerID FROM ICStockBill WHERE FInterID=1001"), 16);
  const std::string check_date = Scalar("SELECT FCheckDate FROM ICStockBill WHERE FInterID=1001");
  EXPECT_EQ(check_date.substr(0, 10), "2026-12-05");
}

TEST_F(BillVerbs, UncheckUndoesACheckWithTheSameBalances) {
  InitDemo();
  ASSERT_EQ(Run(Bill("check", "1", "1001")).exit_code, 0);
  EXPECT_EQ(Run(Bill("check", "1", "1001")).exit_code, 1);
  const ToolRun uncheck = Run(Bill("uncheck", "1", "1001"));
  EXPECT_EQ(uncheck.exit_code, 0) << uncheck.out;
  EXPECT_EQ(Scalar("SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=1 AND FStockID=1"), 100);
}

TEST_F(BillVerbs, DemoRunsTheTourAndShowsTheRefusals) {
  const ToolRun run = Run({"demo"});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_TRUE(fs::exists(dir_ / "demo.db"));
  // The tour's outcomes come from the engine (its rules have their own tests): it shows the
  // refusals and the widgets going negative once the user agreed.
  for (const char* shown : {"Cannot check bills of earlier accounting periods!",
                            "The bill has been hooked with invoice [PINV000001]!",
                            "Widget:      5 -> -3", "exceeds its over-receipt ratio"}) {
    EXPECT_NE(run.out.find(shown), std::string::npos) << shown << "\n" << run.out;
  }
  // A second run starts again from a fresh database.
  const ToolRun again = Run({"demo"});
  EXPECT_EQ(again.exit_code, 0) << again.err;
  EXPECT_EQ(again.out, run.out);
  // The command the tour suggests at its end works as printed (shell quotes around the DSN).
  const std::string prompt = "Try it yourself: checkbill ";
  const size_t at = run.out.find(prompt);
  ASSERT_NE(at, std::string::npos) << run.out;
  std::istringstream suggestion(run.out.substr(at + prompt.size()));
  std::string line;
  std::getline(suggestion, line);
  std::istringstream words_in(line);
  std::vector<std::string> words;
  std::string word;
  while (words_in >> std::quoted(word)) words.push_back(word);
  const ToolRun suggested = Run(words);
  EXPECT_EQ(suggested.exit_code, 0) << line << "\n" << suggested.out << suggested.err;
}

TEST_F(BillVerbs, DemoReplacesOnlyADatabaseItMadeItself) {
  // An earlier demo's database is replaced: a second run starts afresh.
  const fs::path demo = dir_ / "demo.db";
  ASSERT_EQ(Run({"demo", "--dsn", Dsn(demo)}).exit_code, 0);
  ASSERT_EQ(Run({"demo", "--dsn", Dsn(demo)}).exit_code, 0);

  const fs::path text_file = dir_ / "notes.db";
  std::ofstream(text_file) << "my notes";
  const fs::path suite = dir_ / "suite.db";
  ASSERT_EQ(Run({"init", "--dsn", Dsn(suite), "--demo"}).exit_code, 0);
  const fs::path read_only = dir_ / "read_only.db";
  fs::copy_file(demo, read_only);
  ::chmod(read_only.c_str(), 0444);

  struct Case {
    fs::path file;
    const char* reason;
  };
  const Case cases[] = {
      {text_file, "was not made by the demo"},
      {suite, "was not made by the demo"},
      {read_only, "read-only"},
  };
  for (const Case& c : cases) {
    const std::string before = testing::Contents(c.file);
    const ToolRun run = Run({"demo", "--dsn", Dsn(c.file)});
    EXPECT_EQ(run.exit_code, 1) << c.file;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.file << ": " << run.err;
    EXPECT_EQ(testing::Contents(c.file), before) << c.file;
  }
}

TEST_F(BillVerbs, DemoSqlAndCheckWaitForAnotherWriterThenGiveUpWithoutHarm) {
  const fs::path demo = dir_ / "demo.db";
  ASSERT_EQ(Run({"demo", "--dsn", Dsn(demo)}).exit_code, 0);
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(demo.c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

  // Each run waits out the lock timeout: they wait together.
  const std::vector<ToolRun> runs = RunTogether({
      {"demo", "--dsn", Dsn(demo)},
      {"sql", "--dsn", Dsn(demo), "DELETE FROM ICStockBill"},
      {"check", "--dsn", Dsn(demo), "--type", "1", "--id", "1001", "--user", "16", "--date",
       "2026-12-05"},
  });
  const ToolRun& demo_run = runs[0];
  EXPECT_EQ(demo_run.exit_code, 1);
  EXPECT_NE(demo_run.err.find("in use by another program"), std::string::npos) << demo_run.err;
  EXPECT_TRUE(fs::exists(demo));

  const ToolRun& sql = runs[1];
  EXPECT_EQ(sql.exit_code, 4);
  EXPECT_NE(sql.err.find("waited for another writer"), std::string::npos) << sql.err;

  const ToolRun& check = runs[2];
  EXPECT_EQ(check.exit_code, 4) << check.out << check.err;
  EXPECT_NE((check.out + check.err).find("waited for another writer"), std::string::npos)
      << check.out << check.err;

  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  const ToolRun count = Run({"sql", "--dsn", Dsn(demo), "SELECT COUNT(*) AS n FROM ICStockBill"});
  EXPECT_EQ(json::parse(count.out, nullptr, false), json::parse(R"([{"n":7}])"));
}

}  // namespace
}  // namespace cb::tool
