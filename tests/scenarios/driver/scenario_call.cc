// Making a scenario's call through the tool's member table, inside a host's transaction, on a
// database file copied from an image.
#include "scenarios/driver/scenario_call.h"

#include <sqlite3.h>

#include <algorithm>
#include <exception>
#include <fstream>
#include <stdexcept>

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

// The member's parameters: a CheckBill request becomes DictParams, with the data source and
// ReCheck filled in when left out.
tool::Json Params(const Call& call) {
  tool::Json params = tool::Json::parse(call.params);
  if (call.member != "CheckBill") return params;
  if (!params.contains("PropString")) params["PropString"] = kScenarioDsn;
  if (!params.contains("ReCheck")) params["ReCheck"] = 0;
  return tool::Json{{"DictParams", params}};
}

// The host's side after the call: commit after a commit vote, otherwise roll back; nothing when the
// call raised before the transaction began.
void EndAsHost(db::Connection& connection, CallOutcome& outcome) {
  if (!connection.InTransaction()) {
    if (outcome.error.empty()) outcome.error = "the call ended the host's transaction itself";
  } else if (outcome.vote != "commit") {
    connection.RollbackTrans();
  } else {
    try {
      connection.CommitTrans();
    } catch (const std::exception& error) {
      outcome.error = std::string("the host's commit failed: ") + error.what();
      connection.RollbackTrans();
    }
  }
}

// The rows sql returns on the raw handle, each as its cells' texts joined by " | ".
std::vector<std::string> RawRows(sqlite3* handle, const std::string& sql) {
  std::vector<std::string> rows;
  const auto add = [](void* out, int count, char** cells, char**) {
    std::string row;
    for (int i = 0; i < count; ++i) {
      row += std::string(i > 0 ? " | " : "") + (cells[i] == nullptr ? "NULL" : cells[i]);
    }
    static_cast<std::vector<std::string>*>(out)->push_back(row);
    return 0;
  };
  if (sqlite3_exec(handle, sql.c_str(), add, &rows, nullptr) != SQLITE_OK) {
    throw std::runtime_error("cannot read the database: " + std::string(sqlite3_errmsg(handle)));
  }
  return rows;
}

}  // namespace

RunDatabase::RunDatabase(const Image& image) {
  {
    std::ofstream out(directory_.path(), std::ios::binary | std::ios::trunc);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    if (!out) throw std::runtime_error("cannot write " + directory_.path());
  }
  sqlite::SqliteOptions options;
  options.write_ahead_log = false;
  connection_ = sqlite::OpenSqliteConnection(directory_.path(), options);
}

Image RunDatabase::Snapshot() const {
  sqlite3_int64 size = 0;
  unsigned char* bytes = sqlite3_serialize(connection_->backend().handle(), "main", &size, 0);
  if (bytes == nullptr) throw std::runtime_error("cannot take an image of the database");
  Image image(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
  sqlite3_free(bytes);
  return image;
}

TableRows RunDatabase::AllRows() const {
  sqlite3* handle = connection_->backend().handle();
  TableRows all;
  for (const std::string& table : RawRows(handle,
                                          "SELECT name FROM sqlite_master WHERE type = "
                                          "'table' AND name NOT LIKE 'sqlite_%'")) {
    std::vector<std::string>& rows = all[table] =
        RawRows(handle, "SELECT * FROM \"" + table + "\"");
    std::sort(rows.begin(), rows.end());
  }
  return all;
}

CallOutcome RunCall(RunDatabase& database, const Call& call, int64_t fail_at) {
  CallOutcome outcome;
  const tool::PublicMember* member =
      tool::FindMember(call.member == "CheckBill" ? "CheckNow.CheckBill" : call.member);
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
    if (log->votes.size() > votes_before) outcome.vote = log->votes.back();
    outcome.answer = tool::CallAnswer(*member, result, values);
  } catch (const std::exception& error) {
    outcome.error = std::string("the call raised: ") + error.what();
  }
  outcome.statements = sweep->statements();
  EndAsHost(*database.connection(), outcome);
  locator.SetDataAccessServiceFactory({});
  return outcome;
}

}  // namespace cb::scenario
