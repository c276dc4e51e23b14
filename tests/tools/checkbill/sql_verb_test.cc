// Tests of `checkbill sql`: the built program run on a temporary database file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

namespace fs = std::filesystem;

using cb::tool::testing::ToolRun;

class SqlVerb : public cb::tool::testing::ToolTest {
 protected:
  // sql never creates a database: an empty file is an empty SQLite database.
  void SetUp() override {
    ToolTest::SetUp();
    std::ofstream(dir_ / "t.db").flush();
  }

  // Runs a batch that must succeed and returns its printed rows.
  nlohmann::json Rows(const std::string& batch) const {
    const ToolRun run = Run({"sql", "--dsn", dsn_, batch});
    EXPECT_EQ(run.exit_code, 0) << batch << "\n" << run.err;
    return nlohmann::json::parse(run.out, nullptr, false);
  }
};

TEST_F(SqlVerb, PrintsRowsOfTheFirstResultSet) {
  EXPECT_EQ(Rows("CREATE TABLE t_Unit (FItemID INT NOT NULL, FName VARCHAR(80) NULL)"),
            nlohmann::json::array());
  EXPECT_EQ(Rows("INSERT INTO t_Unit (FItemID, FName) VALUES (1, 'kg')\r\n"
                 "INSERT INTO t_Unit (FItemID, FName) VALUES (2, NULL)"),
            nlohmann::json::array());
  EXPECT_EQ(Rows("SELECT FItemID, FName FROM t_Unit ORDER BY FItemID\n"
                 "SELECT COUNT(*) AS n FROM t_Unit"),
            nlohmann::json::parse(R"([{"FItemID":1,"FName":"kg"},{"FItemID":2,"FName":null}])"));
}

TEST_F(SqlVerb, PrintsTypedColumnsAsJsonTypes) {
  const nlohmann::json rows = Rows(
      "CREATE TABLE #Typed (FDate DATETIME NULL, FStamp DATETIME NULL, FFlag BIT NOT NULL,\n"
      "  FQty DECIMAL(28,10) NOT NULL, FNote NVARCHAR(20) NULL)\n"
      "INSERT INTO #Typed VALUES ('2024-03-07', '2024-03-07 10:20:30', 1, 2.5, NULL)\n"
      "INSERT INTO #Typed VALUES (NULL, NULL, 0, -3, 'x')\n"
      "SELECT FDate, FStamp, FFlag, FQty, FNote FROM #Typed ORDER BY FQty DESC\n"
      "DROP TABLE #Typed");
  EXPECT_EQ(rows, nlohmann::json::parse(R"([
      {"FDate":"2024-03-07","FStamp":"2024-03-07 10:20:30","FFlag":true,"FQty":2.5,"FNote":null},
      {"FDate":null,"FStamp":null,"FFlag":false,"FQty":-3,"FNote":"x"}])"));
}

TEST_F(SqlVerb, ReadsTheBatchFromAFile) {
  const fs::path batch = dir_ / "batch.sql";
  std::ofstream(batch) << "DECLARE @n INT\r\nSET @n = 40 + 2\r\nSELECT @n AS answer\r\n";
  const ToolRun run = Run({"sql", "--dsn", dsn_, "--file", batch.string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(nlohmann::json::parse(run.out), nlohmann::json::parse(R"([{"answer":42}])"));
}

TEST_F(SqlVerb, DatabaseErrorsGoToStderrWithTheErrorStatus) {
  const ToolRun run = Run({"sql", "--dsn", dsn_, "SELECT FQty FROM NoSuchTable"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("NoSuchTable"), std::string::npos) << run.err;

  const ToolRun missing = Run({"sql", "--dsn", dsn_, "--file", (dir_ / "none.sql").string()});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.err.find("none.sql"), std::string::npos) << missing.err;

  const ToolRun provider = Run({"sql", "--dsn", "Provider=Other;Data Source=x", "SELECT 1 AS a"});
  EXPECT_EQ(provider.exit_code, 5);
  EXPECT_NE(provider.err.find("Other"), std::string::npos) << provider.err;

  const ToolRun no_source = Run({"sql", "--dsn", "Provider=SQLite", "SELECT 1 AS a"});
  EXPECT_EQ(no_source.exit_code, 5);
  EXPECT_NE(no_source.err.find("Data Source"), std::string::npos) << no_source.err;
}

TEST_F(SqlVerb, UsageErrorsExitTwoAndPointToTheHelp) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"frobnicate"},
      {"sql", "SELECT 1"},
      {"sql", "--dsn", dsn_},
      {"sql", "--dsn", dsn_, "SELECT 1", "SELECT 2"},
      {"sql", "--dsn", dsn_, "--file", "a.sql", "SELECT 1"},
      {"sql", "--dsn", dsn_, "--params", "{}", "SELECT 1"},
  };
  for (const auto& words : bad) {
    const ToolRun run = Run(words);
    const std::string shown = words.empty() ? "(nothing)" : words.back();
    EXPECT_EQ(run.exit_code, 2) << shown;
    EXPECT_NE(run.err.find("--help"), std::string::npos) << shown << ": " << run.err;
    EXPECT_EQ(run.out, "") << shown;
  }
}

}  // namespace
