// The verb table: adding a verb means one entry here and one file with its entry point.
#include "tools/checkbill/verb.h"

namespace cb::tool {

const std::vector<Verb>& Verbs() {
  static const std::vector<Verb> verbs = {
      {"sql",
       "sql --dsn DSN [--file PATH | BATCH]",
       "run one T-SQL batch and print its first result set as a JSON array of rows",
       {{"dsn", "file"}, {}},
       RunSqlVerb},
  };
  return verbs;
}

const Verb* FindVerb(std::string_view name) {
  for (const Verb& verb : Verbs()) {
    if (verb.name == name) return &verb;
  }
  return nullptr;
}

}  // namespace cb::tool
