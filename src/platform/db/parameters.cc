// Parameters: name lookup that ignores case and a leading '@'.
#include "platform/db/parameters.h"

#include "platform/db/db_error_codes.h"
#include "platform/db/name_compare.h"
#include "platform/variant/error.h"

namespace cb::db {

namespace {

std::string_view WithoutAt(std::string_view name) {
  if (!name.empty() && name.front() == '@') name.remove_prefix(1);
  return name;
}

}  // namespace

Parameter* Parameters::Find(std::string_view name) {
  const std::string_view wanted = WithoutAt(name);
  for (Parameter& parameter : items_) {
    if (EqualsIgnoreCase(WithoutAt(parameter.name), wanted)) return &parameter;
  }
  return nullptr;
}

const Parameter* Parameters::Find(std::string_view name) const {
  return const_cast<Parameters*>(this)->Find(name);
}

Parameter& Parameters::Item(std::string_view name) {
  Parameter* parameter = Find(name);
  if (parameter == nullptr) throw Error(kErrItemNotFound, "Parameters", kTextItemNotFound);
  return *parameter;
}

const Parameter& Parameters::Item(std::string_view name) const {
  return const_cast<Parameters*>(this)->Item(name);
}

Parameter* Parameters::ReturnValue() {
  for (Parameter& parameter : items_) {
    if (parameter.direction == ParameterDirection::kReturnValue) return &parameter;
  }
  return nullptr;
}

}  // namespace cb::db
