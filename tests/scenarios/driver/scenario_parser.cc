// Reading a scenario file: its sections checked against one table of what each takes and where it
// may stand, so that a mistyped file fails loudly instead of testing less than it says.
#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "scenarios/driver/scenario.h"

namespace cb::scenario {

namespace {

struct SectionRule {
  std::string_view keyword;
  const char* argument;    // what the text after the keyword says; nullptr when none is read
  const char* body;        // what the lines below hold; nullptr when it takes none
  std::string_view after;  // the section it must follow right away; empty when any
};

constexpr SectionRule kSectionRules[] = {
    {"setup", nullptr, "T-SQL", ""},
    {"scenario", "a name", nullptr, ""},
    {"call", "CheckBill or CLASS.METHOD", "a JSON object", ""},
    {"expect", nullptr, "a JSON object", "call"},
    {"query", nullptr, "a query", ""},
    {"rows", nullptr, "a header line of column names", "query"},
    {"unchanged", nullptr, nullptr, ""},
    {"tolerate", "a reason", "the leading text of a statement on the next line", ""},
    {"nosweep", "a reason", nullptr, ""},
};

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "a | b | c" -> {"a", "b", "c"}; a cell cannot hold '|', so trailing blanks an editor drops from
// "a |  " do not change the row.
std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  size_t start = 0;
  for (size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
    cells.push_back(Trim(line.substr(start, bar - start)));
    start = bar + 1;
  }
  cells.push_back(Trim(line.substr(start)));
  return cells;
}

struct Section {
  int line = 0;
  std::string keyword;                            // "call" for "@call CheckBill"
  std::string argument;                           // "CheckBill"
  std::vector<std::pair<int, std::string>> body;  // lines neither blank nor comments, numbered

  std::string Text() const {
    std::string text;
    for (const auto& [number, body_line] : body) text += body_line + "\n";
    return text;
  }
};

class Parser {
 public:
  explicit Parser(const std::string& path) { file_.path = path; }

  ScenarioFile Parse() {
    std::ifstream in(file_.path, std::ios::binary);
    if (!in) Fail(0, "cannot read the file");
    std::vector<Section> sections;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::string text = Trim(line);
      if (line.rfind("@", 0) == 0) {
        const size_t space = std::min(line.find(' '), line.size());
        sections.push_back({number, line.substr(1, space - 1), Trim(line.substr(space)), {}});
      } else if (text.empty() || text.rfind("--", 0) == 0) {
        continue;
      } else if (sections.empty()) {
        Fail(number, "text before the first @ section");
      } else {
        sections.back().body.emplace_back(number, line);
      }
    }
    for (size_t i = 0; i < sections.size(); ++i) {
      Apply(sections[i], i > 0 ? sections[i - 1].keyword : "");
    }
    if (file_.scenarios.empty()) Fail(1, "the file holds no @scenario");
    NeedCalls();
    return std::move(file_);
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw std::runtime_error(file_.path + ":" + std::to_string(line) + ": " + message);
  }

  // The section's argument, body and place against its rule.
  void Check(const Section& section, const std::string& previous) const {
    const std::string at = "@" + section.keyword;
    for (const SectionRule& rule : kSectionRules) {
      if (rule.keyword != section.keyword) continue;
      if (rule.argument != nullptr && section.argument.empty()) {
        Fail(section.line, at + " needs " + rule.argument);
      }
      if (rule.body != nullptr && section.body.empty()) {
        Fail(section.line, at + " needs " + rule.body);
      }
      if (rule.body == nullptr && !section.body.empty()) {
        Fail(section.body.front().first, at + " takes no body");
      }
      if (!rule.after.empty() && previous != rule.after) {
        Fail(section.line, at + " comes right after its @" + std::string(rule.after));
      }
      return;
    }
    Fail(section.line, "unknown section " + at);
  }

  void NeedCalls() const {
    if (!file_.scenarios.empty() && file_.scenarios.back().calls.empty()) {
      Fail(file_.scenarios.back().line, "the scenario has no @call");
    }
  }

  void Apply(const Section& section, const std::string& previous) {
    Check(section, previous);
    const std::string& keyword = section.keyword;
    if (keyword == "scenario") {
      NeedCalls();
      Scenario& scenario = file_.scenarios.emplace_back();
      scenario.line = section.line;
      scenario.name = section.argument;
      return;
    }
    if (keyword == "setup" && file_.scenarios.empty()) {
      if (!file_.setup.empty()) Fail(section.line, "a second file @setup");
      file_.setup = section.Text();
      file_.setup_line = section.line;
      return;
    }
    if (file_.scenarios.empty()) Fail(section.line, "@" + keyword + " before any @scenario");
    Scenario& scenario = file_.scenarios.back();
    if (keyword == "setup") {
      if (!scenario.calls.empty() || !scenario.setup.empty()) {
        Fail(section.line, "a scenario's @setup comes once, before its first @call");
      }
      scenario.setup = section.Text();
    } else if (keyword == "call") {
      Call& call = scenario.calls.emplace_back();
      call.line = section.line;
      call.member = section.argument;
      call.params = section.Text();
    } else if (keyword == "tolerate") {
      for (const auto& [number, text] : section.body) scenario.tolerated.push_back(Trim(text));
    } else if (keyword == "nosweep") {
      scenario.sweep = false;
    } else if (scenario.calls.empty()) {
      Fail(section.line, "@" + keyword + " before any @call");
    } else if (keyword == "expect") {
      scenario.calls.back().expect = section.Text();
    } else if (keyword == "query") {
      RowsCheck& check = scenario.calls.back().queries.emplace_back();
      check.line = section.line;
      check.sql = section.Text();
    } else if (keyword == "rows") {
      RowsCheck& check = scenario.calls.back().queries.back();
      check.columns = Cells(section.body.front().second);
      for (size_t i = 1; i < section.body.size(); ++i) {
        const auto& [number, line] = section.body[i];
        check.rows.push_back(Cells(line));
        if (check.rows.back().size() != check.columns.size()) {
          Fail(number, "the row has " + std::to_string(check.rows.back().size()) +
                           " cells, the header " + std::to_string(check.columns.size()));
        }
      }
    } else {
      scenario.calls.back().unchanged = true;
    }
  }

  ScenarioFile file_;
};

}  // namespace

ScenarioFile ParseScenarioFile(const std::string& path) {
  return Parser(path).Parse();
}

}  // namespace cb::scenario
