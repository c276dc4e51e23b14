// The variables of one batch: declared with a type, NULL until assigned, and bound by name into the
// native statements that read them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/tsql/batch.h"

namespace cb::tsql {

class VariableTable {
 public:
  // Declares a variable (lower-cased name without '@') as NULL. A second declaration of the same
  // name raises db::DatabaseException (native 134).
  void Declare(const Declaration& declaration);

  // Converts `raw` to the variable's declared type and stores it. Raises db::DatabaseException for
  // an undeclared name (native 137) or a value that does not convert.
  void Assign(std::string_view name, const Variant& raw);

  // The native declared type of a declared variable (type_map.h); empty when it is not declared.
  std::string NativeTypeOf(std::string_view name) const;

  // The current value; raises for an undeclared name like Assign.
  const Variant& Value(std::string_view name) const;

  // The values for the parameters a translated statement names ('@' + lower-cased name, or
  // kRowCountParameter, which takes `row_count`). Raises for an undeclared variable.
  std::vector<BoundParameter> Bind(const std::vector<std::string>& parameters,
                                   int64_t row_count) const;

 private:
  struct Variable {
    SqlType type;
    Variant value;
  };
  const Variable& Find(std::string_view name) const;
  Variable& Find(std::string_view name);

  std::unordered_map<std::string, Variable> variables_;
};

// Raises the error for a variable that was never declared: 'Must declare the scalar variable "@x".'
[[noreturn]] void RaiseUndeclared(std::string_view name);

}  // namespace cb::tsql
