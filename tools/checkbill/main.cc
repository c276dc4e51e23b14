// checkbill: runs the engine's operations against a database from the command line, JSON in and
// out.
#include <iostream>
#include <string>
#include <vector>

#include "checkbill/values.h"
#include "tools/checkbill/verb.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: checkbill VERB [OPTIONS]\n\nverbs:\n";
  for (const cb::tool::Verb& verb : cb::tool::Verbs()) {
    out << "  checkbill " << verb.usage << "\n      " << verb.summary << "\n";
  }
  out << "\nDSN is a data source string, e.g. \"Provider=SQLite;Data Source=demo.db\".\n";
}

int Run(const std::vector<std::string>& words) {
  using namespace cb::tool;
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintUsage(words.empty() ? std::cerr : std::cout);
    return words.empty() ? kExitUsage : kExitOk;
  }
  const Verb* verb = FindVerb(words[0]);
  if (verb == nullptr) {
    std::cerr << "checkbill: unknown verb '" << words[0] << "'\n\n";
    PrintUsage(std::cerr);
    return kExitUsage;
  }
  try {
    const Arguments arguments =
        ParseArguments(std::vector<std::string>(words.begin() + 1, words.end()), verb->grammar);
    return verb->run(arguments, std::cout, std::cerr);
  } catch (const UsageError& error) {
    std::cerr << "checkbill " << verb->name << ": " << error.what() << "\nusage: checkbill "
              << verb->usage << "\n";
    return kExitUsage;
  } catch (const cb::Error& error) {
    std::cerr << error.description() << "\n";
    return kExitFailure;
  } catch (const std::exception& error) {
    std::cerr << "checkbill " << verb->name << ": " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
