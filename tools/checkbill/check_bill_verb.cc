// The check-bill verb: one call of CheckBill with a JSON request, its results printed as JSON.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "checkbill/database.h"
#include "tools/checkbill/bill_conversation.h"
#include "tools/checkbill/engine_call.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/params_input.h"
#include "tools/checkbill/request_keys.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

struct CheckBillOptions {
  std::string dsn;
  std::string params;
};

// The request as the engine will read it, or UsageError before any database work.
Json CheckedRequest(const CheckBillOptions& options, Io& io) {
  Json request = ParseParamsObject(ReadParamsText(options.params, io.in));
  for (std::string_view key : keys::kIntegerRequestKeys) {
    if (const std::optional<int32_t> value = IntegerMember(request, key)) {
      request[std::string(key)] = *value;
    }
  }
  const std::string prop_string(kKeyPropString);
  if (request.contains(prop_string)) {
    if (!request[prop_string].is_string() ||
        request[prop_string].get<std::string>() != options.dsn) {
      throw UsageError("--dsn and \"PropString\" name different data sources; give one of them");
    }
  } else {
    request[prop_string] = options.dsn;
  }
  // The engine resolves a checker of 0 to the data source's user; either must be a real user.
  const int32_t checker = IntegerMember(request, kKeyCheckerID).value_or(0);
  if (checker < 0) throw UsageError("\"CheckerID\" must be a positive user id");
  if (checker == 0) static_cast<void>(CheckerOf(options.dsn, std::nullopt));
  // Refuses an unknown Language before the engine runs.
  static_cast<void>(EngineDsn(options.dsn, std::nullopt));
  if (!request.contains(std::string(kKeyReCheck))) request[std::string(kKeyReCheck)] = 0;
  if (!request.contains(std::string(kKeyCheckDate))) {
    request[std::string(kKeyCheckDate)] = TodayText();
  }
  return request;
}

ExitStatus RunCheckBill(const CheckBillOptions& options, Io& io) {
  DictionaryPtr params = JsonToVariant(CheckedRequest(options, io)).As<Dictionary>();
  try {
    CallCheckBill(params);
  } catch (const Error& error) {
    if (!engine::IsLockTimeout(error.description())) throw;
    throw ToolError(ExitStatus::kBusy,
                    "waited for another writer to release the database and "
                    "gave up; nothing was changed, try again");
  }
  io.out << DumpJson(VariantToJson(Variant(params), {.skip_recordsets = true})) << "\n";
  const int32_t code = params->ReadOr(kOutReturnCode, Variant(-1)).ToInt32();
  if (IsSuccessCode(code)) return ExitStatus::kDone;
  if (IsQuestionCode(code)) return ExitStatus::kQuestion;
  const bool busy = engine::IsLockTimeout(params->ReadOr(kOutReturnString, Variant("")).ToString());
  if (busy) return ExitStatus::kBusy;
  return IsErrorExit(*params) ? ExitStatus::kError : ExitStatus::kRefused;
}

}  // namespace

void AddCheckBillVerb(CLI::App& app, Invocation& invocation) {
  auto options = std::make_shared<CheckBillOptions>();
  CLI::App* verb = AddVerb(app, invocation, "check-bill",
                           "call CheckBill with a JSON object as its request and print the "
                           "results as JSON; PropString, ReCheck and CheckDate default to DSN, 0 "
                           "and today");
  verb->add_option("--dsn", options->dsn, "data source string of the database")->required();
  verb->add_option("--params", options->params,
                   "the request: a JSON object, @FILE to read it from a file, - for stdin")
      ->required();
  verb->callback([&invocation, options] {
    invocation.run = [options](Io& io) { return RunCheckBill(*options, io); };
  });
}

}  // namespace cb::tool
