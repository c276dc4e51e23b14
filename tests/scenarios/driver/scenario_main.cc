// The scenario driver: runs the scenario files named on its command line, each scenario on a fresh
// database, then sweeps faults over its calls; prints every expectation that failed, and exits 0
// only when none did. Each call starts from an image of the database taken just before it, so
// that a fault run repeats only the call it fails.
#include <exception>
#include <iostream>

#include "scenarios/driver/expectations.h"
#include "scenarios/driver/scenario.h"
#include "scenarios/driver/scenario_call.h"

namespace cb::scenario {

namespace {

struct FileReport {
  std::vector<std::string> failures;  // "path:line: scenario 'name': what differs"
  int scenarios = 0;
  int fault_runs = 0;
};

std::string Shortened(const std::string& statement) {
  std::string text = statement.substr(0, 160);
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return statement.size() > text.size() ? text + "..." : text;
}

// What a call was given to start from in the clean run: the database image and its rows.
struct CallStart {
  Image image;
  TableRows rows;
  CallOutcome clean;
};

class FileRunner {
 public:
  explicit FileRunner(ScenarioFile file) : file_(std::move(file)) {}

  FileReport Run() {
    Image file_image;
    try {
      RunDatabase database(SchemaImage());
      if (!file_.setup.empty()) database.connection()->Execute(file_.setup);
      file_image = database.Snapshot();
    } catch (const std::exception& error) {
      report_.failures.push_back(file_.setup_place.Text() +
                                 ": the file's @setup failed: " + error.what());
      return report_;
    }
    for (const Scenario& scenario : file_.scenarios) {
      ++report_.scenarios;
      RunScenario(scenario, file_image);
    }
    return report_;
  }

 private:
  void Fail(const Place& place, const Scenario& scenario, const std::string& what) {
    report_.failures.push_back(place.Text() + ": scenario '" + scenario.name + "': " + what);
  }
  void FailAll(const Place& place, const Scenario& scenario, const std::string& prefix,
               const std::vector<std::string>& differences) {
    for (const std::string& difference : differences) Fail(place, scenario, prefix + difference);
  }

  // What the call's own expectations say about outcome on database.
  std::vector<std::string> Differences(RunDatabase& database, const Call& call,
                                       const CallOutcome& outcome, const TableRows& before) {
    if (!outcome.error.empty()) return {outcome.error};
    std::vector<std::string> differences = CompareExpect(call, outcome);
    for (const RowsCheck& check : call.queries) {
      for (const std::string& difference : CompareRows(check, *database.connection())) {
        differences.push_back("@query at line " + std::to_string(check.place.line) + ": " +
                              difference);
      }
    }
    if (call.unchanged) {
      for (const std::string& difference : CompareTables(before, database.AllRows())) {
        differences.push_back("@unchanged: " + difference);
      }
    }
    return differences;
  }

  void RunScenario(const Scenario& scenario, const Image& file_image) {
    std::vector<CallStart> starts;
    try {
      Image scenario_image = file_image;
      if (!scenario.setup.empty()) {
        RunDatabase setup(file_image);
        setup.connection()->Execute(scenario.setup);
        scenario_image = setup.Snapshot();
      }
      RunDatabase database(scenario_image);
      for (const Call& call : scenario.calls) {
        CallStart start;
        if (scenario.sweep) start.image = database.Snapshot();
        start.rows = database.AllRows();
        const CallOutcome outcome = RunCall(database, call, 0);
        const std::vector<std::string> differences =
            Differences(database, call, outcome, start.rows);
        FailAll(call.place, scenario, "", differences);
        if (!differences.empty()) return;  // the sweep needs a call that does what it says
        start.clean = outcome;
        starts.push_back(std::move(start));
      }
    } catch (const std::exception& error) {
      Fail(scenario.setup.empty() ? scenario.place : scenario.setup_place, scenario,
           std::string("could not run: ") + error.what());
      return;
    }
    if (scenario.sweep) Sweep(scenario, starts);
  }

  // Fails each statement of each call in turn, from the database the call started from.
  void Sweep(const Scenario& scenario, const std::vector<CallStart>& starts) {
    for (size_t index = 0; index < starts.size(); ++index) {
      const Call& call = scenario.calls[index];
      const CallStart& start = starts[index];
      const std::vector<std::string>& statements = start.clean.statements;
      for (size_t fail_at = 1; fail_at <= statements.size(); ++fail_at) {
        const std::string& statement = statements[fail_at - 1];
        ++report_.fault_runs;
        std::vector<std::string> differences = FaultRun(scenario, call, start, fail_at);
        FailAll(
            call.place, scenario,
            "fault at statement " + std::to_string(fail_at) + " [" + Shortened(statement) + "]: ",
            differences);
      }
    }
  }

  std::vector<std::string> FaultRun(const Scenario& scenario, const Call& call,
                                    const CallStart& start, size_t fail_at) {
    const std::string& statement = start.clean.statements[fail_at - 1];
    try {
      RunDatabase database(start.image);
      const CallOutcome outcome = RunCall(database, call, static_cast<int64_t>(fail_at));
      if (outcome.statements.size() < fail_at || outcome.statements[fail_at - 1] != statement) {
        return {"the re-run did not send the same statement at this place"};
      }
      const Tolerance tolerance = ToleranceFor(scenario, call, statement);
      if (tolerance.same_outcome) return Differences(database, call, outcome, start.rows);
      std::vector<std::string> differences;
      if (tolerance.reason.empty()) {
        differences = CompareWithDocumentedFailure(call, outcome, start.clean, statement);
      } else if (!outcome.error.empty()) {
        differences.push_back(outcome.error);
      }
      if (tolerance.reason.empty() || outcome.vote != "commit") {
        for (const std::string& difference : CompareTables(start.rows, database.AllRows())) {
          differences.push_back("not rolled back: " + difference);
        }
      }
      return differences;
    } catch (const std::exception& error) {
      return {std::string("could not run: ") + error.what()};
    }
  }

  const ScenarioFile file_;
  FileReport report_;
};

}  // namespace
}  // namespace cb::scenario

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: scenario_driver FILE.scn...\n";
    return 2;
  }
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      const cb::scenario::FileReport report =
          cb::scenario::FileRunner(cb::scenario::ParseScenarioFile(argv[i])).Run();
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
