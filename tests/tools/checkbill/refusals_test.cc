// Tests of what the tool refuses because it would hurt: replacing a database the demo did not make,
// a checker that is no user, fractional or conflicting request values, absurdly nested JSON, a
// batch that fails half-way, a database file created by a verb that should not, a lock held by
// another writer.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace cb::tool {
namespace {

namespace fs = std::filesystem;
using testing::ToolRun;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Refusals : public testing::ToolTest {
 protected:
  std::string Dsn(const fs::path& file) const {
    return "Provider=SQLite;Data Source=" + file.string();
  }

  // Checked bills among the demo's stock bills.
  nlohmann::json CheckedBills() const {
    return Scalar("SELECT COUNT(*) AS n FROM ICStockBill WHERE ISNULL(FCheckerID, 0) <> 0");
  }
};

TEST_F(Refusals, DemoReplacesOnlyADatabaseItMadeItself) {
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
    const std::string before = Contents(c.file);
    const ToolRun run = Run({"demo", "--dsn", Dsn(c.file)});
    EXPECT_EQ(run.exit_code, 1) << c.file;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.file << ": " << run.err;
    EXPECT_EQ(Contents(c.file), before) << c.file;
  }
}

TEST_F(Refusals, DemoSqlAndCheckWaitForAnotherWriterThenGiveUpWithoutHarm) {
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
  EXPECT_EQ(nlohmann::json::parse(count.out, nullptr, false),
            nlohmann::json::parse(R"([{"n":7}])"));
}

TEST_F(Refusals, ACheckerMustBeARealUserAndNothingIsCheckedOtherwise) {
  InitDemo();
  const std::string bill = R"("InterID":1001,"TransType":1,"CheckDate":"2026-12-05")";
  const std::vector<std::vector<std::string>> cases = {
      {"check", "--dsn", dsn_, "--type", "1", "--id", "1001", "--user", "0"},
      {"check", "--dsn", dsn_, "--type", "1", "--id", "1001", "--user", "-3"},
      {"check", "--dsn", dsn_, "--type", "1", "--id", "1001"},
      {"check", "--dsn", dsn_ + ";UserID=0", "--type", "1", "--id", "1001"},
      {"check-bill", "--dsn", dsn_, "--params", "{" + bill + "}"},
      {"check-bill", "--dsn", dsn_ + ";UserID=16", "--params", "{" + bill + R"(,"CheckerID":-1})"},
  };
  for (const auto& words : cases) {
    const ToolRun run = Run(words);
    EXPECT_EQ(run.exit_code, 2) << words.back() << "\n" << run.err;
  }
  EXPECT_EQ(CheckedBills(), 0);
}

TEST_F(Refusals, RequestValuesThatCannotBeMeantAreUsageErrors) {
  InitDemo();
  const std::string user_dsn = dsn_ + ";UserID=16";
  // Too long for one argument of a command line: it comes from a file.
  const fs::path deep = dir_ / "deep.json";
  std::ofstream(deep) << R"({"InterID":1001,"TransType":1,"x":)" << std::string(100000, '[')
                      << std::string(100000, ']') << "}";
  const std::vector<std::vector<std::string>> cases = {
      // Never bill 1002.
      {"check-bill", "--dsn", user_dsn, "--params", R"({"InterID":1001.7,"TransType":1})"},
      {"check-bill", "--dsn", user_dsn, "--params", R"({"InterID":"1001","TransType":1})"},
      {"check-bill", "--dsn", user_dsn, "--params",
       R"({"InterID":1001,"TransType":1,"PropString":"Provider=SQLite;Data Source=other.db"})"},
      {"check-bill", "--dsn", user_dsn, "--params", "@" + deep.string()},
      {"check-bill", "--dsn", user_dsn + ";Language=xx", "--params",
       R"({"InterID":1001,"TransType":1})"},
      {"check", "--dsn", user_dsn + ";Language=xx", "--type", "1", "--id", "1001"},
      // Params that are no JSON object.
      {"check-bill", "--dsn", user_dsn, "--params", "[1,2]"},
      {"check-bill", "--dsn", user_dsn, "--params", "{oops"},
      {"check-bill", "--dsn", user_dsn, "--params", "7"},
  };
  for (const auto& words : cases) {
    const ToolRun run = Run(words);
    EXPECT_EQ(run.exit_code, 2) << words.back().substr(0, 80) << "\n" << run.err;
  }
  EXPECT_EQ(CheckedBills(), 0);
}

TEST_F(Refusals, AFailingBatchIsRolledBackWholeAndNamesTheFailingLine) {
  InitDemo();
  const ToolRun run = Run({"sql", "--dsn", dsn_,
                           "DELETE FROM ICStockBill WHERE FInterID = 1001\r\n"
                           "\r\n"
                           "SELECT FQty FROM NoSuchTable"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.err.find("line 3 of the batch"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("NoSuchTable"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("rolled back"), std::string::npos) << run.err;
  EXPECT_EQ(Scalar("SELECT COUNT(*) AS n FROM ICStockBill WHERE FInterID = 1001"), 1);
}

TEST_F(Refusals, OnlyInitAndDemoCreateADatabaseFile) {
  const std::vector<std::vector<std::string>> cases = {
      {"sql", "--dsn", dsn_, "SELECT 1 AS a"},
      {"check", "--dsn", dsn_, "--type", "1", "--id", "1001", "--user", "16"},
      {"check-bill", "--dsn", dsn_ + ";UserID=16", "--params", R"({"InterID":1001,"TransType":1})"},
      {"call", "CheckNow.GetSystemProfile", "--dsn", dsn_},
  };
  for (const auto& words : cases) {
    const ToolRun run = Run(words);
    EXPECT_NE(run.exit_code, 0) << words.front();
    EXPECT_FALSE(fs::exists(dir_ / "t.db")) << words.front();
  }
}

}  // namespace
}  // namespace cb::tool
