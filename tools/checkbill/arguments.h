// Command-line arguments of one verb: named options, switches and positional words.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace cb::tool {

// A command line the verb cannot use; the tool prints the message and the verb's usage and exits 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a verb accepts: options that take a value ("--dsn DSN" or "--dsn=DSN") and switches that do
// not ("--demo").
struct ArgumentSpec {
  std::set<std::string> options;
  std::set<std::string> switches;
};

struct Arguments {
  std::map<std::string, std::string> options;  // name without "--" -> value
  std::set<std::string> switches;
  std::vector<std::string> positionals;  // in order; everything after "--" lands here

  std::optional<std::string> Option(const std::string& name) const;
  bool Switch(const std::string& name) const { return switches.count(name) != 0; }
  // The option's value; raises UsageError when it was not given.
  const std::string& Required(const std::string& name) const;
};

// Reads words against grammar. Raises UsageError for an unknown option, an option given twice, or
// an option without its value.
Arguments ParseArguments(const std::vector<std::string>& words, const ArgumentSpec& grammar);

}  // namespace cb::tool
