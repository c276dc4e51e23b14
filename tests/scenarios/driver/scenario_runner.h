// Running a scenario file: every scenario on a fresh database, its calls checked against what the
// file expects, then the fault sweep over every statement each call sent.
#pragma once

#include <string>
#include <vector>

#include "scenarios/driver/scenario.h"

namespace cb::scenario {

struct FileReport {
  std::vector<std::string> failures;  // "path:line: scenario 'name': what differs"
  int scenarios = 0;
  int fault_runs = 0;
};

FileReport RunScenarioFile(const ScenarioFile& file);

}  // namespace cb::scenario
