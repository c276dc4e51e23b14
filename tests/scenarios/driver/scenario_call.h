// One call of a scenario, made as the host makes it: the engine's data-access service hands out
// the run's database through a SweepConnection, the host opens the transaction and ends it by the
// last vote the call cast.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenarios/driver/scenario.h"
#include "scenarios/driver/scenario_database.h"
#include "tools/checkbill/json_convert.h"

namespace cb::scenario {

// The data source a CheckBill request gets when it names none.
inline constexpr const char* kScenarioDsn = "Provider=SQLite;Data Source=scenario.db";

struct CallOutcome {
  // What the call answered, as `checkbill call` prints it: "result" and every by-reference
  // parameter (for CheckBill, "DictParams" holds the result keys).
  tool::Json answer;
  std::string vote = "none";  // the last vote of the call: "commit", "abort" or "none"
  std::vector<std::string> statements;
  // Set when the call could not be made or ended badly: unknown member, bad parameters, an
  // exception out of the member, a failed commit.
  std::string error;
};

// Makes the call on database, failing its statement number fail_at (0: none).
CallOutcome RunCall(RunDatabase& database, const Call& call, int64_t fail_at);

// The values @expect is compared with: "DictParams" of a CheckBill answer, the answer itself for
// other members.
const tool::Json& ExpectedSubject(const Call& call, const CallOutcome& outcome);

// True for "@call CheckBill".
bool IsCheckBill(const Call& call);

}  // namespace cb::scenario
