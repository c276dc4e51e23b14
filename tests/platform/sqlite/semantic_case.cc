// Reader of the semantic case files.
#include "semantic_case.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace cb::sqlite::testing {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

bool IsDirective(const std::string& line) {
  if (line.rfind("-- ", 0) != 0) return false;
  std::vector<std::string> words = Words(line.substr(3));
  if (words.empty()) return false;
  for (const char* keyword : {"run", "query", "rows", "fails", "begin", "commit", "rollback"}) {
    if (words.front() == keyword) return true;
  }
  return false;
}

[[noreturn]] void Malformed(const std::string& path, int line, const std::string& what) {
  throw std::runtime_error(path + ":" + std::to_string(line) + ": " + what);
}

// Reads "on N" at words[at] when present.
int ConnectionOf(const std::vector<std::string>& words, size_t at, const std::string& path,
                 int line) {
  if (words.size() <= at) return 1;
  if (words.size() != at + 2 || words[at] != "on" ||
      (words[at + 1] != "1" && words[at + 1] != "2")) {
    Malformed(path, line, "expected 'on 1' or 'on 2'");
  }
  return words[at + 1] == "2" ? 2 : 1;
}

}  // namespace

std::vector<SemanticCase> ReadCases(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<SemanticCase> cases;
  Step* step = nullptr;
  bool in_rows = false;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("=== ", 0) == 0) {
      cases.push_back({path, line.substr(4), {}});
      step = nullptr;
      in_rows = false;
      continue;
    }
    if (IsDirective(line)) {
      if (cases.empty()) Malformed(path, number, "step outside a case");
      std::vector<std::string> words = Words(line.substr(3));
      const std::string& keyword = words.front();
      if (keyword == "rows") {
        if (step == nullptr || step->kind != StepKind::kQuery) {
          Malformed(path, number, "'rows' must follow a query");
        }
        in_rows = true;
        continue;
      }
      in_rows = false;
      Step next;
      next.line = number;
      if (keyword == "fails") {
        if (words.size() < 2) Malformed(path, number, "'fails' needs an error kind");
        next.kind = StepKind::kFails;
        next.error_kind = words[1];
        next.connection = ConnectionOf(words, 2, path, number);
      } else {
        next.kind = keyword == "run"      ? StepKind::kRun
                    : keyword == "query"  ? StepKind::kQuery
                    : keyword == "begin"  ? StepKind::kBegin
                    : keyword == "commit" ? StepKind::kCommit
                                          : StepKind::kRollback;
        next.connection = ConnectionOf(words, 1, path, number);
      }
      cases.back().steps.push_back(std::move(next));
      step = &cases.back().steps.back();
      continue;
    }
    if (step == nullptr) {
      if (line.empty() || line.front() == '#') continue;
      Malformed(path, number, "text outside a step");
    }
    if (in_rows) {
      if (!line.empty()) step->rows.push_back(line);
    } else if (!line.empty() || !step->sql.empty()) {
      step->sql += line + "\r\n";
    }
  }
  return cases;
}

}  // namespace cb::sqlite::testing
