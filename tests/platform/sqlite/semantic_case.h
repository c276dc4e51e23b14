// Semantic cases as data: files of T-SQL steps and the rows or errors they must give, read into
// steps that the parameterised driver runs against a real database file.
#pragma once

#include <string>
#include <vector>

namespace cb::sqlite::testing {

enum class StepKind { kRun, kQuery, kFails, kBegin, kCommit, kRollback };

struct Step {
  StepKind kind = StepKind::kRun;
  int connection = 1;             // 1 or 2: two connections share the database file
  std::string sql;                // the batch (kRun, kQuery, kFails)
  std::vector<std::string> rows;  // kQuery: each row's cells joined by " | "
  std::string error_kind;         // kFails: the DbErrorKind name ("kDivideByZero") or the
                                  // server's error number ("8115")
  int line = 0;                   // where the step starts in its file
};

struct SemanticCase {
  std::string file;
  std::string name;
  std::vector<Step> steps;
};

// Reads every case of a file. Format:
//   # comment                      (outside SQL)
//   === name                       starts a case
//   -- run [on 2]                  a batch that must succeed
//   -- query [on 2]                a batch whose first result set must equal the rows that follow
//   -- rows                        the rows, one per line, cells joined by " | "
//   -- fails KIND [on 2]           a batch that must fail with that error kind or number
//   -- begin | commit | rollback [on 2]
// Cells: NULL, integers, reals (shortest form), decimals (every digit, no trailing zeros), 'text'
// in quotes, #YYYY-MM-DD[ HH:MM:SS]# for dates, true/false. Raises std::runtime_error on a
// malformed file.
std::vector<SemanticCase> ReadCases(const std::string& path);

}  // namespace cb::sqlite::testing
