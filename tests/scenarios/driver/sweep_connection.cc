// SweepConnection: recording statements and failing the chosen one.
#include "scenarios/driver/sweep_connection.h"

#include "platform/db/database_error.h"
#include "platform/variant/error.h"

namespace cb::scenario {

void SweepConnection::RecordAndMaybeFail(std::string_view statement) {
  statements_.emplace_back(statement);
  const auto count = static_cast<int64_t>(statements_.size());
  if (count != fail_at_) return;
  db::DbError error;
  error.number = db::kDbGenericFailure;
  error.description = "Injected fault at statement " + std::to_string(count);
  error.source = "SweepConnection";
  error.statement = std::string(statement);
  inner_->errors().Clear();
  inner_->errors().Add(error);
  throw Error(error.number, error.source, error.description);
}

db::RecordsetPtr SweepConnection::Execute(std::string_view sql) {
  RecordAndMaybeFail(sql);
  return inner_->Execute(sql);
}

void SweepConnection::CallProcedure(std::string_view name, db::Parameters& parameters) {
  RecordAndMaybeFail(name);
  inner_->CallProcedure(name, parameters);
}

}  // namespace cb::scenario
