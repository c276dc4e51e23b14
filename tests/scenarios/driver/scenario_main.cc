// The scenario driver: runs the scenario files named on its command line, each scenario on a fresh
// database holding the suite's schema and the file's set-up, then sweeps faults over its calls;
// prints every expectation that failed, and exits 0 only when none did. Each call starts from an
// image of the database taken just before it, so that a fault run repeats only the call it fails.
#include <algorithm>
#include <exception>
#include <iostream>

#include "scenarios/driver/expectations.h"
#include "schema/suite_schema.h"

namespace cb::scenario {

namespace {

// The statement's first 160 bytes on one line, cut at a character boundary.
std::string Shortened(const std::string& statement) {
  size_t cut = std::min<size_t>(statement.size(), 160);
  while (cut < statement.size() && (static_cast<unsigned char>(statement[cut]) & 0xC0) == 0x80)
    --cut;
  std::string text = statement.substr(0, cut);
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return statement.size() > text.size() ? text + "..." : text;
}

class FileRunner {
 public:
  explicit FileRunner(const ScenarioFile& file) : file_(file) {}

  // Every expectation that failed, as "path:line: scenario 'name': what differs".
  std::vector<std::string> Run() {
    Image file_image;
    try {
      RunDatabase database({});
      schema::InstallSuiteSchema(*database.connection());
      if (!file_.setup.empty()) database.connection()->Execute(file_.setup);
      file_image = database.Snapshot();
    } catch (const std::exception& error) {
      return {file_.path + ":" + std::to_string(file_.setup_line) +
              ": the file's @setup failed: " + error.what()};
    }
    for (const Scenario& scenario : file_.scenarios) {
      try {
        RunScenario(scenario, file_image);
      } catch (const std::exception& error) {
        Fail(scenario.line, scenario, std::string("could not run: ") + error.what());
      }
    }
    return failures_;
  }

  int fault_runs() const { return fault_runs_; }

 private:
  void Fail(int line, const Scenario& scenario, const std::string& what) {
    failures_.push_back(file_.path + ":" + std::to_string(line) + ": scenario '" + scenario.name +
                        "': " + what);
  }

  void RunScenario(const Scenario& scenario, const Image& file_image) {
    RunDatabase database(file_image);
    if (!scenario.setup.empty()) database.connection()->Execute(scenario.setup);
    std::vector<CleanRun> runs;
    for (const Call& call : scenario.calls) {
      CleanRun& run = runs.emplace_back();
      run.image = database.Snapshot();
      run.rows = database.AllRows();
      run.outcome = RunCall(database, call, 0);
      const std::vector<std::string> differences =
          CallDifferences(call, run.outcome, database, run.rows);
      for (const std::string& difference : differences) Fail(call.line, scenario, difference);
      if (!differences.empty()) return;  // the sweep needs calls that do what they say
    }
    for (size_t index = 0; scenario.sweep && index < runs.size(); ++index) {
      Sweep(scenario, scenario.calls[index], runs[index]);
    }
  }

  // Fails each statement of the call in turn, from the database the call started from.
  void Sweep(const Scenario& scenario, const Call& call, const CleanRun& run) {
    const std::vector<std::string>& statements = run.outcome.statements;
    for (size_t fail_at = 1; fail_at <= statements.size(); ++fail_at) {
      ++fault_runs_;
      RunDatabase database(run.image);
      const CallOutcome outcome = RunCall(database, call, static_cast<int64_t>(fail_at));
      for (const std::string& difference :
           FaultRunDifferences(scenario, call, run, outcome, database, fail_at)) {
        Fail(call.line, scenario,
             "fault at statement " + std::to_string(fail_at) + " [" +
                 Shortened(statements[fail_at - 1]) + "]: " + difference);
      }
    }
  }

  const ScenarioFile& file_;
  std::vector<std::string> failures_;
  int fault_runs_ = 0;
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
      const cb::scenario::ScenarioFile file = cb::scenario::ParseScenarioFile(argv[i]);
      cb::scenario::FileRunner runner(file);
      const std::vector<std::string> failed = runner.Run();
      for (const std::string& failure : failed) std::cout << failure << "\n";
      std::cout << argv[i] << ": " << file.scenarios.size() << " scenarios, " << runner.fault_runs()
                << " fault runs, " << failed.size() << " failures\n";
      failures += static_cast<int>(failed.size());
    } catch (const std::exception& error) {
      std::cout << error.what() << "\n";
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
