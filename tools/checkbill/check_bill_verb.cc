// The check-bill verb: one call of CheckBill with a JSON request, its results printed as JSON.
#include <ostream>

#include "checkbill/values.h"
#include "tools/checkbill/engine_call.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

int RunCheckBillVerb(const Arguments& arguments, std::ostream& out, std::ostream&) {
  const std::string& dsn = arguments.Required("dsn");
  const Json json = Json::parse(arguments.Required("params"), nullptr, false);
  if (!json.is_object()) throw UsageError("--params needs a JSON object");
  DictionaryPtr params = JsonToVariant(json).As<Dictionary>();
  if (params == nullptr) throw Error(kErrInvalidArgument, "checkbill", "--params is not an object");
  // The engine needs these three; a script may leave them to the tool.
  if (!params->Exists("PropString")) params->Write("PropString", dsn);
  if (!params->Exists("ReCheck")) params->Write("ReCheck", 0);
  if (!params->Exists("CheckDate")) params->Write("CheckDate", TodayText());
  CallCheckBill(params);
  out << DumpJson(VariantToJson(Variant(params), {.skip_recordsets = true})) << "\n";
  return kExitOk;
}

}  // namespace cb::tool
