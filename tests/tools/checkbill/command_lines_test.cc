// The tool's command lines and how each run ends: its exit status, the texts it shows, what it
// leaves in the database, and under --json exactly one JSON value on stdout.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_database.h"

namespace cb::tool {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Words = std::vector<std::string>;

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

std::string ShellQuote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The bytes of a file; "" when there is none.
std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs the built program with words in folder dir (stderr goes through err_name there); stdin_text
// is what the program reads on its standard input.
ToolRun RunTool(const fs::path& dir, const Words& words, const std::string& stdin_text,
                const std::string& err_name) {
  const fs::path err_file = dir / err_name;
  std::string command = "cd " + ShellQuote(dir.string()) + " && printf %s " +
                        ShellQuote(stdin_text) + " | " + ShellQuote(CHECKBILL_BINARY);
  for (const std::string& word : words) command += " " + ShellQuote(word);
  command += " 2>" + ShellQuote(err_file.string());
  ToolRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int status = ::pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = Contents(err_file);
  return run;
}

// The database a row's run starts from: the demo's rows come from init --demo, so the demo verb
// refuses to replace them.
enum class Start { kNoFile, kEmptyFile, kTextFile, kDemo, kReadOnlyDemo };
constexpr const char* kNotes = "my notes";

struct Row {
  Start start;
  Words words;  // "DSN" at the start of a word stands for the database's DSN
  int exit_code;
  const char* json = nullptr;  // run again with --json: the error's "status", or "" for a result
  std::vector<std::string> texts = {};                          // each shown on stdout or stderr
  const char* answers = "";                                     // standard input
  const char* rows = nullptr;                                   // stdout as this JSON value
  std::vector<std::pair<const char*, const char*>> after = {};  // query, its rows as JSON
  Words first = {};  // a command line run before the row's own, on the same start
};

// Every row of every table of a database file, as text (the file's bytes change even when no row
// does).
std::string AllRows(const fs::path& file) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  const auto append = [](void* text, int count, char** cells, char**) {
    for (int i = 0; i < count; ++i) {
      *static_cast<std::string*>(text) += std::string(cells[i] ? cells[i] : "NULL") + "|";
    }
    *static_cast<std::string*>(text) += "\n";
    return 0;
  };
  std::string tables;
  sqlite3_exec(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", append,
               &tables, nullptr);
  std::string all = tables;
  std::istringstream names(tables);
  for (std::string name; std::getline(names, name);) {
    const std::string query = "SELECT * FROM \"" + name.substr(0, name.size() - 1) + "\"";
    sqlite3_exec(db, query.c_str(), append, &all, nullptr);
  }
  sqlite3_close(db);
  return all;
}

class CommandLines : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"init", "--dsn", dsn_, "--demo"}).exit_code, 0);
    fs::rename(dir_ / "t.db", dir_ / "pristine.db");
    std::ofstream(dir_ / "batch.sql")
        << "DECLARE @n INT\r\nSET @n = 40 + 2\r\nSELECT @n AS answer\r\n";
  }

  ToolRun Run(const Words& words, const std::string& stdin_text = "") const {
    return RunTool(dir_, words, stdin_text, "stderr.txt");
  }

  // Runs every command line at once, each with its own error file; the answers in their order.
  // Runs that each wait for the same lock then take one wait instead of one each.
  std::vector<ToolRun> RunTogether(const std::vector<Words>& runs) const {
    std::vector<std::future<ToolRun>> pending;
    for (size_t i = 0; i < runs.size(); ++i) {
      pending.push_back(std::async(std::launch::async, [this, &runs, i] {
        return RunTool(dir_, runs[i], "", "stderr" + std::to_string(i) + ".txt");
      }));
    }
    std::vector<ToolRun> done;
    for (std::future<ToolRun>& run : pending) done.push_back(run.get());
    return done;
  }

  Words WithDsn(Words words) const {
    for (std::string& word : words) {
      if (word.rfind("DSN", 0) == 0) word = dsn_ + word.substr(3);
    }
    return words;
  }

  // Makes the row's start and runs the command line it names first.
  void Prepare(const Row& row) const {
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(db_ + suffix);
    if (row.start == Start::kDemo || row.start == Start::kReadOnlyDemo) {
      fs::copy_file(dir_ / "pristine.db", db_);
    }
    if (row.start == Start::kReadOnlyDemo) ::chmod(db_.c_str(), 0444);
    if (row.start == Start::kEmptyFile) std::ofstream(db_).flush();
    if (row.start == Start::kTextFile) std::ofstream(db_) << kNotes;
    if (!row.first.empty()) {
      EXPECT_EQ(Run(WithDsn(row.first)).exit_code, 0);
    }
  }

  // The database as a run finds or leaves it: its rows, the file's bytes, or no file.
  std::string Seen(Start start) const {
    if (!fs::exists(db_)) return "no file";
    if (start == Start::kDemo || start == Start::kReadOnlyDemo) return AllRows(db_);
    return Contents(db_);
  }

  void Check(const std::vector<Row>& rows) const {
    for (const Row& row : rows) {
      std::string line;
      for (const std::string& word : row.words) line += word.substr(0, 60) + " ";
      SCOPED_TRACE(line);
      Prepare(row);
      const std::string before = Seen(row.start);
      const ToolRun run = Run(WithDsn(row.words), row.answers);
      EXPECT_EQ(run.exit_code, row.exit_code) << run.out << run.err;
      for (const std::string& text : row.texts) {
        EXPECT_NE((run.out + run.err).find(text), std::string::npos) << run.out << run.err;
      }
      if (row.exit_code == 2) {
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
      }
      if (row.rows != nullptr) {
        EXPECT_EQ(json::parse(run.out, nullptr, false), json::parse(row.rows));
      }
      // A run that did not end done changes nothing, and only init and demo create a file.
      if (row.exit_code != 0) {
        EXPECT_TRUE(Seen(row.start) == before) << "the database changed";
      }
      for (const auto& [query, expected] : row.after) {
        const ToolRun answer = Run({"sql", "--dsn", dsn_, query});
        EXPECT_EQ(json::parse(answer.out, nullptr, false), json::parse(expected)) << query;
      }
      if (row.json == nullptr) continue;
      Prepare(row);
      Words words = WithDsn(row.words);
      words.push_back("--json");
      const ToolRun as_json = Run(words, row.answers);
      EXPECT_EQ(as_json.exit_code, row.exit_code);
      const json value = json::parse(as_json.out, nullptr, false);
      ASSERT_FALSE(value.is_discarded()) << "stdout is not one JSON value:\n" << as_json.out;
      if (*row.json == '\0') {
        EXPECT_TRUE(value.contains("ReturnCode")) << as_json.out;
      } else {
        EXPECT_EQ(value["error"]["status"], row.json) << as_json.out;
        EXPECT_EQ(value["error"]["exit"], row.exit_code) << as_json.out;
      }
    }
  }

  cb::testing::TempDatabase scratch_;
  const fs::path dir_ = scratch_.directory();
  const std::string db_ = (dir_ / "t.db").string();
  const std::string dsn_ = "Provider=SQLite;Data Source=" + db_;
};

using enum Start;

Words Bill(const char* verb, const char* type, const char* id) {
  return {verb, "--dsn", "DSN;UserID=16", "--type", type, "--id", id, "--date", "2026-12-05"};
}
Words CheckBill(const std::string& params, const char* dsn = "DSN;UserID=16") {
  return {"check-bill", "--dsn", dsn, "--params", params};
}
Words Yes(Words words) {
  words.push_back("--yes");
  return words;
}
Words Sql(const std::string& batch) {
  return {"sql", "--dsn", "DSN", batch};
}
Words Call(const char* member, const char* params) {
  return {"call", member, "--dsn", "DSN", "--params", params};
}

TEST_F(CommandLines, EachOutcomeOfABillVerbHasItsStatus) {
  const char* kNotFound = "bill 4242 of type 21 not found";
  const char* kSchema = "already holds the suite's schema";
  const char* kNotTheDemos = "was not made by the demo";
  Words bad_date = Bill("check", "1", "1001");
  bad_date.back() = "2026-13-45";
  Check({
      {kDemo, Bill("check", "1", "1001"), 0, ""},
      {kDemo, Bill("check", "1", "1002"), 1, ""},
      {kDemo, Bill("check", "21", "1003"), 3, "", {"[y/n]", "bill 1003 was left as it was"}, "n\n"},
      {kDemo, Bill("check", "21", "1003"), 3, nullptr, {}, "y\nn\n"},
      {kDemo, Bill("check", "24", "1004"), 3, nullptr, {"deviates from the stock limits"}, "n\n"},
      {kDemo, Bill("check", "21", "1005"), 3, nullptr, {"lock-stock information of the"}, "n\n"},
      {kDemo, Bill("save", "21", "4242"), 1, nullptr, {kNotFound}},
      {kDemo, bad_date, 2, nullptr, {"--date"}},
      // The engine found no such bill: its error exit.
      {kDemo, CheckBill(R"({"TransType":1,"InterID":9999,"CheckDate":"2026-12-05"})"), 5, ""},
      // --params from standard input, or from a file that is not there.
      {kDemo,
       CheckBill("-"),
       0,
       "",
       {},
       R"({"TransType":1,"InterID":1001,"CheckDate":"2026-12-05"})"},
      {kDemo, CheckBill("@none.json"), 2, nullptr, {"none.json"}},
      {kDemo, {"init", "--dsn", "DSN", "--demo"}, 1, nullptr, {kSchema}},
      // The demo replaces only a database it made itself.
      {kDemo, {"demo", "--dsn", "DSN"}, 1, nullptr, {kNotTheDemos}},
      {kTextFile, {"demo", "--dsn", "DSN"}, 1, nullptr, {kNotTheDemos}},
      {kReadOnlyDemo, {"demo", "--dsn", "DSN"}, 1, nullptr, {"is read-only"}},
  });
}

// Refusing a question leaves the bill as it was (above); agreeing lets the check go ahead.
TEST_F(CommandLines, ARunThatEndsDoneLeavesWhatItDid) {
  const char* kBolts = "SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=1 AND FStockID=1";
  const char* kWidgets = "SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=2 AND FStockID=1";
  const char* kFloor = "SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=2 AND FStockID=2";
  const char* kReserved = "SELECT ISNULL(SUM(FQty), 0) AS q FROM t_LockStock WHERE FInterID=2001";
  const auto agreed = [](Words words, const char* answers, const char* shown,
                         std::vector<std::pair<const char*, const char*>> after) {
    return Row{kDemo, std::move(words), 0, nullptr, {shown}, answers, nullptr, std::move(after)};
  };
  Check({
      // check-bill prints the request, whole numbers as integers, with the results.
      {.start = kDemo,
       .words = CheckBill(
           R"({"TransType":1,"InterID":1001.0,"CheckDate":"2026-12-05","Note":[1,{"a":"b"}]})"),
       .exit_code = 0,
       .json = "",
       .texts = {R"("InterID":1001,)", R"("Note":[1,{"a":"b"}])", R"("ReturnCode":0,)"},
       .after = {{kBolts, R"([{"q":140}])"},
                 {"SELECT FCheckerID, FCheckDate FROM ICStockBill WHERE FInterID=1001",
                  R"([{"FCheckerID":16,"FCheckDate":"2026-12-05"}])"}}},
      // An uncheck takes a check by the user --user names back.
      {.start = kDemo,
       .words = Bill("uncheck", "1", "1001"),
       .exit_code = 0,
       .after = {{kBolts, R"([{"q":100}])"}},
       .first = {"check", "--dsn", "DSN", "--user", "16", "--type", "1", "--id", "1001", "--date",
                 "2026-12-05"}},
      // The widget's two questions: its safety stock (0), then a negative balance; 5 in, 8 out.
      agreed(Yes(Bill("check", "21", "1003")), "", "negative balance",
             {{kWidgets, R"([{"q":-3}])"}, {kReserved, R"([{"q":10}])"}}),
      agreed(Bill("check", "21", "1003"), "y\ny\n", "[y/n]", {{kWidgets, R"([{"q":-3}])"}}),
      agreed(Bill("check", "24", "1004"), "y\n", "stock limits", {{kBolts, R"([{"q":50}])"}}),
      // Agreeing to the reservation question gives the sales order's reservation up.
      agreed(Bill("check", "21", "1005"), "y\n", "lock-stock",
             {{kFloor, R"([{"q":5}])"}, {kReserved, R"([{"q":0}])"}}),
      // init without --demo makes an empty suite.
      {kNoFile,
       {"init", "--dsn", "DSN"},
       0,
       nullptr,
       {},
       "",
       nullptr,
       {{"SELECT COUNT(*) AS n FROM ICStockBill", R"([{"n":0}])"},
        {"SELECT COUNT(*) AS n FROM ICTransactionType WHERE FID=21", R"([{"n":1}])"}}},
      // call --list names each member with its parameters: directions and defaults.
      {kNoFile,
       {"call", "--list"},
       0,
       nullptr,
       {R"("member":"CheckNow.WriteBackStockProcess")",
        R"({"name":"sReturn","type":"string","direction":"in/out"})",
        R"({"name":"bVirtualStock","type":"boolean","direction":"in","default":false})"}},
  });
}

TEST_F(CommandLines, ACheckerThatIsNoUserAndValuesThatCannotBeMeantAreUsageErrors) {
  const std::string bill = R"("InterID":1001,"TransType":1,"CheckDate":"2026-12-05")";
  std::vector<Row> rows = {
      {kDemo, {"check", "--dsn", "DSN", "--type", "1", "--id", "1001", "--user", "0"}, 2},
      {kDemo, {"check", "--dsn", "DSN", "--type", "1", "--id", "1001"}, 2},
      {kDemo, {"check", "--dsn", "DSN;UserID=0", "--type", "1", "--id", "1001"}, 2},
      {kDemo, {"check", "--dsn", "DSN;UserID=16;Language=xx", "--type", "1", "--id", "1001"}, 2},
      {kDemo, {"check", "--dsn", "DSN", "--type", "1", "--id", "x"}, 2, "usage"},
      {kDemo, CheckBill("{" + bill + "}", "DSN"), 2},
      {kNoFile, {"frobnicate"}, 2, "usage"},
      {kNoFile, {}, 2},
  };
  for (const std::string& params : {
           // Never bill 1002; integers are in range (whole ones: see call below).
           std::string(R"({"InterID":3000000000,"TransType":1})"),
           std::string(
               R"({"InterID":1001,"TransType":1,"PropString":"Provider=SQLite;Data Source=o.db"})"),
           "{" + bill + R"(,"CheckerID":-1})",
           std::string("[1,2]"),
           std::string("{oops"),
       }) {
    rows.push_back({kDemo, CheckBill(params), 2});
  }
  Check(rows);
}

TEST_F(CommandLines, SqlPrintsTheFirstResultSetAndRollsAFailingBatchBack) {
  Check({
      {.start = kEmptyFile,
       .words = Sql("CREATE TABLE t_Unit (FItemID INT NOT NULL, FName VARCHAR(80) NULL)\r\n"
                    "INSERT INTO t_Unit (FItemID, FName) VALUES (1, 'kg')\r\n"
                    "INSERT INTO t_Unit (FItemID, FName) VALUES (2, NULL)\n"
                    "SELECT FItemID, FName FROM t_Unit ORDER BY FItemID\n"
                    "SELECT COUNT(*) AS n FROM t_Unit"),
       .exit_code = 0,
       .rows = R"([{"FItemID":1,"FName":"kg"},{"FItemID":2,"FName":null}])"},
      {.start = kEmptyFile,
       .words =
           Sql("CREATE TABLE #T (FDate DATETIME NULL, FStamp DATETIME NULL, FFlag BIT NOT NULL,\n"
               "  FQty DECIMAL(28,10) NOT NULL, FNote NVARCHAR(20) NULL)\n"
               "INSERT INTO #T VALUES ('2024-03-07', '2024-03-07 10:20:30', 1, 2.5, NULL)\n"
               "INSERT INTO #T VALUES (NULL, NULL, 0, -3, 'x')\n"
               "SELECT FDate, FStamp, FFlag, FQty, FNote FROM #T ORDER BY FQty DESC"),
       .exit_code = 0,
       .rows = R"([{"FDate":"2024-03-07","FStamp":"2024-03-07 10:20:30","FFlag":true,"FQty":2.5,
                    "FNote":null},{"FDate":null,"FStamp":null,"FFlag":false,"FQty":-3,"FNote":"x"}])"},
      {.start = kEmptyFile,
       .words = {"sql", "--dsn", "DSN", "--file", "batch.sql"},
       .exit_code = 0,
       .rows = R"([{"answer":42}])"},
      {kDemo,
       Sql("DELETE FROM ICStockBill WHERE FInterID = 1001\r\n\r\nSELECT FQty FROM NoSuchTable"),
       5,
       nullptr,
       {"line 3 of the batch", "NoSuchTable", "rolled back"}},
      {kEmptyFile, {"sql", "--dsn", "DSN", "--file", "none.sql"}, 2, nullptr, {"none.sql"}},
      {kNoFile,
       {"sql", "--dsn", "Provider=Other;Data Source=x", "SELECT 1"},
       5,
       nullptr,
       {"Other"}},
      {kNoFile, {"sql", "--dsn", "Provider=SQLite", "SELECT 1"}, 5, nullptr, {"Data Source"}},
      {kNoFile, Sql("SELECT 1 AS a"), 5, "error"},
      {kEmptyFile, {"sql", "SELECT 1"}, 2},
      {kEmptyFile, {"sql", "--dsn", "DSN"}, 2},
      {kEmptyFile, {"sql", "--dsn", "DSN", "--file", "a.sql", "SELECT 1"}, 2},
  });
}

TEST_F(CommandLines, CallAnswersOrRefusesBeforeAnyDatabaseWorkAndOnlyInitAndDemoCreateAFile) {
  const char* kCommitQty = "CheckNow.UpdateSEOrderBCommitQty";
  Check({
      {kDemo, Call("CPreCheck.TransMode", "{}"), 0, nullptr, {R"({"result":3})"}},
      {kDemo, Call("CQMCheckNow.TransMode", "{}"), 0, nullptr, {R"({"result":0})"}},
      // Members whose work is not in this build give their documented failure, never success;
      // this one also reads its recordsets from the bill named.
      {kDemo,
       Call("CQMCheckNow.IsCanUnCheckRequest",
            R"({"rsBillHead":{"TransType":1,"InterID":1001},)"
            R"("rsBillBody":{"TransType":1,"InterID":1001},)"
            R"("lngCheckSwitch":1,"strReturn":"kept","strLanguage":"en"})"),
       0,
       nullptr,
       {R"("strReturn":"kept")"}},
      {kDemo,
       Call("CheckNow.WriteBackStockProcess", R"({"blnUnCheck":false,"lInterID":1,"sReturn":""})"),
       0,
       nullptr,
       {R"("result":-200027)"}},
      {kNoFile, Call("CheckNow.NoSuchMethod", "{}"), 2},
      // InterID missing, of the wrong type, not whole; a name the member does not have.
      {kNoFile, Call(kCommitQty, R"({"sDsn":"x"})"), 2},
      {kNoFile, Call(kCommitQty, R"({"InterID":"seven"})"), 2},
      {kNoFile, Call(kCommitQty, R"({"InterID":7.5})"), 2},
      {kNoFile, Call(kCommitQty, R"({"InterID":7,"lInterID":7})"), 2, "usage"},
      // A parameter that cannot be given, and a recordset without its bill.
      {kNoFile, Call("CheckNow.GetSystemProfile", R"({"oConnection":1})"), 2},
      {kNoFile,
       Call("CQMCheckNow.IsCanUnCheckRequest",
            R"({"rsBillHead":{"TransType":1},"rsBillBody":{"TransType":1,"InterID":1},)"
            R"("lngCheckSwitch":1,"strReturn":"","strLanguage":"en"})"),
       2},
      {kNoFile, {"call", "CheckNow.GetSystemProfile", "--dsn", "DSN"}, 5},
      {kNoFile, Bill("check", "1", "1001"), 5},
  });
}

TEST_F(CommandLines, HelpOfEveryVerbAndVersionSucceedAndHelpListsTheStatuses) {
  std::vector<Row> rows = {{kNoFile, {"--version"}, 0, nullptr, {"checkbill "}}};
  for (const char* verb : {"demo", "init", "check-bill", "check", "uncheck", "save", "delete",
                           "void", "restore", "sql", "call"}) {
    rows.push_back({kNoFile, {verb, "--help"}, 0, nullptr, {"--json", "4  busy"}});
  }
  Check(rows);
}

TEST_F(CommandLines, DemoRunsTheTourAndShowsTheRefusals) {
  const ToolRun run = Run({"demo"});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  // The tour's outcomes come from the engine (its rules have their own tests): it shows the
  // refusals and the widgets going negative once the user agreed.
  for (const char* shown : {"Cannot check bills of earlier accounting periods!",
                            "The bill has been hooked with invoice [PINV000001]!",
                            "Widget:      5 -> -3", "exceeds its over-receipt ratio"}) {
    EXPECT_NE(run.out.find(shown), std::string::npos) << shown << "\n" << run.out;
  }
  // A second run replaces the first one's database and starts again from a fresh one.
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
  Words words;
  std::string word;
  while (words_in >> std::quoted(word)) words.push_back(word);
  const ToolRun suggested = Run(words);
  EXPECT_EQ(suggested.exit_code, 0) << line << "\n" << suggested.out << suggested.err;
}

TEST_F(CommandLines, DemoSqlAndCheckWaitForAnotherWriterThenGiveUpWithoutHarm) {
  ASSERT_EQ(Run({"demo", "--dsn", dsn_}).exit_code, 0);
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(db_.c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

  // Each run waits out the lock timeout: they wait together.
  const std::vector<ToolRun> runs = RunTogether({
      {"demo", "--dsn", dsn_},
      {"sql", "--dsn", dsn_, "DELETE FROM ICStockBill"},
      WithDsn(Bill("check", "1", "1001")),
  });
  EXPECT_EQ(runs[0].exit_code, 1);
  EXPECT_NE(runs[0].err.find("in use by another program"), std::string::npos) << runs[0].err;
  for (const ToolRun& waited : {runs[1], runs[2]}) {
    EXPECT_EQ(waited.exit_code, 4) << waited.out << waited.err;
    EXPECT_NE((waited.out + waited.err).find("waited for another writer"), std::string::npos)
        << waited.out << waited.err;
  }

  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  const ToolRun count = Run({"sql", "--dsn", dsn_, "SELECT COUNT(*) AS n FROM ICStockBill"});
  EXPECT_EQ(json::parse(count.out, nullptr, false), json::parse(R"([{"n":7}])"));
}

}  // namespace
}  // namespace cb::tool
