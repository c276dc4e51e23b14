// The public members of CheckNow, CPreCheck and CQMCheckNow as the call verb sees them: each
// parameter's name, type, direction and default, and how to invoke the member on named values.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checkbill/values.h"

namespace cb::tool {

enum class ParamType {
  kString,
  kInt32,
  kBool,
  kDate,        // 'YYYY-MM-DD' text in JSON, a date for the method
  kDictionary,  // a JSON object
  kVector,      // a JSON array
  kRecordset,   // {"TransType": N, "InterID": N}: that bill's head or entry rows
  kConnection,  // cannot be given on the command line: only its default (none) is used
  kVariant,     // any JSON value
};

struct Parameter {
  std::string_view name;
  ParamType type;
  bool by_reference = false;  // in/out: its final value is printed
  bool optional = false;      // left out: default_value
  Variant default_value;
};

// The values of one call, by parameter name; by-reference members are written back.
using CallValues = std::map<std::string, Variant, std::less<>>;

struct PublicMember {
  std::string_view class_name;
  std::string_view method;
  ParamType result;
  std::vector<Parameter> params;
  // Runs the member on values (every parameter present, converted) and returns its result.
  std::function<Variant(CallValues& values)> invoke;

  std::string FullName() const { return std::string(class_name) + "." + std::string(method); }
};

// Every public member of the three classes, in the order the public interface lists them.
const std::vector<PublicMember>& PublicMembers();

// The member called "CLASS.METHOD" (exact spelling); nullptr when there is none.
const PublicMember* FindMember(std::string_view full_name);

// A data-source parameter: filled from --dsn when left out.
bool IsDataSourceParam(const Parameter& param);

// The type as --list shows it ("string", "int32", "Dictionary" …).
std::string_view TypeName(ParamType type);

}  // namespace cb::tool
