// Making a scenario's call through the tool's member table, inside a host's transaction.
#include "scenarios/driver/scenario_call.h"

#include <exception>
#include <memory>

#include "platform/services/service_locator.h"
#include "support/fault_injecting_connection.h"
#include "support/recording_service.h"
#include "tools/checkbill/call_values.h"
#include "tools/checkbill/public_members.h"

namespace cb::scenario {

namespace {

constexpr int16_t kUserID = 16;

// The data source a CheckBill request gets when it names none.
constexpr const char* kScenarioDsn = "Provider=SQLite;Data Source=scenario.db";

bool IsCheckBill(const Call& call) {
  return call.member == "CheckBill";
}

// The member's parameters: a CheckBill request becomes DictParams, with the data source and
// ReCheck filled in when left out.
tool::Json Params(const Call& call) {
  tool::Json params = tool::Json::parse(call.params);
  if (!IsCheckBill(call)) return params;
  if (!params.contains("PropString")) params["PropString"] = kScenarioDsn;
  if (!params.contains("ReCheck")) params["ReCheck"] = 0;
  return tool::Json{{"DictParams", params}};
}

// The host's side after the call: commit after a commit vote, otherwise roll back.
void EndAsHost(db::Connection& connection, CallOutcome& outcome) {
  if (!connection.InTransaction()) {
    if (outcome.error.empty()) outcome.error = "the call ended the host's transaction itself";
    return;
  }
  if (outcome.vote != "commit") {
    connection.RollbackTrans();
    return;
  }
  try {
    connection.CommitTrans();
  } catch (const std::exception& error) {
    outcome.error = std::string("the host's commit failed: ") + error.what();
    connection.RollbackTrans();
  }
}

}  // namespace

const tool::Json& ExpectedSubject(const Call& call, const CallOutcome& outcome) {
  static const tool::Json kNothing = tool::Json::object();
  if (!IsCheckBill(call)) return outcome.answer;
  const auto found = outcome.answer.find("DictParams");
  return found == outcome.answer.end() ? kNothing : *found;
}

CallOutcome RunCall(RunDatabase& database, const Call& call, int64_t fail_at) {
  CallOutcome outcome;
  const tool::PublicMember* member =
      tool::FindMember(IsCheckBill(call) ? "CheckNow.CheckBill" : call.member);
  if (member == nullptr) {
    outcome.error = "no public member " + call.member;
    return outcome;
  }
  // Reading the request's recordsets goes through the service too, on a connection that records
  // nothing: only the call's own statements are counted.
  auto sweep = std::make_shared<testing::FaultInjectingConnection>(database.connection(), 0);
  const auto log = std::make_shared<testing::ServiceLog>();
  services::ServiceLocator& locator = services::ServiceLocator::Current();
  locator.SetDataAccessServiceFactory(
      [&] { return std::make_shared<testing::RecordingService>(sweep, log, kUserID, "zh"); });
  try {
    tool::CallValues values = tool::ReadCallValues(*member, Params(call), kScenarioDsn);
    const size_t votes_before = log->votes.size();
    database.connection()->BeginTrans();
    sweep = std::make_shared<testing::FaultInjectingConnection>(database.connection(), fail_at);
    const Variant result = member->invoke(values);
    outcome.statements = sweep->statements();
    if (log->votes.size() > votes_before) outcome.vote = log->votes.back();
    outcome.answer = tool::CallAnswer(*member, result, values);
  } catch (const std::exception& error) {
    outcome.statements = sweep->statements();
    outcome.error = std::string("the call raised: ") + error.what();
  }
  if (database.connection()->InTransaction() || outcome.error.empty()) {
    EndAsHost(*database.connection(), outcome);
  }
  locator.SetDataAccessServiceFactory({});
  return outcome;
}

}  // namespace cb::scenario
