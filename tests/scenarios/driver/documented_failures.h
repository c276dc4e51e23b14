// What the fault sweep expects when a statement fails: each public member's documented failure
// answer, and the statements whose failure the engine is documented to absorb.
#pragma once

#include <string>
#include <vector>

#include "scenarios/driver/scenario.h"
#include "scenarios/driver/scenario_call.h"

namespace cb::scenario {

// The ways the call's answer differs from its member's documented failure, empty when it is that
// failure. A call that refused in its clean run may keep its refusal answer (a fault while it
// cleans up does not turn a refusal into another one). Every member must also not vote commit; the
// database must be unchanged (the caller checks that). `statement` is the one that failed.
std::vector<std::string> CompareWithDocumentedFailure(const Call& call, const CallOutcome& outcome,
                                                      const CallOutcome& clean,
                                                      const std::string& statement);

struct Tolerance {
  std::string reason;  // empty: the statement's failure is not absorbed
  // True when the call must still do everything its scenario says; false when the absorbed
  // failure changes what it does (then it must still answer, and leave the database unchanged
  // unless it votes commit).
  bool same_outcome = false;
};

// Whether the call may absorb the statement's failure: the engine's own table for the call's
// member first, then the scenario's @tolerate lines.
Tolerance ToleranceFor(const Scenario& scenario, const Call& call, const std::string& statement);

}  // namespace cb::scenario
