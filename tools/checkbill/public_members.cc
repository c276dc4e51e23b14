// The member table of the call verb: one entry per public member, its parameters as the public
// interface names them, and a small adapter from named values to the member's own signature.
#include "tools/checkbill/public_members.h"

#include "checkbill/check_now.h"
#include "checkbill/pre_check.h"
#include "checkbill/qm_check_now.h"

namespace cb::tool {

namespace {

using engine::CheckNow;
using engine::CPreCheck;
using engine::CQMCheckNow;

Parameter In(std::string_view name, ParamType type) {
  return {name, type, false, false, Variant()};
}
Parameter InOut(std::string_view name, ParamType type) {
  return {name, type, true, false, Variant()};
}
Parameter Optional(std::string_view name, ParamType type, Variant default_value,
                   bool by_reference = false) {
  return {name, type, by_reference, true, std::move(default_value)};
}

std::string Text(const CallValues& values, std::string_view name) {
  return values.find(name)->second.ToString();
}
int32_t Int(const CallValues& values, std::string_view name) {
  return values.find(name)->second.ToInt32();
}
bool Bool(const CallValues& values, std::string_view name) {
  return values.find(name)->second.ToBool();
}
template <typename T>
std::shared_ptr<T> Shared(const CallValues& values, std::string_view name) {
  return values.find(name)->second.As<T>();
}
void Put(CallValues& values, std::string_view name, Variant value) {
  values.find(name)->second = std::move(value);
}

std::vector<PublicMember> CheckNowMembers() {
  using P = ParamType;
  return {
      {"CheckNow",
       "TransMode",
       P::kInt32,
       {},
       [](CallValues&) { return Variant(CheckNow().TransMode()); }},
      {"CheckNow",
       "CheckBill",
       P::kInt32,
       {InOut("DictParams", P::kDictionary), Optional("Rs", P::kVariant, Variant(), true)},
       [](CallValues& v) {
         auto params = Shared<Dictionary>(v, "DictParams");
         Variant rs = v.find(std::string_view("Rs"))->second;
         const int32_t result = CheckNow().CheckBill(params, rs);
         Put(v, "DictParams", Variant(params));
         Put(v, "Rs", rs);
         return Variant(result);
       }},
      {"CheckNow",
       "WriteBackStockProcess",
       P::kInt32,
       {In("sDsn", P::kString), In("blnUnCheck", P::kBool), In("lInterID", P::kInt32),
        InOut("sReturn", P::kString), Optional("bVirtualStock", P::kBool, Variant(false))},
       [](CallValues& v) {
         std::string s_return = Text(v, "sReturn");
         const int32_t result = CheckNow().WriteBackStockProcess(
             Text(v, "sDsn"), Bool(v, "blnUnCheck"), Int(v, "lInterID"), s_return,
             Bool(v, "bVirtualStock"));
         Put(v, "sReturn", Variant(s_return));
         return Variant(result);
       }},
      {"CheckNow",
       "WriteBackICMrpResult",
       P::kBool,
       {In("sDsn", P::kString), In("lInterID", P::kInt32), In("lType", P::kInt32),
        In("lStatus", P::kInt32), InOut("sReturn", P::kString)},
       [](CallValues& v) {
         std::string s_return = Text(v, "sReturn");
         const bool result = CheckNow().WriteBackICMrpResult(
             Text(v, "sDsn"), Int(v, "lInterID"), Int(v, "lType"), Int(v, "lStatus"), s_return);
         Put(v, "sReturn", Variant(s_return));
         return Variant(result);
       }},
      {"CheckNow",
       "CheckEbsarBill",
       P::kBool,
       {In("strDsn", P::kString), InOut("DictParamIn", P::kDictionary),
        InOut("DictParamOut", P::kDictionary)},
       [](CallValues& v) {
         auto in = Shared<Dictionary>(v, "DictParamIn");
         auto out = Shared<Dictionary>(v, "DictParamOut");
         const bool result = CheckNow().CheckEbsarBill(Text(v, "strDsn"), in, out);
         Put(v, "DictParamIn", Variant(in));
         Put(v, "DictParamOut", Variant(out));
         return Variant(result);
       }},
      {"CheckNow",
       "GetSystemProfile",
       P::kDictionary,
       {In("sDsn", P::kString), Optional("oConnection", P::kConnection, Variant())},
       [](CallValues& v) { return Variant(CheckNow().GetSystemProfile(Text(v, "sDsn"))); }},
      {"CheckNow",
       "GetPeriodStartEnd",
       P::kBool,
       {In("sDsn", P::kString), InOut("dictSysProfile", P::kDictionary), In("nYear", P::kInt32),
        InOut("dateStart", P::kDate), InOut("dateEnd", P::kDate),
        Optional("bGetStartPeriod", P::kBool, Variant(false)),
        Optional("oConnection", P::kConnection, Variant())},
       [](CallValues& v) {
         auto profile = Shared<Dictionary>(v, "dictSysProfile");
         double start = v.find(std::string_view("dateStart"))->second.ToDate();
         double end = v.find(std::string_view("dateEnd"))->second.ToDate();
         const bool result = CheckNow().GetPeriodStartEnd(Text(v, "sDsn"), profile, Int(v, "nYear"),
                                                          start, end, Bool(v, "bGetStartPeriod"));
         Put(v, "dictSysProfile", Variant(profile));
         Put(v, "dateStart", Variant::Date(start));
         Put(v, "dateEnd", Variant::Date(end));
         return Variant(result);
       }},
      {"CheckNow",
       "UpdateSEOrderBCommitQty",
       P::kInt32,
       {In("sDsn", P::kString), In("InterID", P::kInt32)},
       [](CallValues& v) {
         return Variant(CheckNow().UpdateSEOrderBCommitQty(Text(v, "sDsn"), Int(v, "InterID")));
       }},
  };
}

std::vector<PublicMember> PreCheckAndQcMembers() {
  using P = ParamType;
  return {
      {"CPreCheck",
       "TransMode",
       P::kInt32,
       {},
       [](CallValues&) { return Variant(CPreCheck().TransMode()); }},
      {"CPreCheck",
       "CheckChildExpandToItem",
       P::kBool,
       {In("sDsn", P::kString), In("ItemID", P::kInt32)},
       [](CallValues& v) {
         return Variant(CPreCheck().CheckChildExpandToItem(Text(v, "sDsn"), Int(v, "ItemID")));
       }},
      {"CPreCheck",
       "DoPriceAlert",
       P::kInt32,
       {In("sDsn", P::kString), In("lngInterID", P::kInt32), In("lngTranType", P::kInt32),
        InOut("vectReturn", P::kVector), InOut("strReturn", P::kString)},
       [](CallValues& v) {
         auto vect_return = Shared<Vector>(v, "vectReturn");
         std::string str_return = Text(v, "strReturn");
         const int32_t result = CPreCheck().DoPriceAlert(
             Text(v, "sDsn"), Int(v, "lngInterID"), Int(v, "lngTranType"), vect_return, str_return);
         Put(v, "vectReturn", Variant(vect_return));
         Put(v, "strReturn", Variant(str_return));
         return Variant(result);
       }},
      {"CQMCheckNow",
       "TransMode",
       P::kInt32,
       {},
       [](CallValues&) { return Variant(CQMCheckNow().TransMode()); }},
      {"CQMCheckNow",
       "CheckQCBill",
       P::kBool,
       {InOut("DictParamInput", P::kDictionary), InOut("DictParamOutPut", P::kDictionary)},
       [](CallValues& v) {
         auto input = Shared<Dictionary>(v, "DictParamInput");
         auto output = Shared<Dictionary>(v, "DictParamOutPut");
         const bool result = CQMCheckNow().CheckQCBill(input, output);
         Put(v, "DictParamInput", Variant(input));
         Put(v, "DictParamOutPut", Variant(output));
         return Variant(result);
       }},
      {"CQMCheckNow",
       "IsCanUnCheckRequest",
       P::kInt32,
       {In("rsBillHead", P::kRecordset), In("rsBillBody", P::kRecordset),
        In("lngCheckSwitch", P::kInt32), InOut("strReturn", P::kString),
        In("strLanguage", P::kString)},
       [](CallValues& v) {
         std::string str_return = Text(v, "strReturn");
         const int32_t result = CQMCheckNow().IsCanUnCheckRequest(
             Shared<db::Recordset>(v, "rsBillHead"), Shared<db::Recordset>(v, "rsBillBody"),
             Int(v, "lngCheckSwitch"), str_return, Text(v, "strLanguage"));
         Put(v, "strReturn", Variant(str_return));
         return Variant(result);
       }},
  };
}

}  // namespace

const std::vector<PublicMember>& PublicMembers() {
  static const std::vector<PublicMember> members = [] {
    std::vector<PublicMember> all = CheckNowMembers();
    for (PublicMember& member : PreCheckAndQcMembers()) all.push_back(std::move(member));
    return all;
  }();
  return members;
}

const PublicMember* FindMember(std::string_view full_name) {
  for (const PublicMember& member : PublicMembers()) {
    if (member.FullName() == full_name) return &member;
  }
  return nullptr;
}

bool IsDataSourceParam(const Parameter& param) {
  return param.type == ParamType::kString && (param.name == "sDsn" || param.name == "strDsn");
}

std::string_view TypeName(ParamType type) {
  switch (type) {
    case ParamType::kString:
      return "string";
    case ParamType::kInt32:
      return "int32";
    case ParamType::kBool:
      return "boolean";
    case ParamType::kDate:
      return "date";
    case ParamType::kDictionary:
      return "Dictionary";
    case ParamType::kVector:
      return "Vector";
    case ParamType::kRecordset:
      return "recordset";
    case ParamType::kConnection:
      return "connection";
    case ParamType::kVariant:
      return "variant";
  }
  return "variant";
}

}  // namespace cb::tool
