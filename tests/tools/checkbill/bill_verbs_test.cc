// Tests of the init, check-bill, bill and demo verbs: the built program run on demo databases.
#include <gtest/gtest.h>
#include <unistd.h>

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
using testing::ToolRun;

class BillVerbs : public testing::ToolTest {
 protected:
  double Widgets() const {
    return Scalar("SELECT SUM(FQty) AS FQty FROM ICInventory WHERE FItemID=2 AND FStockID=1");
  }

  std::vector<std::string> Bill(const char* verb, const char* type, const char* id) const {
    return {verb, "--dsn",  dsn_,         "--type", type, "--id",
            id,   "--date", "2026-12-05", "--user", "16"};
  }
};

TEST_F(BillVerbs, InitTwiceIsRefusedAndLeavesTheDatabaseAsItWas) {
  InitDemo();
  ASSERT_EQ(Scalar("SELECT COUNT(*) AS n FROM ICStockBill"), 7);
  for (const bool demo : {false, true}) {
    std::vector<std::string> words = {"init", "--dsn", dsn_};
    if (demo) words.push_back("--demo");
    const ToolRun again = Run(words);
    EXPECT_NE(again.exit_code, 0);
    EXPECT_NE(again.err.find("already holds the suite's schema"), std::string::npos) << again.err;
  }
  EXPECT_EQ(Scalar("SELECT COUNT(*) AS n FROM ICStockBill"), 7);
  EXPECT_EQ(
      Scalar("SELECT FValue FROM t_SystemProfile WHERE FCategory='IC' AND FKey='CurrentYear'"),
      "2026");
}

TEST_F(BillVerbs, InitWithoutDemoCreatesAnEmptySuite) {
  const ToolRun run = Run({"init", "--dsn", dsn_});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Scalar("SELECT COUNT(*) AS n FROM ICStockBill"), 0);
  EXPECT_EQ(Scalar("SELECT COUNT(*) AS n FROM ICTransactionType WHERE FID=21"), 1);
}

TEST_F(BillVerbs, CheckBillTakesJsonAndPrintsTheRequestWithItsResults) {
  InitDemo();
  const ToolRun run = Run({"check-bill", "--dsn", dsn_, "--params",
                           R"({"InterID":1001,"TransType":1,"ReCheck":0,)"
                           R"("CheckDate":"2026-12-05","CheckerID":16,"Note":[1,{"a":"b"}]})"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const nlohmann::json result = nlohmann::json::parse(run.out, nullptr, false);
  ASSERT_TRUE(result.is_object()) << run.out;
  EXPECT_EQ(result["InterID"], 1001);
  EXPECT_EQ(result["Note"], nlohmann::json::parse(R"([1,{"a":"b"}])"));
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

TEST_F(BillVerbs, CheckWithYesAnswersTheUnderStockQuestionAndTheStockGoesNegative) {
  InitDemo();
  std::vector<std::string> words = Bill("check", "21", "1003");
  words.push_back("--yes");
  const ToolRun run = Run(words);
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("negative balance"), std::string::npos) << run.out;
  // 5 widgets in stock, 8 delivered.
  EXPECT_EQ(Widgets(), -3);
}

TEST_F(BillVerbs, AnswersReadFromTheTerminalDecideWhetherTheCheckGoesAhead) {
  struct Case {
    const char* answer;
    int exit_code;
    double widgets;
  };
  // Two questions: the balance falls below the widget's safety stock (0), then below zero.
  for (const Case& c :
       {Case{"n\n", 3, 5}, Case{"", 3, 5}, Case{"y\nn\n", 3, 5}, Case{"y\ny\n", 0, -3}}) {
    InitDemo();
    const ToolRun run = Run(Bill("check", "21", "1003"), c.answer);
    EXPECT_EQ(run.exit_code, c.exit_code) << "answer '" << c.answer << "'\n" << run.out;
    EXPECT_NE(run.out.find("[y/n]"), std::string::npos) << run.out;
    EXPECT_EQ(Widgets(), c.widgets) << "answer '" << c.answer << "'";
    fs::remove(dir_ / "t.db");
  }
}

TEST_F(BillVerbs, SafetyStockAndReservationQuestionsLetTheBillThroughOnlyWhenAccepted) {
  struct Case {
    const char* type;
    const char* id;
    const char* question;
    const char* balance_query;
    double before;
    double after_yes;
  };
  const Case cases[] = {
      {"24", "1004", "deviates from the stock limits",
       "SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=1 AND FStockID=1", 100, 50},
      {"21", "1005", "lock-stock information of the related bills will be cleared",
       "SELECT SUM(FQty) AS q FROM ICInventory WHERE FItemID=2 AND FStockID=2", 12, 5},
  };
  const char* reserved = "SELECT ISNULL(SUM(FQty), 0) AS q FROM t_LockStock WHERE FInterID=2001";
  for (const Case& c : cases) {
    for (const bool yes : {false, true}) {
      InitDemo();
      const ToolRun run = Run(Bill("check", c.type, c.id), yes ? "y\n" : "n\n");
      EXPECT_EQ(run.exit_code, yes ? 0 : 3) << c.id << "\n" << run.out;
      EXPECT_NE(run.out.find(c.question), std::string::npos) << run.out;
      EXPECT_EQ(Scalar(c.balance_query), yes ? c.after_yes : c.before) << c.id << " yes=" << yes;
      // Agreeing to the reservation question gives the order's reservation up; nothing else does.
      const bool released = yes && std::string(c.id) == "1005";
      EXPECT_EQ(Scalar(reserved), released ? 0 : 10) << c.id << " yes=" << yes;
      fs::remove(dir_ / "t.db");
    }
  }
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
  EXPECT_NE(run.out.find("refused"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Cannot check bills of earlier accounting periods!"), std::string::npos);
  EXPECT_NE(run.out.find("This bill has already been checked!"), std::string::npos);
  // The receipt an invoice is hooked to keeps its stock: its uncheck names the invoice.
  EXPECT_NE(run.out.find("The bill has been hooked with invoice [PINV000001]!"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Hex bolt M8 in the Main warehouse (unchanged): 140"), std::string::npos)
      << run.out;
  // Bolts: received and unchecked again, then 50 issued; widgets: 5 - 8 once the user agreed.
  EXPECT_NE(run.out.find("Hex bolt M8: 100 -> 50"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Widget:      5 -> -3"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("safety stock"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Shop floor after the check: 5, reserved for sales order SEORD000001: 0"),
            std::string::npos)
      << run.out;
  // Purchase order 2101: 90 of 100 received, then 30 more refused past the 10 percent limit.
  EXPECT_NE(run.out.find("Received on the order after the check: 90"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("The received quantity of line [1] item [Widget] code [2.01] exceeds its "
                         "over-receipt ratio"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Received on the order after the refusal: 90"), std::string::npos)
      << run.out;
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

}  // namespace
}  // namespace cb::tool
