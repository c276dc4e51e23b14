// FaultInjectingConnection: wraps any Connection and fails its Nth statement, so that every failure
// path of a multi-statement operation can be exercised and shown to leave nothing behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/database_error.h"
#include "platform/variant/error.h"

namespace cb::testing {

class FaultInjectingConnection : public db::Connection {
 public:
  // fail_at counts statements (Execute and CallProcedure) from 1; 0 never fails.
  FaultInjectingConnection(db::ConnectionPtr inner, int64_t fail_at)
      : inner_(std::move(inner)), fail_at_(fail_at) {}

  // The Nth statement does not reach the inner connection: its Errors holds one real error
  // (kDbGenericFailure, "Injected fault at statement N") and cb::Error with that error is raised.
  db::RecordsetPtr Execute(std::string_view sql) override {
    CountAndMaybeFail(sql);
    return inner_->Execute(sql);
  }
  void CallProcedure(std::string_view name, db::Parameters& parameters) override {
    CountAndMaybeFail(name);
    inner_->CallProcedure(name, parameters);
  }
  // The rest goes to the inner connection unchanged.
  db::Errors& errors() override { return inner_->errors(); }
  void BeginTrans() override { inner_->BeginTrans(); }
  void CommitTrans() override { inner_->CommitTrans(); }
  void RollbackTrans() override { inner_->RollbackTrans(); }
  bool InTransaction() const override { return inner_->InTransaction(); }

  // The statements (texts, procedure names) seen so far, the failed one included.
  const std::vector<std::string>& statements() const { return statements_; }
  int64_t statement_count() const { return static_cast<int64_t>(statements_.size()); }

 private:
  void CountAndMaybeFail(std::string_view statement) {
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

  db::ConnectionPtr inner_;
  int64_t fail_at_;
  std::vector<std::string> statements_;
};

}  // namespace cb::testing
