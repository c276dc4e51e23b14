// FaultInjectingConnection: recording statements and failing the chosen one.
#include "support/fault_injecting_connection.h"

#include "platform/db/database_error.h"
#include "platform/variant/error.h"

namespace cb::testing {

void FaultInjectingConnection::CountAndMaybeFail(std::string_view statement) {
  statements_.emplace_back(statement);
  if (statement_count() != fail_at_) return;
  db::DbError error;
  error.number = db::kDbGenericFailure;
  error.description = "Injected fault at statement " + std::to_string(fail_at_);
  error.source = "FaultInjectingConnection";
  error.statement = std::string(statement);
  errors().Clear();
  errors().Add(error);
  throw Error(error.number, error.source, error.description);
}

db::RecordsetPtr FaultInjectingConnection::Execute(std::string_view sql) {
  CountAndMaybeFail(sql);
  return inner_->Execute(sql);
}

void FaultInjectingConnection::CallProcedure(std::string_view name, db::Parameters& parameters) {
  CountAndMaybeFail(name);
  inner_->CallProcedure(name, parameters);
}

}  // namespace cb::testing
