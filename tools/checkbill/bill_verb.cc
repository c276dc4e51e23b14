// The bill verbs for people (check, uncheck, save, delete, void, restore): one bill, the engine's
// questions asked on the terminal, the outcome printed as text.
#include <unistd.h>

#include <charconv>
#include <iostream>
#include <ostream>

#include "tools/checkbill/bill_conversation.h"
#include "tools/checkbill/engine_call.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

int32_t IntegerOption(const Arguments& arguments, const std::string& name) {
  const std::string& text = arguments.Required(name);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw UsageError("--" + name + " needs a whole number, not '" + text + "'");
  }
  return value;
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

int RunBillOperation(const Arguments& arguments, check::OperateCode operate_code, std::istream& in,
                     std::ostream& out) {
  BillRequest request;
  request.operate_code = operate_code;
  request.tran_type = IntegerOption(arguments, "type");
  request.inter_id = IntegerOption(arguments, "id");
  std::optional<int32_t> user;
  if (arguments.Option("user")) user = IntegerOption(arguments, "user");
  request.checker_id = user.value_or(0);
  request.check_date = arguments.Option("date").value_or(TodayText());
  request.dsn = EngineDsn(arguments.Required("dsn"), user);

  const bool always_yes = arguments.Switch("yes");
  const DictionaryPtr request_params = BuildRequest(request);
  const DictionaryPtr result =
      RunConversation(*request_params, CallCheckBill, [&](const std::string& question) {
        if (!always_yes) return AskOnTerminal(question, in, out);
        out << question << " [y/n] y (--yes)\n";
        return true;
      });

  out << result->ReadOr("ReturnString", Variant("")).ToString() << "\n";
  if (arguments.Switch("json")) {
    out << DumpJson(VariantToJson(Variant(result), {.skip_recordsets = true})) << "\n";
  }
  return IsSuccessCode(result->ReadOr("ReturnCode", Variant(-1)).ToInt32()) ? kExitOk
                                                                            : kExitFailure;
}

}  // namespace

int RunBillOperationVerb(check::OperateCode operate_code, const Arguments& arguments,
                         std::ostream& out) {
  return RunBillOperation(arguments, operate_code, std::cin, out);
}

}  // namespace cb::tool
