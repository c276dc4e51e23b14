// A public member's parameters read from a JSON object, and its answer as JSON: the conversion the
// call verb uses, for every caller that calls members by name.
#pragma once

#include <string>

#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/public_members.h"

namespace cb::tool {

// Every parameter of member from params, checked before any database work: data-source parameters
// left out are filled with dsn, optional ones with their default; recordset parameters
// ({"TransType": N, "InterID": N}) are then loaded from the database dsn names. Raises UsageError
// for an unknown, missing or mistyped parameter.
CallValues ReadCallValues(const PublicMember& member, const Json& params, const std::string& dsn);

// {"result": ..., NAME: ...} with the final value of every by-reference parameter, recordsets left
// out, as the call verb prints it.
Json CallAnswer(const PublicMember& member, const Variant& result, const CallValues& values);

}  // namespace cb::tool
