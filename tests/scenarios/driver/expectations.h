// What a call must do: in its clean run what its scenario says (the answer and vote, the rows of a
// query, the whole database), under a failing statement its member's documented failure unless
// the failure is one the engine absorbs. Each comparison answers the differences as text.
#pragma once

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "scenarios/driver/scenario.h"
#include "scenarios/driver/scenario_call.h"

namespace cb::scenario {

// The keys @expect lists against the call's answer (numbers as numbers, other values exactly; a
// key expected as null may also be missing), "vote" against the call's last vote and every text of
// "contains" within "ReturnString".
std::vector<std::string> CompareExpect(const Call& call, const CallOutcome& outcome);

// The rows the query returns on connection against the rows written under it, in order.
std::vector<std::string> CompareRows(const RowsCheck& check, db::Connection& connection);

// Tables whose rows differ between before and after, with the rows that went and came.
std::vector<std::string> CompareTables(const TableRows& before, const TableRows& after);

// The ways the call's answer differs from its member's documented failure. A call that refused in
// its clean run may keep its refusal answer (a fault while it cleans up does not turn a refusal
// into another one). No member may vote commit; the caller checks the database.
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
