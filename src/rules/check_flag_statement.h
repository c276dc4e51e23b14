// The UPDATE that records a bill's checker, check date and status in its head table.
#pragma once

#include <cstdint>
#include <string>

namespace cb::rules {

// What the check flag records: a check writes status 1, the checker and the day; an uncheck writes
// status 0, no checker and no date.
struct CheckFlagValues {
  int32_t status = 0;
  int32_t checker_id = 0;  // 0 is written as Null
  double check_day =
      1;  // day number; day 1 (1899-12-31) stands for "no date" and is written as Null
  int32_t operation = 1;  // 1 check, 2 uncheck
};

// Builds the statement for a transaction type. `fallback_head_table` is used for types without a
// fixed head table (the table registered for the type); when it is empty the statement is malformed
// and the database refuses it, as it should.
std::string BuildCheckFlagUpdate(int32_t tran_type, const std::string& fallback_head_table,
                                 const CheckFlagValues& values, int32_t inter_id);

// True when the type has a fixed head table, so no lookup is needed.
bool HasFixedCheckFlagTable(int32_t tran_type);

}  // namespace cb::rules
