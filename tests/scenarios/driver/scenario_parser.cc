// Reading a scenario file: a small state machine over its sections, strict about their order so
// that a mistyped file fails loudly instead of testing less than it says.
#include "scenarios/driver/scenario_parser.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace cb::scenario {

namespace {

struct Section {
  int line = 0;
  std::string keyword;            // "call" for "@call CheckBill"
  std::string argument;           // "CheckBill"
  std::vector<std::string> body;  // comment lines left out
  std::vector<int> body_lines;
};

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsComment(const std::string& line) {
  return Trim(line).rfind("--", 0) == 0;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class Parser {
 public:
  Parser(std::string path, const std::string& text) : path_(std::move(path)) {
    file_.path = path_;
    Split(text);
  }

  ScenarioFile Parse() {
    for (size_t i = 0; i < sections_.size(); ++i) {
      const Section& section = sections_[i];
      const std::string& previous = i > 0 ? sections_[i - 1].keyword : "";
      Apply(section, previous);
      if (section.keyword == "query" &&
          (i + 1 == sections_.size() || sections_[i + 1].keyword != "rows")) {
        Fail(section.line, "@query must be followed by @rows");
      }
    }
    if (file_.scenarios.empty()) Fail(1, "the file holds no @scenario");
    if (file_.scenarios.back().calls.empty()) {
      Fail(file_.scenarios.back().place.line, "the scenario has no @call");
    }
    return std::move(file_);
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw ParseError(path_ + ":" + std::to_string(line) + ": " + message);
  }
  Place At(int line) const { return {path_, line}; }

  void Split(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (number == 1 && !IsComment(line)) {
        Fail(1, "the first line must be a -- comment saying what the file covers");
      }
      if (line.rfind("@", 0) == 0) {
        const size_t space = line.find(' ');
        Section section;
        section.line = number;
        section.keyword =
            line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
        section.argument = space == std::string::npos ? "" : Trim(line.substr(space + 1));
        sections_.push_back(std::move(section));
      } else if (IsComment(line) || (sections_.empty() && Trim(line).empty())) {
        continue;
      } else if (sections_.empty()) {
        Fail(number, "text before the first @ section");
      } else {
        sections_.back().body.push_back(line);
        sections_.back().body_lines.push_back(number);
      }
    }
    if (number == 0) Fail(1, "the file is empty");
  }

  // Body lines that are not blank, with their line numbers.
  static std::vector<std::pair<int, std::string>> Lines(const Section& section) {
    std::vector<std::pair<int, std::string>> lines;
    for (size_t i = 0; i < section.body.size(); ++i) {
      if (!Trim(section.body[i]).empty())
        lines.emplace_back(section.body_lines[i], section.body[i]);
    }
    return lines;
  }

  std::string Text(const Section& section, const char* what) const {
    if (Lines(section).empty())
      Fail(section.line, std::string("@") + section.keyword + " needs " + what);
    return Joined(section.body);
  }

  std::string JsonObject(const Section& section) const {
    const std::string text = Text(section, "a JSON object");
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
      Fail(section.line, "@" + section.keyword + ": the body is not one JSON object");
    }
    return text;
  }

  Scenario& CurrentScenario(const Section& section) {
    if (file_.scenarios.empty())
      Fail(section.line, "@" + section.keyword + " before any @scenario");
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
    if (!Lines(section).empty()) {
      Fail(Lines(section).front().first, "@" + section.keyword + " takes no body");
    }
  }

  void Apply(const Section& section, const std::string& previous) {
    const std::string& keyword = section.keyword;
    if (keyword == "setup") {
      if (file_.scenarios.empty()) {
        if (!file_.setup.empty()) Fail(section.line, "a second file @setup");
        file_.setup = Text(section, "T-SQL");
        file_.setup_place = At(section.line);
        return;
      }
      Scenario& scenario = CurrentScenario(section);
      if (!scenario.calls.empty() || !scenario.setup.empty()) {
        Fail(section.line, "a scenario's @setup comes once, before its first @call");
      }
      scenario.setup = Text(section, "T-SQL");
      scenario.setup_place = At(section.line);
    } else if (keyword == "scenario") {
      NeedArgument(section, "a name");
      NeedNoBody(section);
      if (!file_.scenarios.empty() && file_.scenarios.back().calls.empty()) {
        Fail(file_.scenarios.back().place.line, "the scenario has no @call");
      }
      Scenario scenario;
      scenario.place = At(section.line);
      scenario.name = section.argument;
      file_.scenarios.push_back(std::move(scenario));
    } else if (keyword == "call") {
      NeedArgument(section, "CheckBill or CLASS.METHOD");
      Call call;
      call.place = At(section.line);
      call.member = section.argument;
      call.params = JsonObject(section);
      CurrentScenario(section).calls.push_back(std::move(call));
    } else if (keyword == "expect") {
      Call& call = CurrentCall(section);
      if (previous != "call") Fail(section.line, "@expect comes right after its @call");
      call.expect_place = At(section.line);
      call.expect = JsonObject(section);
    } else if (keyword == "query") {
      RowsCheck check;
      check.place = At(section.line);
      check.sql = Text(section, "a query");
      CurrentCall(section).queries.push_back(std::move(check));
    } else if (keyword == "rows") {
      if (previous != "query") Fail(section.line, "@rows comes right after its @query");
      ReadRows(section, CurrentCall(section).queries.back());
    } else if (keyword == "unchanged") {
      NeedNoBody(section);
      Call& call = CurrentCall(section);
      if (call.unchanged) Fail(section.line, "a second @unchanged for the same call");
      call.unchanged = true;
      call.unchanged_place = At(section.line);
    } else if (keyword == "tolerate") {
      NeedArgument(section, "a reason");
      Scenario& scenario = CurrentScenario(section);
      for (const auto& [line, text] : Lines(section)) scenario.tolerated.push_back(Trim(text));
      if (Lines(section).empty()) {
        Fail(section.line, "@tolerate needs the leading text of a statement on the next line");
      }
      scenario.tolerate_reason = section.argument;
    } else if (keyword == "nosweep") {
      NeedArgument(section, "a reason");
      NeedNoBody(section);
      Scenario& scenario = CurrentScenario(section);
      scenario.sweep = false;
      scenario.nosweep_reason = section.argument;
    } else {
      Fail(section.line, "unknown section @" + keyword);
    }
  }

  // "a | b | c" -> {"a", "b", "c"}; a cell cannot hold '|', so trailing blanks an editor drops
  // from "a |  " do not change the row.
  static std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
      cells.push_back(Trim(line.substr(start, bar - start)));
      start = bar + 1;
    }
    cells.push_back(Trim(line.substr(start)));
    return cells;
  }

  void ReadRows(const Section& section, RowsCheck& check) const {
    const auto lines = Lines(section);
    if (lines.empty()) Fail(section.line, "@rows needs a header line of column names");
    check.columns = Cells(lines.front().second);
    for (size_t i = 1; i < lines.size(); ++i) {
      std::vector<std::string> row = Cells(lines[i].second);
      if (row.size() != check.columns.size()) {
        Fail(lines[i].first, "the row has " + std::to_string(row.size()) + " cells, the header " +
                                 std::to_string(check.columns.size()));
      }
      check.rows.push_back(std::move(row));
    }
  }

  std::string path_;
  std::vector<Section> sections_;
  ScenarioFile file_;
};

}  // namespace

ScenarioFile ParseScenarioText(const std::string& path, const std::string& text) {
  return Parser(path, text).Parse();
}

ScenarioFile ParseScenarioFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ParseError(path + ":0: cannot read the file");
  std::ostringstream text;
  text << in.rdbuf();
  return ParseScenarioText(path, text.str());
}

}  // namespace cb::scenario
