// Reading a public member's parameters from a JSON object and printing its answer, shared by the
// call verb and by anything else that calls members by name.
#include "tools/checkbill/call_values.h"

#include "checkbill/bill_rows.h"
#include "tools/checkbill/exit_status.h"
#include "tools/checkbill/params_input.h"

namespace cb::tool {

namespace {

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
}  // namespace

CallValues ReadCallValues(const PublicMember& member, const Json& params, const std::string& dsn) {
  std::vector<PendingRecordset> pending;
  CallValues values = ReadValues(member, params, dsn, pending);
  LoadRecordsets(pending, dsn, values);
  return values;
}

Json CallAnswer(const PublicMember& member, const Variant& result, const CallValues& values) {
  Json answer = Json::object();
  answer["result"] = VariantToJson(result, {.skip_recordsets = true});
  for (const Parameter& param : member.params) {
    if (param.by_reference) {
      answer[std::string(param.name)] =
          VariantToJson(values.find(param.name)->second, {.skip_recordsets = true});
    }
  }
  return answer;
}

}  // namespace cb::tool
