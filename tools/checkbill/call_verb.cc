// The call verb: any public member of the three classes, its parameters from a JSON object under
// the names the public interface gives them, its result and by-reference values printed as JSON.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "checkbill/bill_rows.h"
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

// A recordset parameter before its rows are loaded: which bill, and head or entries.
struct PendingRecordset {
  std::string name;
  int32_t trans_type = 0;
  int32_t inter_id = 0;
};

[[noreturn]] void WrongType(const Parameter& param, const Json& value) {
  throw UsageError("--params: \"" + std::string(param.name) + "\" must be a " +
                   std::string(TypeName(param.type)) + ", not " + value.dump());
}

// The value of one parameter given in JSON; recordsets are only noted in pending (loaded later,
// after every parameter has been checked).
Variant ConvertParam(const Parameter& param, const Json& object,
                     std::vector<PendingRecordset>& pending) {
  const Json& value = object.at(std::string(param.name));
  switch (param.type) {
    case ParamType::kString:
      if (!value.is_string()) WrongType(param, value);
      return Variant(value.get<std::string>());
    case ParamType::kInt32: {
      const std::optional<int32_t> number = IntegerMember(object, param.name);
      if (!number) WrongType(param, value);
      return Variant(*number);
    }
    case ParamType::kBool:
      if (!value.is_boolean()) WrongType(param, value);
      return Variant(value.get<bool>());
    case ParamType::kDate: {
      if (!value.is_string()) WrongType(param, value);
      const std::optional<double> date = ParseDate(value.get<std::string>());
      if (!date) WrongType(param, value);
      return Variant::Date(*date);
    }
    case ParamType::kDictionary:
      if (!value.is_object()) WrongType(param, value);
      return JsonToVariant(value);
    case ParamType::kVector:
      if (!value.is_array()) WrongType(param, value);
      return JsonToVariant(value);
    case ParamType::kRecordset: {
      if (!value.is_object()) WrongType(param, value);
      const auto trans_type = IntegerMember(value, "TransType");
      const auto inter_id = IntegerMember(value, "InterID");
      if (!trans_type || !inter_id || value.size() != 2) {
        throw UsageError("--params: \"" + std::string(param.name) +
                         "\" must be {\"TransType\": N, \"InterID\": N}");
      }
      pending.push_back({std::string(param.name), *trans_type, *inter_id});
      return Variant();
    }
    case ParamType::kConnection:
      throw UsageError("--params: \"" + std::string(param.name) +
                       "\" is a database connection and cannot be given; leave it out");
    case ParamType::kVariant:
      return JsonToVariant(value);
  }
  WrongType(param, value);
}

// Every parameter of member from params and --dsn, checked before any database work.
CallValues ReadValues(const PublicMember& member, const Json& params, const std::string& dsn,
                      std::vector<PendingRecordset>& pending) {
  for (const auto& [key, unused] : params.items()) {
    bool known = false;
    for (const Parameter& param : member.params) known = known || param.name == key;
    if (!known) {
      throw UsageError(member.FullName() + " has no parameter \"" + key +
                       "\" (see checkbill call --list)");
    }
  }
  CallValues values;
  for (const Parameter& param : member.params) {
    const std::string name(param.name);
    if (params.contains(name)) {
      values[name] = ConvertParam(param, params, pending);
    } else if (IsDataSourceParam(param) && !dsn.empty()) {
      values[name] = Variant(dsn);
    } else if (param.optional) {
      values[name] = param.default_value;
    } else {
      throw UsageError(member.FullName() + " needs the parameter \"" + name + "\"" +
                       (IsDataSourceParam(param) ? " (or --dsn)" : ""));
    }
  }
  return values;
}

void LoadRecordsets(const std::vector<PendingRecordset>& pending, const std::string& dsn,
                    CallValues& values) {
  if (!pending.empty() && dsn.empty()) {
    throw UsageError("a recordset parameter needs --dsn to read the bill's rows from");
  }
  for (const PendingRecordset& recordset : pending) {
    const engine::BillRows rows =
        engine::LoadBillRecordsets(dsn, recordset.trans_type, recordset.inter_id);
    // The head parameter gets the head row; every other the entry rows.
    const bool head = recordset.name.find("Head") != std::string::npos;
    values[recordset.name] = Variant(head ? rows.head : rows.entries);
  }
}

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
  std::vector<PendingRecordset> pending;
  CallValues values = ReadValues(*member, params, options.dsn, pending);
  LoadRecordsets(pending, options.dsn, values);

  const Variant result = member->invoke(values);
  Json answer = Json::object();
  answer["result"] = VariantToJson(result, {.skip_recordsets = true});
  for (const Parameter& param : member->params) {
    if (param.by_reference) {
      answer[std::string(param.name)] =
          VariantToJson(values.find(param.name)->second, {.skip_recordsets = true});
    }
  }
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
