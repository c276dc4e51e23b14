// Reading a scenario file: a small state machine over its sections, strict about their order so
// that a mistyped file fails loudly instead of testing less than it says.
#include <fstream>
#include <stdexcept>
#include <utility>

#include "scenarios/driver/scenario.h"

namespace cb::scenario {

namespace {

// A body line that is not blank and not a comment, with its line number.
using Line = std::pair<int, std::string>;

struct Section {
  int line = 0;
  std::string keyword;   // "call" for "@call CheckBill"
  std::string argument;  // "CheckBill"
  std::vector<Line> body;
};

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsComment(const std::string& line) {
  return Trim(line).rfind("--", 0) == 0;
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

class Parser {
 public:
  explicit Parser(std::string path) : path_(std::move(path)) {}

  ScenarioFile Parse() {
    std::ifstream in(path_, std::ios::binary);
    if (!in) Fail(0, "cannot read the file");
    Split(in);
    for (size_t i = 0; i < sections_.size(); ++i) {
      Apply(sections_[i], i > 0 ? sections_[i - 1].keyword : "");
    }
    if (file_.scenarios.empty()) Fail(1, "the file holds no @scenario");
    NeedCalls();
    return std::move(file_);
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw std::runtime_error(path_ + ":" + std::to_string(line) + ": " + message);
  }
  Place At(int line) const { return {path_, line}; }

  void Split(std::istream& in) {
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("@", 0) == 0) {
        const size_t space = line.find(' ');
        Section& section = sections_.emplace_back();
        section.line = number;
        section.keyword = line.substr(1, space == std::string::npos ? space : space - 1);
        section.argument = space == std::string::npos ? "" : Trim(line.substr(space + 1));
      } else if (IsComment(line) || Trim(line).empty()) {
        continue;
      } else if (sections_.empty()) {
        Fail(number, "text before the first @ section");
      } else {
        sections_.back().body.emplace_back(number, line);
      }
    }
    if (number == 0) Fail(1, "the file is empty");
  }

  std::string Text(const Section& section, const char* what) const {
    if (section.body.empty()) Fail(section.line, "@" + section.keyword + " needs " + what);
    std::string text;
    for (const auto& [number, line] : section.body) text += line + "\n";
    return text;
  }

  Scenario& CurrentScenario(const Section& section) {
    if (file_.scenarios.empty()) {
      Fail(section.line, "@" + section.keyword + " before any @scenario");
    }
    return file_.scenarios.back();
  }
  Call& CurrentCall(const Section& section) {
    Scenario& scenario = CurrentScenario(section);
    if (scenario.calls.empty()) Fail(section.line, "@" + section.keyword + " before any @call");
    return scenario.calls.back();
  }
  void NeedArgument(const Section& section, const char* what) const {
    if (section.argument.empty()) Fail(section.line, "@" + section.keyword + " needs " + what);
  }
  void NeedNoBody(const Section& section) const {
    if (!section.body.empty()) {
      Fail(section.body.front().first, "@" + section.keyword + " takes no body");
    }
  }
  void NeedCalls() const {
    if (!file_.scenarios.empty() && file_.scenarios.back().calls.empty()) {
      Fail(file_.scenarios.back().place.line, "the scenario has no @call");
    }
  }

  void Apply(const Section& section, const std::string& previous) {
    const std::string& keyword = section.keyword;
    if (keyword == "setup" && file_.scenarios.empty()) {
      if (!file_.setup.empty()) Fail(section.line, "a second file @setup");
      file_.setup = Text(section, "T-SQL");
      file_.setup_place = At(section.line);
    } else if (keyword == "setup") {
      Scenario& scenario = CurrentScenario(section);
      if (!scenario.calls.empty() || !scenario.setup.empty()) {
        Fail(section.line, "a scenario's @setup comes once, before its first @call");
      }
      scenario.setup = Text(section, "T-SQL");
      scenario.setup_place = At(section.line);
    } else if (keyword == "scenario") {
      NeedArgument(section, "a name");
      NeedNoBody(section);
      NeedCalls();
      Scenario& scenario = file_.scenarios.emplace_back();
      scenario.place = At(section.line);
      scenario.name = section.argument;
    } else if (keyword == "call") {
      NeedArgument(section, "CheckBill or CLASS.METHOD");
      Call& call = CurrentScenario(section).calls.emplace_back();
      call.place = At(section.line);
      call.member = section.argument;
      call.params = Text(section, "a JSON object");
    } else if (keyword == "expect") {
      CurrentCall(section).expect = Text(section, "a JSON object");
    } else if (keyword == "query") {
      RowsCheck& check = CurrentCall(section).queries.emplace_back();
      check.place = At(section.line);
      check.sql = Text(section, "a query");
    } else if (keyword == "rows") {
      if (previous != "query") Fail(section.line, "@rows comes right after its @query");
      ReadRows(section, CurrentCall(section).queries.back());
    } else if (keyword == "unchanged") {
      NeedNoBody(section);
      CurrentCall(section).unchanged = true;
    } else if (keyword == "tolerate") {
      NeedArgument(section, "a reason");
      if (section.body.empty()) {
        Fail(section.line, "@tolerate needs the leading text of a statement on the next line");
      }
      Scenario& scenario = CurrentScenario(section);
      for (const auto& [number, text] : section.body) scenario.tolerated.push_back(Trim(text));
      scenario.tolerate_reason = section.argument;
    } else if (keyword == "nosweep") {
      NeedArgument(section, "a reason");
      NeedNoBody(section);
      CurrentScenario(section).sweep = false;
    } else {
      Fail(section.line, "unknown section @" + keyword);
    }
  }

  void ReadRows(const Section& section, RowsCheck& check) const {
    if (section.body.empty()) Fail(section.line, "@rows needs a header line of column names");
    check.columns = Cells(section.body.front().second);
    for (size_t i = 1; i < section.body.size(); ++i) {
      const auto& [number, line] = section.body[i];
      check.rows.push_back(Cells(line));
      if (check.rows.back().size() != check.columns.size()) {
        Fail(number, "the row has " + std::to_string(check.rows.back().size()) +
                         " cells, the header " + std::to_string(check.columns.size()));
      }
    }
  }

  std::string path_;
  std::vector<Section> sections_;
  ScenarioFile file_;
};

}  // namespace

ScenarioFile ParseScenarioFile(const std::string& path) {
  return Parser(path).Parse();
}

}  // namespace cb::scenario
