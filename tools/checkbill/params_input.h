// The JSON a verb reads from --params: from the command line, a file (@FILE) or standard input (-),
// with a bounded depth and integral numbers where the engine reads integers.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "tools/checkbill/json_convert.h"

namespace cb::tool {

// JSON nested deeper than this is refused: no request of the engine comes near it, and a deeper
// document would only exhaust the stack of whoever walks it.
inline constexpr int kMaxJsonDepth = 64;

// The text of --params: value itself, the contents of the file value names after '@', or all of in
// when value is "-". Raises UsageError naming the file when it cannot be read.
std::string ReadParamsText(const std::string& value, std::istream& in);

// Parses text as one JSON value no more than kMaxJsonDepth arrays and objects deep. Raises
// UsageError naming --params for text that is not JSON or is nested deeper.
Json ParseParams(const std::string& text);

// As ParseParams, and the value must be an object.
Json ParseParamsObject(const std::string& text);

// The member key of object as a 32-bit integer; nullopt when absent or null. Raises UsageError
// naming the key when it is not a whole number in range (1001.7 is refused, never rounded) or not a
// number at all.
std::optional<int32_t> IntegerMember(const Json& object, std::string_view key);

}  // namespace cb::tool
