// ProcedureRegistry: name lookup without regard to case.
#include "platform/sqlite/procedure_registry.h"

#include "platform/db/database_error.h"
#include "platform/db/name_compare.h"
#include "platform/sqlite/sqlite_error_map.h"

namespace cb::sqlite {

void ProcedureRegistry::Register(std::string_view name, Procedure procedure) {
  for (auto& [existing, body] : procedures_) {
    if (db::EqualsIgnoreCase(existing, name)) {
      body = std::move(procedure);
      return;
    }
  }
  procedures_.emplace_back(std::string(name), std::move(procedure));
}

const Procedure* ProcedureRegistry::Find(std::string_view name) const {
  for (const auto& [existing, body] : procedures_) {
    if (db::EqualsIgnoreCase(existing, name)) return &body;
  }
  return nullptr;
}

void RaiseUnknownProcedure(std::string_view name) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.kind = db::DbErrorKind::kNoSuchObject;
  error.native_error = 2812;
  error.source = std::string(kErrorSource);
  error.description = "Could not find stored procedure '" + std::string(name) + "'.";
  throw db::DatabaseException(std::move(error));
}

}  // namespace cb::sqlite
