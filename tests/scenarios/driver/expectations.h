// Comparing what a call did with what its scenario says: the answer and vote, the rows of a query,
// the whole database. Each comparison answers the differences as text, empty when none.
#pragma once

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "scenarios/driver/scenario.h"
#include "scenarios/driver/scenario_call.h"
#include "scenarios/driver/scenario_database.h"

namespace cb::scenario {

// The keys @expect lists against the call's answer (numbers as numbers, other values exactly),
// "vote" against the call's last vote and every text of "contains" within "ReturnString".
std::vector<std::string> CompareExpect(const Call& call, const CallOutcome& outcome);

// The rows the query returns on connection against the rows written under it, in order.
std::vector<std::string> CompareRows(const RowsCheck& check, db::Connection& connection);

// Tables whose rows differ between before and after, with the rows that went and came.
std::vector<std::string> CompareTables(const TableRows& before, const TableRows& after);

// True when the texts are the same, or both are numbers of equal value ("5" and "5.0000").
bool SameCell(const std::string& expected, const std::string& actual);

}  // namespace cb::scenario
