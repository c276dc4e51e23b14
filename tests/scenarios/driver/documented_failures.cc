// The documented failure of every public member and the failures the check flow absorbs, each in
// one table, and what a call must do when one of its statements fails.
#include <algorithm>
#include <optional>
#include <string_view>

#include "scenarios/driver/expectations.h"

namespace cb::scenario {

namespace {

// A member's failure answer: the value at `path` of its answer ("" when the member lets the error
// through to its caller, which the driver sees as a raised call), and whether it votes abort.
struct FailureAnswer {
  std::string_view member;
  std::string_view path;   // JSON pointer into the answer
  std::string_view value;  // JSON text; "" when any value will do
  bool votes_abort;
};

constexpr FailureAnswer kFailureAnswers[] = {
    {"CheckBill", "/DictParams/ReturnCode", "-1", true},
    {"CheckNow.WriteBackStockProcess", "/result", "-200027", true},
    {"CheckNow.WriteBackICMrpResult", "/result", "false", true},
    {"CheckNow.CheckEbsarBill", "/DictParamOut/ReturnCode", "-1", true},
    {"CheckNow.GetSystemProfile", "", "", false},
    // Its own handler answers false and nothing more, so that CheckBill's vote stays its own.
    {"CheckNow.GetPeriodStartEnd", "/result", "false", false},
    {"CheckNow.UpdateSEOrderBCommitQty", "", "", false},
    // The walk answers the result it had reached: only the vote and the database are checked.
    {"CPreCheck.CheckChildExpandToItem", "/result", "", true},
    {"CPreCheck.DoPriceAlert", "", "", false},
    {"CQMCheckNow.CheckQCBill", "/DictParamOutPut/ReturnCode", "-1", true},
    {"CQMCheckNow.IsCanUnCheckRequest", "/result", "-1", true},
};

// A failed CheckBill tells its caller what went wrong: the database's description (which the
// sweep's injected error carries), or the error exit's text when the error reached the flow
// itself.
constexpr std::string_view kInjected = "Injected fault at statement";
constexpr std::string_view kCheckBillErrorExit = "单据时出现错误！请检查单据后再试。";

// A failing statement of the purchase-order write-back ends the call as a refusal that keeps only
// the message its step had built: the step ends a database error as its own failure, naming
// nothing.
constexpr std::string_view kUnnamedFailures = "POOrderEntry";

// Statements whose failure the engine absorbs by design, found by texts they all contain.
struct KnownTolerance {
  std::string_view member;
  std::string_view fragments[2];
  bool same_outcome;  // the call must still do everything its scenario says
};

constexpr KnownTolerance kKnownTolerances[] = {
    // The lookup of bill hooks swallows its errors: a site without hooks still checks.
    {"CheckBill", {"t_ThirdPartyComponent", "FTypeID=9"}, true},
    // A failed period lookup leaves the period dates at zero, which no real bill date falls
    // before: the period guards pass once the books are open, and refuse every bill before.
    {"CheckBill", {"GetPeriodStartEnd"}, false},
    // The release of the source documents' lock rows ignores every error.
    {"CheckBill", {"DELETE t1", "FROM t_LockStock t1"}, false},
    // The estimated-price guard lets a purchase receipt pass when its lookup fails.
    {"CheckBill", {"FROM T_MAKEVOUCHTEMP"}, false},
};

// The value at pointer in answer; null when there is none.
tool::Json ValueAt(const tool::Json& answer, std::string_view pointer) {
  const tool::Json::json_pointer at{std::string(pointer)};
  return answer.contains(at) ? answer.at(at) : tool::Json();
}

// The ways the call's answer differs from its member's documented failure. A call that refused in
// its clean run may keep its refusal answer (a fault while it cleans up does not turn a refusal
// into another one).
std::vector<std::string> CompareWithDocumentedFailure(const Call& call, const CallOutcome& outcome,
                                                      const CallOutcome& clean,
                                                      const std::string& statement) {
  const FailureAnswer* answer = nullptr;
  for (const FailureAnswer& row : kFailureAnswers) {
    if (row.member == call.member) answer = &row;
  }
  if (answer == nullptr) return {"no documented failure is known for " + call.member};
  std::vector<std::string> differences;
  if (outcome.vote == "commit") {
    differences.push_back("the call voted commit");
  } else if (answer->votes_abort && outcome.vote != "abort") {
    differences.push_back("the call cast no abort vote");
  }
  if (answer->path.empty()) {
    if (outcome.error.rfind("the call raised", 0) != 0) {
      differences.push_back("the call did not raise its error to the caller");
    }
  } else if (!outcome.error.empty()) {
    differences.push_back(outcome.error);
  } else if (!answer->value.empty()) {
    const tool::Json expected = tool::Json::parse(answer->value);
    const tool::Json actual = ValueAt(outcome.answer, answer->path);
    const bool kept_refusal = clean.vote != "commit" && !actual.is_null() &&
                              ValueAt(clean.answer, answer->path) == actual;
    if (actual != expected && !kept_refusal) {
      differences.push_back(std::string(answer->path) + ": expected " + expected.dump() + ", got " +
                            actual.dump());
    }
    const tool::Json text = ValueAt(outcome.answer, "/DictParams/ReturnString");
    const std::string said = text.is_string() ? text.get<std::string>() : "";
    if (call.member == "CheckBill" && !kept_refusal &&
        statement.find(kUnnamedFailures) == std::string::npos &&
        said.find(kInjected) == std::string::npos &&
        said.find(kCheckBillErrorExit) == std::string::npos) {
      differences.push_back("ReturnString names neither the database's error nor the error exit: " +
                            text.dump());
    }
  }
  return differences;
}

// Whether the call may absorb the statement's failure (a known tolerance first, then the
// scenario's @tolerate lines): nullopt when not, true when it must still do everything its
// scenario says, false when the failure may change what it does.
std::optional<bool> AbsorbedSameOutcome(const Scenario& scenario, const Call& call,
                                        const std::string& statement) {
  for (const KnownTolerance& known : kKnownTolerances) {
    bool all = known.member == call.member;
    for (std::string_view fragment : known.fragments) {
      all = all && statement.find(fragment) != std::string::npos;
    }
    if (all) return known.same_outcome;
  }
  const std::string text =
      statement.substr(std::min(statement.find_first_not_of(" \t\r\n"), statement.size()));
  for (const std::string& leading : scenario.tolerated) {
    if (text.rfind(leading, 0) == 0) return false;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> FaultRunDifferences(const Scenario& scenario, const Call& call,
                                             const CleanRun& clean, const CallOutcome& outcome,
                                             RunDatabase& database, size_t fail_at) {
  const std::string& statement = clean.outcome.statements[fail_at - 1];
  if (outcome.statements.size() < fail_at || outcome.statements[fail_at - 1] != statement) {
    return {"the re-run did not send the same statement at this place"};
  }
  const std::optional<bool> same_outcome = AbsorbedSameOutcome(scenario, call, statement);
  if (same_outcome == true) return CallDifferences(call, outcome, database, clean.rows);
  std::vector<std::string> differences;
  if (!same_outcome) {
    differences = CompareWithDocumentedFailure(call, outcome, clean.outcome, statement);
  } else if (!outcome.error.empty()) {
    differences.push_back(outcome.error);
  }
  if (!same_outcome || outcome.vote != "commit") {
    for (const std::string& difference : CompareTables(clean.rows, database.AllRows())) {
      differences.push_back("not rolled back: " + difference);
    }
  }
  return differences;
}

}  // namespace cb::scenario
