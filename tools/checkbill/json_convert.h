// Conversion between engine values and JSON: Dictionary <-> object, Vector <-> array, dates as
// text.
#pragma once

#include <nlohmann/json.hpp>

#include "checkbill/values.h"

namespace cb::tool {

// Objects keep their members in the order written, as Dictionaries do.
using Json = nlohmann::ordered_json;

struct JsonOptions {
  // Leave Recordset values out of objects and arrays (a Recordset value itself becomes null).
  bool skip_recordsets = false;
};

// Empty and Null -> null; bool -> true/false; integers and doubles -> numbers; strings -> strings;
// dates -> 'YYYY-MM-DD' or 'YYYY-MM-DD HH:MM:SS'; Dictionary -> object; Vector -> array; Recordset
// -> array of row objects (see RecordsetToJson); any other object -> null.
Json VariantToJson(const Variant& value, const JsonOptions& options = {});

// Every row of the recordset, regardless of its position and filter, as an object keyed by column
// name; when two columns share a name (ignoring case) the first one's value is kept. A closed
// recordset is [].
Json RecordsetToJson(const db::Recordset& recordset);

// null -> Null; true/false -> bool; integers -> Int32 when they fit, else Int64 (or Double past
// Int64); other numbers -> Double; strings stay strings (dates too: the engine reads date text);
// arrays -> Vector; objects -> Dictionary with members in order.
Variant JsonToVariant(const Json& json);

// The text of json on one line; invalid UTF-8 in strings is replaced rather than refused.
std::string DumpJson(const Json& json);

}  // namespace cb::tool
