// A scenario file as data: the file's set-up, then scenarios of calls, each call with what it must
// answer and what the database must hold afterwards, and reading such a file.
#pragma once

#include <string>
#include <vector>

namespace cb::scenario {

// A query after a call and the rows it must return; cells as written (NULL, numbers, text).
struct RowsCheck {
  int line = 0;  // the @query line
  std::string sql;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

struct Call {
  int line = 0;        // the @call line
  std::string member;  // "CheckBill" or "CLASS.METHOD"
  std::string params;  // JSON object text
  std::string expect;  // JSON object text; empty when the call has no @expect
  std::vector<RowsCheck> queries;
  bool unchanged = false;  // the whole database as it was before the call
};

struct Scenario {
  int line = 0;  // the @scenario line
  std::string name;
  std::string setup;  // T-SQL run after the file's set-up
  std::vector<Call> calls;
  // Leading texts of statements whose failure the calls may absorb (the reason stays in the file).
  std::vector<std::string> tolerated;
  bool sweep = true;  // false after @nosweep
};

struct ScenarioFile {
  std::string path;
  int setup_line = 0;
  std::string setup;  // T-SQL run for every scenario on the fresh database
  std::vector<Scenario> scenarios;
};

// The scenarios of the file at path. Raises std::runtime_error, its message starting with
// "path:line: ", for a file that cannot be read, a section out of place, a missing name or body,
// or a row whose cells do not match its header. JSON is read when the call runs.
ScenarioFile ParseScenarioFile(const std::string& path);

}  // namespace cb::scenario
