// The scenario driver: runs the scenario files named on its command line and prints every
// expectation that failed; the exit status is 0 only when none did.
#include <exception>
#include <iostream>

#include "scenarios/driver/scenario_parser.h"
#include "scenarios/driver/scenario_runner.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: scenario_driver FILE.scn...\n";
    return 2;
  }
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      const cb::scenario::ScenarioFile file = cb::scenario::ParseScenarioFile(argv[i]);
      const cb::scenario::FileReport report = cb::scenario::RunScenarioFile(file);
      for (const std::string& failure : report.failures) std::cout << failure << "\n";
      std::cout << argv[i] << ": " << report.scenarios << " scenarios, " << report.fault_runs
                << " fault runs, " << report.failures.size() << " failures\n";
      failures += static_cast<int>(report.failures.size());
    } catch (const std::exception& error) {
      std::cout << error.what() << "\n";
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
