// What a call must do: in its clean run what its scenario says (the answer and vote, the rows of a
// query, the whole database), under a failing statement its member's documented failure unless
// the failure is one the engine absorbs. Each comparison answers the differences as text.
#pragma once

#include <string>
#include <vector>

#include "scenarios/driver/scenario.h"
#include "scenarios/driver/scenario_call.h"

namespace cb::scenario {

// The call's own expectations against outcome and database: the keys @expect lists (numbers as
// numbers, other values exactly; a key expected as null may also be missing), "vote" against the
// call's last vote, every text of "contains" within "ReturnString", each @query's rows in order,
// and with @unchanged every table's rows as they were before the call.
std::vector<std::string> CallDifferences(const Call& call, const CallOutcome& outcome,
                                         RunDatabase& database, const TableRows& before);

// Tables whose rows differ between before and after, with the rows that went and came.
std::vector<std::string> CompareTables(const TableRows& before, const TableRows& after);

// What a run with the statement at fail_at failing must do, from the database the clean run
// started from: send that same statement, then either do everything the scenario says (a
// failure the engine absorbs without a trace), or answer (a failure it absorbs otherwise), or end
// in its member's documented failure. No member may vote commit on a failure it does not absorb,
// and a call that does not commit must leave every table as it was.
std::vector<std::string> FaultRunDifferences(const Scenario& scenario, const Call& call,
                                             const CleanRun& clean, const CallOutcome& outcome,
                                             RunDatabase& database, size_t fail_at);

}  // namespace cb::scenario
