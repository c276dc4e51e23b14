// VariableTable: declaration, typed assignment and binding of batch variables.
#include "platform/tsql/interpreter_variables.h"

#include "platform/db/database_error.h"
#include "platform/tsql/interpreter_conversion.h"
#include "platform/tsql/type_map.h"

namespace cb::tsql {
namespace {

constexpr int kNativeAlreadyDeclared = 134;
constexpr int kNativeMustDeclare = 137;

db::DbError VariableError(int native, std::string description) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.kind = db::DbErrorKind::kNoSuchObject;
  error.native_error = native;
  error.source = "T-SQL";
  error.description = std::move(description);
  return error;
}

std::string_view WithoutAt(std::string_view name) {
  if (!name.empty() && name.front() == '@') name.remove_prefix(1);
  return name;
}

}  // namespace

void RaiseUndeclared(std::string_view name) {
  throw db::DatabaseException(
      VariableError(kNativeMustDeclare,
                    "Must declare the scalar variable \"@" + std::string(WithoutAt(name)) + "\"."));
}

void VariableTable::Declare(const Declaration& declaration) {
  auto [it, inserted] =
      variables_.try_emplace(declaration.variable, Variable{declaration.type, {}});
  if (!inserted) {
    db::DbError error = VariableError(
        kNativeAlreadyDeclared, "The variable name '@" + declaration.variable +
                                    "' has already been declared. Variable names must be unique "
                                    "within a query batch or stored procedure.");
    error.kind = db::DbErrorKind::kObjectExists;
    throw db::DatabaseException(std::move(error));
  }
  it->second.value = Variant::Null();
}

const VariableTable::Variable& VariableTable::Find(std::string_view name) const {
  auto it = variables_.find(std::string(WithoutAt(name)));
  if (it == variables_.end()) RaiseUndeclared(name);
  return it->second;
}

VariableTable::Variable& VariableTable::Find(std::string_view name) {
  auto it = variables_.find(std::string(WithoutAt(name)));
  if (it == variables_.end()) RaiseUndeclared(name);
  return it->second;
}

void VariableTable::Assign(std::string_view name, const Variant& raw) {
  Variable& variable = Find(name);
  variable.value = ConvertToSqlType(raw, variable.type);
}

std::string VariableTable::NativeTypeOf(std::string_view name) const {
  auto found = variables_.find(std::string(WithoutAt(name)));
  return found == variables_.end() ? std::string() : NativeType(found->second.type);
}

const Variant& VariableTable::Value(std::string_view name) const {
  return Find(name).value;
}

std::vector<BoundParameter> VariableTable::Bind(const std::vector<std::string>& parameters,
                                                int64_t row_count) const {
  std::vector<BoundParameter> bound;
  bound.reserve(parameters.size());
  for (const std::string& name : parameters) {
    if (name == kRowCountParameter) {
      bound.push_back({name, Variant(row_count)});
    } else {
      bound.push_back({name, Find(name).value});
    }
  }
  return bound;
}

}  // namespace cb::tsql
