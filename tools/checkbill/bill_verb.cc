// The bill verbs for people (check, uncheck, save, delete, void, restore): one bill, the engine's
// questions asked on the terminal, the outcome printed as text (or as JSON with --json).
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <ostream>

#include "checkbill/bill_rows.h"
#include "checkbill/database.h"
#include "tools/checkbill/bill_conversation.h"
#include "tools/checkbill/engine_call.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/request_keys.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

struct BillOptions {
  std::string dsn;
  int32_t type = 0;
  int32_t id = 0;
  int32_t user = 0;
  bool user_given = false;
  std::string date;
  bool yes = false;
};

ToolError BusyError(int32_t inter_id) {
  return ToolError(ExitStatus::kBusy,
                   "waited for another writer to release the database and gave "
                   "up: bill " +
                       std::to_string(inter_id) + " was left as it was; try again");
}

// Asks on out and reads the answer from in; anything but y/yes (or the end of input) is a no.
bool AskOnTerminal(const std::string& question, std::istream& in, std::ostream& out) {
  out << question << " [y/n] " << std::flush;
  std::string answer;
  if (!std::getline(in, answer)) {
    out << "\n";
    return false;
  }
  // A terminal has echoed the answer already; one piped in is shown so the transcript reads well.
  if (::isatty(STDIN_FILENO) == 0) out << answer << "\n";
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

ExitStatus RunBillOperation(const BillOptions& options, OperateCode operate_code, Io& io) {
  const std::optional<int32_t> user =
      options.user_given ? std::optional<int32_t>(options.user) : std::nullopt;
  BillRequest request;
  request.operate_code = operate_code;
  request.tran_type = options.type;
  request.inter_id = options.id;
  request.checker_id = CheckerOf(options.dsn, user);
  request.check_date = options.date.empty() ? TodayText() : options.date;
  request.dsn = EngineDsn(options.dsn, user);

  if (!engine::FindBillRecordsets(request.dsn, request.tran_type, request.inter_id)) {
    throw ToolError(ExitStatus::kRefused, "bill " + std::to_string(request.inter_id) + " of type " +
                                              std::to_string(request.tran_type) + " not found");
  }
  const DictionaryPtr request_params = BuildRequest(request);
  DictionaryPtr result;
  try {
    result = RunConversation(*request_params, CallCheckBill, [&](const std::string& question) {
      if (!options.yes) return AskOnTerminal(question, io.in, io.text());
      io.text() << question << " [y/n] y (--yes)\n";
      return true;
    });
  } catch (const Error& error) {
    if (engine::IsLockTimeout(error.description())) throw BusyError(options.id);
    throw;
  }

  const int32_t code = result->ReadOr(kOutReturnCode, Variant(-1)).ToInt32();
  const ExitStatus status = IsSuccessCode(code)    ? ExitStatus::kDone
                            : IsQuestionCode(code) ? ExitStatus::kQuestion
                            : IsErrorExit(*result) ? ExitStatus::kError
                                                   : ExitStatus::kRefused;
  if (io.json) {
    io.out << DumpJson(VariantToJson(Variant(result), {.skip_recordsets = true})) << "\n";
  } else {
    io.out << result->ReadOr(kOutReturnString, Variant("")).ToString() << "\n";
  }
  if (status != ExitStatus::kDone && status != ExitStatus::kQuestion &&
      engine::IsLockTimeout(result->ReadOr(kOutReturnString, Variant("")).ToString())) {
    io.text() << BusyError(options.id).what() << "\n";
    return ExitStatus::kBusy;
  }
  if (status == ExitStatus::kQuestion) {
    io.text() << "The question was not answered yes: bill " << options.id
              << " was left as it was.\n";
  }
  return status;
}

// Accepts 'YYYY-MM-DD' (or with a time); the message names what it wants, CLI11 adds the option.
std::string CheckDateText(std::string& text) {
  if (ParseDate(text)) return "";
  return "not a date in the form YYYY-MM-DD: '" + text + "'";
}

void AddBillVerb(CLI::App& app, Invocation& invocation, const char* name, const char* description,
                 OperateCode operate_code) {
  auto options = std::make_shared<BillOptions>();
  CLI::App* verb = AddVerb(app, invocation, name, description);
  verb->add_option("--dsn", options->dsn, "data source string of the database")->required();
  verb->add_option("--type", options->type, "transaction type of the bill (FTranType)")->required();
  verb->add_option("--id", options->id, "internal id of the bill (FInterID)")->required();
  CLI::Option* user =
      verb->add_option("--user", options->user,
                       "the checker's user id (positive); default: UserID of the data source")
          ->check(CLI::PositiveNumber);
  verb->add_option("--date", options->date, "check date, YYYY-MM-DD (default: today)")
      ->check(CLI::Validator(CheckDateText, "YYYY-MM-DD"));
  verb->add_flag("--yes", options->yes, "answer yes to every question of the engine");
  verb->callback([&invocation, options, user, operate_code] {
    options->user_given = user->count() > 0;
    invocation.run = [options, operate_code](Io& io) {
      return RunBillOperation(*options, operate_code, io);
    };
  });
}

}  // namespace

void AddBillVerbs(CLI::App& app, Invocation& invocation) {
  AddBillVerb(app, invocation, "check",
              "check (approve) a bill; the engine's questions are asked on the terminal",
              OperateCode::kCheck);
  AddBillVerb(app, invocation, "uncheck", "uncheck a bill", OperateCode::kUnCheck);
  AddBillVerb(app, invocation, "save", "run the stock effects of saving a bill",
              OperateCode::kSave);
  AddBillVerb(app, invocation, "delete", "run the stock effects of deleting a bill",
              OperateCode::kDelete);
  AddBillVerb(app, invocation, "void", "void a bill", OperateCode::kVoid);
  AddBillVerb(app, invocation, "restore", "restore a voided bill", OperateCode::kRestore);
}

}  // namespace cb::tool
