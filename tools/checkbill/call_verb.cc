// The call verb: any public member of the three classes, its parameters from a JSON object under
// the names the public interface gives them, its result and by-reference values printed as JSON.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "tools/checkbill/call_values.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/params_input.h"
#include "tools/checkbill/public_members.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

struct CallOptions {
  std::string member;
  std::string dsn;
  std::string params = "{}";
  bool list = false;
};

Json ListMembers() {
  Json list = Json::array();
  for (const PublicMember& member : PublicMembers()) {
    Json params = Json::array();
    for (const Parameter& param : member.params) {
      Json entry = {{"name", std::string(param.name)},
                    {"type", std::string(TypeName(param.type))},
                    {"direction", param.by_reference ? "in/out" : "in"}};
      if (param.optional) entry["default"] = VariantToJson(param.default_value);
      params.push_back(std::move(entry));
    }
    list.push_back({{"member", member.FullName()},
                    {"result", std::string(TypeName(member.result))},
                    {"params", params}});
  }
  return list;
}

ExitStatus RunCall(const CallOptions& options, Io& io) {
  if (options.list) {
    if (!options.member.empty()) throw UsageError("call: give --list or CLASS.METHOD, not both");
    io.out << DumpJson(ListMembers()) << "\n";
    return ExitStatus::kDone;
  }
  if (options.member.empty()) throw UsageError("call: name the member, e.g. CheckNow.TransMode");
  const PublicMember* member = FindMember(options.member);
  if (member == nullptr) {
    throw UsageError("call: no public member '" + options.member + "' (see checkbill call --list)");
  }
  const Json params = ParseParamsObject(ReadParamsText(options.params, io.in));
  CallValues values = ReadCallValues(*member, params, options.dsn);
  const Variant result = member->invoke(values);
  const Json answer = CallAnswer(*member, result, values);
  io.out << DumpJson(answer) << "\n";
  return ExitStatus::kDone;
}

}  // namespace

void AddCallVerb(CLI::App& app, Invocation& invocation) {
  auto options = std::make_shared<CallOptions>();
  CLI::App* verb = AddVerb(app, invocation, "call",
                           "call any public member of CheckNow, CPreCheck or CQMCheckNow with its "
                           "parameters as a JSON object and print \"result\" and every "
                           "by-reference parameter as one JSON object");
  verb->add_option("member", options->member, "CLASS.METHOD, e.g. CPreCheck.DoPriceAlert");
  verb->add_option("--dsn", options->dsn,
                   "data source string: fills sDsn or strDsn when --params leaves it out");
  verb->add_option("--params", options->params,
                   "the parameters: a JSON object, @FILE to read it from a file, - for stdin")
      ->capture_default_str();
  verb->add_flag("--list", options->list, "list every member and its parameters as JSON");
  verb->callback([&invocation, options] {
    invocation.run = [options](Io& io) { return RunCall(*options, io); };
  });
}

}  // namespace cb::tool
