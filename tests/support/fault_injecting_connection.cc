// FaultInjectingConnection: recording statements and failing the chosen one.
#include "support/fault_injecting_connection.h"

#include "platform/db/database_error.h"
#include "platform/variant/error.h"

namespace cb::testing {

void FaultInjectingConnection::CountAndMaybeFail(std::string_view statement) {
  statements_.emplace_back(statement);
  if (statement_count() != fail_at_) return;
  Fail("Injected fault at statement " + std::to_string(fail_at_), statement);
}

void FaultInjectingConnection::Fail(std::string description, std::string_view statement) {
  db::DbError error;
  error.number = db::kDbGenericFailure;
  error.description = std::move(description);
  error.source = "FaultInjectingConnection";
  error.statement = std::string(statement);
  errors().Clear();
  errors().Add(error);
  throw Error(error.number, error.source, error.description);
}

void FaultInjectingConnection::CommitTrans() {
  if (fail_commit_) Fail("Injected fault at commit", "COMMIT");
  ConnectionWrapper::CommitTrans();
}

db::RecordsetPtr FaultInjectingConnection::Execute(std::string_view sql) {
  CountAndMaybeFail(sql);
  return ConnectionWrapper::Execute(sql);
}

void FaultInjectingConnection::CallProcedure(std::string_view name, db::Parameters& parameters) {
  CountAndMaybeFail(name);
  ConnectionWrapper::CallProcedure(name, parameters);
}

}  // namespace cb::testing
