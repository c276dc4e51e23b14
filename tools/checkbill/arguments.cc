// Command-line arguments: a strict reader so that a mistyped option is a usage error, not ignored.
#include "tools/checkbill/arguments.h"

namespace cb::tool {

std::optional<std::string> Arguments::Option(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

const std::string& Arguments::Required(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) throw UsageError("missing --" + name);
  return it->second;
}

Arguments ParseArguments(const std::vector<std::string>& words, const ArgumentSpec& grammar) {
  Arguments result;
  bool options_ended = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (options_ended || word.size() < 3 || word.compare(0, 2, "--") != 0) {
      if (word == "--" && !options_ended) {
        options_ended = true;
      } else {
        result.positionals.push_back(word);
      }
      continue;
    }
    std::string name = word.substr(2);
    std::optional<std::string> value;
    if (const size_t equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (grammar.switches.count(name) != 0) {
      if (value) throw UsageError("--" + name + " takes no value");
      if (!result.switches.insert(name).second) throw UsageError("--" + name + " given twice");
      continue;
    }
    if (grammar.options.count(name) == 0) throw UsageError("unknown option --" + name);
    if (!value) {
      if (i + 1 >= words.size()) throw UsageError("--" + name + " needs a value");
      value = words[++i];
    }
    if (!result.options.emplace(name, *value).second)
      throw UsageError("--" + name + " given twice");
  }
  return result;
}

}  // namespace cb::tool
