// Parameters of a stored-procedure call: named, with a direction, read back after the call.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/variant/variant.h"

namespace cb::db {

enum class ParameterDirection { kInput, kOutput, kInputOutput, kReturnValue };

struct Parameter {
  std::string name;  // as the caller wrote it, with or without '@'
  ParameterDirection direction = ParameterDirection::kInput;
  Variant value;
};

class Parameters {
 public:
  void Append(Parameter parameter) { items_.push_back(std::move(parameter)); }
  // Lookup ignores case and a leading '@'. Item raises cb::Error (kErrItemNotFound) for an unknown
  // name.
  Parameter* Find(std::string_view name);
  const Parameter* Find(std::string_view name) const;
  Parameter& Item(std::string_view name);
  const Parameter& Item(std::string_view name) const;
  // The return-value parameter, nullptr when the caller did not ask for one.
  Parameter* ReturnValue();
  size_t Count() const { return items_.size(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Parameter> items_;
};

}  // namespace cb::db
