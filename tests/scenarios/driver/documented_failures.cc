// The documented failure of every public member and the failures the check flow absorbs, each in
// one table.
#include <algorithm>
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
bool FailureGoesUnnamed(const Call& call, const std::string& statement) {
  return call.member == "CheckBill" && statement.find("POOrderEntry") != std::string::npos;
}

// Statements whose failure the engine absorbs by design, found by texts they all contain.
struct KnownTolerance {
  std::string_view member;
  std::string_view fragments[2];
  bool same_outcome;
  std::string_view reason;
};

constexpr KnownTolerance kKnownTolerances[] = {
    {"CheckBill",
     {"t_ThirdPartyComponent", "FTypeID=9"},
     true,
     "the lookup of bill hooks swallows its errors: a site without hooks still checks"},
    {"CheckBill",
     {"GetPeriodStartEnd"},
     false,
     "a failed period lookup leaves the period dates at zero, which no real bill date falls "
     "before: the period guards pass"},
    {"CheckBill",
     {"DELETE t1", "FROM t_LockStock t1"},
     false,
     "the release of the source documents' lock rows ignores every error"},
    {"CheckBill",
     {"FROM T_MAKEVOUCHTEMP"},
     false,
     "the estimated-price guard lets a purchase receipt pass when its lookup fails"},
};

}  // namespace

std::vector<std::string> CompareWithDocumentedFailure(const Call& call, const CallOutcome& outcome,
                                                      const CallOutcome& clean,
                                                      const std::string& statement) {
  std::vector<std::string> differences;
  const FailureAnswer* answer = nullptr;
  for (const FailureAnswer& row : kFailureAnswers) {
    if (row.member == call.member) answer = &row;
  }
  if (outcome.vote == "commit") {
    differences.push_back("the call voted commit");
  } else if (answer != nullptr && answer->votes_abort && outcome.vote != "abort") {
    differences.push_back("the call cast no abort vote");
  }
  if (answer == nullptr) {
    differences.push_back("no documented failure is known for " + call.member);
  } else if (answer->path.empty()) {
    if (outcome.error.find("the call raised") != 0) {
      differences.push_back("the call did not raise its error to the caller");
    }
  } else if (!outcome.error.empty()) {
    differences.push_back(outcome.error);
  } else if (!answer->value.empty()) {
    const tool::Json::json_pointer pointer{std::string(answer->path)};
    const tool::Json expected = tool::Json::parse(answer->value);
    const tool::Json none;
    const tool::Json& actual = outcome.answer.contains(pointer) ? outcome.answer.at(pointer) : none;
    const bool kept_refusal = clean.vote != "commit" && clean.answer.contains(pointer) &&
                              clean.answer.at(pointer) == actual;
    if (actual != expected && !kept_refusal) {
      differences.push_back(std::string(answer->path) + ": expected " + expected.dump() + ", got " +
                            actual.dump());
    }
    if (call.member == "CheckBill" && !kept_refusal && !FailureGoesUnnamed(call, statement)) {
      const tool::Json::json_pointer text_at{"/DictParams/ReturnString"};
      const std::string text =
          outcome.answer.contains(text_at) && outcome.answer.at(text_at).is_string()
              ? outcome.answer.at(text_at).get<std::string>()
              : "";
      if (text.find(kInjected) == std::string::npos &&
          text.find(kCheckBillErrorExit) == std::string::npos) {
        differences.push_back(
            "ReturnString names neither the database's error nor the error exit: " +
            tool::Json(text).dump());
      }
    }
  }
  return differences;
}

Tolerance ToleranceFor(const Scenario& scenario, const Call& call, const std::string& statement) {
  for (const KnownTolerance& known : kKnownTolerances) {
    bool all = known.member == call.member;
    for (std::string_view fragment : known.fragments) {
      all = all && statement.find(fragment) != std::string::npos;
    }
    if (all) return {std::string(known.reason), known.same_outcome};
  }
  const std::string text =
      statement.substr(std::min(statement.find_first_not_of(" \t\r\n"), statement.size()));
  for (const std::string& leading : scenario.tolerated) {
    if (text.rfind(leading, 0) == 0) return {scenario.tolerate_reason, false};
  }
  return {};
}

}  // namespace cb::scenario
