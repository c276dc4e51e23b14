// Parameter helpers shared by the registered procedures.
#include "platform/sqlite/procedures/procedure_parameters.h"

#include "platform/db/database_error.h"
#include "platform/sqlite/sqlite_error_map.h"

namespace cb::sqlite {
namespace {

constexpr int kNativeMissingParameter = 201;
constexpr int kNativeRaisedByProcedure = 50000;

db::DbError ProcedureError(int native, db::DbErrorKind kind, std::string description) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.kind = kind;
  error.native_error = native;
  error.source = std::string(kErrorSource);
  error.description = std::move(description);
  return error;
}

}  // namespace

db::Parameter& RequiredParameter(db::Parameters& parameters, std::string_view procedure,
                                 std::string_view name) {
  db::Parameter* parameter = parameters.Find(name);
  if (parameter == nullptr) {
    std::string bare(name);
    if (!bare.empty() && bare.front() == '@') bare.erase(0, 1);
    throw db::DatabaseException(
        ProcedureError(kNativeMissingParameter, db::DbErrorKind::kNoSuchObject,
                       "Procedure or function '" + std::string(procedure) +
                           "' expects parameter '@" + bare + "', which was not supplied."));
  }
  return *parameter;
}

int32_t IntegerParameter(db::Parameters& parameters, std::string_view procedure,
                         std::string_view name) {
  const Variant& value = RequiredParameter(parameters, procedure, name).value;
  if (value.IsNull() || value.IsEmpty()) return 0;
  try {
    return value.ToInt32();
  } catch (const Error&) {
    throw db::DatabaseException(ProcedureError(
        8114, db::DbErrorKind::kConversion,
        "Error converting data type varchar to int for parameter '" + std::string(name) + "'."));
  }
}

void SetReturnValue(db::Parameters& parameters, int32_t value) {
  if (db::Parameter* result = parameters.ReturnValue()) result->value = Variant(value);
}

void RaiseProcedureError(std::string description) {
  throw db::DatabaseException(
      ProcedureError(kNativeRaisedByProcedure, db::DbErrorKind::kOther, std::move(description)));
}

}  // namespace cb::sqlite
