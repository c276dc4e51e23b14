// Reading --params: where the text comes from, how deep it may nest, and integral integers.
#include "tools/checkbill/params_input.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "tools/checkbill/exit_status.h"

namespace cb::tool {

std::string ReadParamsText(const std::string& value, std::istream& in) {
  if (value == "-") return std::string(std::istreambuf_iterator<char>(in), {});
  if (value.empty() || value.front() != '@') return value;
  const std::string file = value.substr(1);
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw UsageError("--params: cannot read the file '" + file + "'");
  return std::string(std::istreambuf_iterator<char>(stream), {});
}

Json ParseParams(const std::string& text) {
  // The callback sees every array and object as it opens, before anything below it is built.
  const Json::parser_callback_t limit_depth = [](int depth, Json::parse_event_t event, Json&) {
    if ((event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start) &&
        depth >= kMaxJsonDepth) {
      throw UsageError("--params: JSON nested more than " + std::to_string(kMaxJsonDepth) +
                       " levels deep is refused");
    }
    return true;
  };
  try {
    return Json::parse(text, limit_depth);
  } catch (const Json::exception& error) {
    throw UsageError(std::string("--params is not valid JSON: ") + error.what());
  }
}

Json ParseParamsObject(const std::string& text) {
  Json json = ParseParams(text);
  if (!json.is_object()) throw UsageError("--params needs a JSON object");
  return json;
}

std::optional<int32_t> IntegerMember(const Json& object, std::string_view key) {
  const auto it = object.find(std::string(key));
  if (it == object.end() || it->is_null()) return std::nullopt;
  const std::string name(key);
  if (it->is_number_integer()) {
    const int64_t value = it->get<int64_t>();
    if (it->is_number_unsigned() && it->get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)) {
      throw UsageError("--params: \"" + name + "\" is out of range");
    }
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
      throw UsageError("--params: \"" + name + "\" is out of range");
    }
    return static_cast<int32_t>(value);
  }
  if (it->is_number_float()) {
    const double value = it->get<double>();
    if (std::trunc(value) != value) {
      throw UsageError("--params: \"" + name + "\" must be a whole number, not " + it->dump());
    }
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
      throw UsageError("--params: \"" + name + "\" is out of range");
    }
    return static_cast<int32_t>(value);
  }
  throw UsageError("--params: \"" + name + "\" must be a whole number, not " + it->dump());
}

}  // namespace cb::tool
