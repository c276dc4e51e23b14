// The verb table: adding a verb means one entry here and one file with its entry point.
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

// What every bill verb for people accepts.
const ArgumentSpec kBillSpec = {{"dsn", "type", "id", "user", "date"}, {"yes", "json"}};

}  // namespace

const std::vector<Verb>& Verbs() {
  static const std::vector<Verb> verbs = {
      {"demo",
       "demo [--dsn DSN]",
       "create a fresh demo database (demo.db unless given) and take a guided tour of the checks",
       {{"dsn"}, {}},
       RunDemoVerb},
      {"init",
       "init --dsn DSN [--demo]",
       "create the suite's schema in a new database, with --demo also the demo data",
       {{"dsn"}, {"demo"}},
       RunInitVerb},
      {"check-bill",
       "check-bill --dsn DSN --params JSON",
       "call CheckBill with the JSON object as its request and print the results as JSON; "
       "PropString, ReCheck and CheckDate default to DSN, 0 and today",
       {{"dsn", "params"}, {}},
       RunCheckBillVerb},
      {"check", "check --dsn DSN --type N --id N [--user N] [--date D] [--yes] [--json]",
       "check (approve) a bill; the engine's questions are asked on the terminal (--yes: agree)",
       kBillSpec, RunBillVerb<check::OperateCode::kCheck>},
      {"uncheck", "uncheck --dsn DSN --type N --id N [--user N] [--date D] [--yes] [--json]",
       "uncheck a bill", kBillSpec, RunBillVerb<check::OperateCode::kUnCheck>},
      {"save", "save --dsn DSN --type N --id N [--user N] [--date D] [--yes] [--json]",
       "run the stock effects of saving a bill", kBillSpec, RunBillVerb<check::OperateCode::kSave>},
      {"delete", "delete --dsn DSN --type N --id N [--user N] [--date D] [--yes] [--json]",
       "run the stock effects of deleting a bill", kBillSpec,
       RunBillVerb<check::OperateCode::kDelete>},
      {"void", "void --dsn DSN --type N --id N [--user N] [--date D] [--yes] [--json]",
       "void a bill", kBillSpec, RunBillVerb<check::OperateCode::kVoid>},
      {"restore", "restore --dsn DSN --type N --id N [--user N] [--date D] [--yes] [--json]",
       "restore a voided bill", kBillSpec, RunBillVerb<check::OperateCode::kRestore>},
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
