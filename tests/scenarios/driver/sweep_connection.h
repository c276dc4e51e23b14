// SweepConnection: the connection a scenario's call sees. It records the text of every statement
// the call sends and, when armed, fails the Nth one as a database error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/connection.h"

namespace cb::scenario {

class SweepConnection : public db::Connection {
 public:
  explicit SweepConnection(db::ConnectionPtr inner) : inner_(std::move(inner)) {}

  // Starts recording afresh; fail_at counts statements from 1 (0: none fails).
  void Start(int64_t fail_at) {
    statements_.clear();
    fail_at_ = fail_at;
  }
  // Statements sent since Start, the failed one included.
  const std::vector<std::string>& statements() const { return statements_; }

  // The failing statement does not reach the database: Errors holds one error (kDbGenericFailure,
  // "Injected fault at statement N") and cb::Error with it is raised, as a failed statement does.
  db::RecordsetPtr Execute(std::string_view sql) override;
  void CallProcedure(std::string_view name, db::Parameters& parameters) override;
  db::Errors& errors() override { return inner_->errors(); }
  void BeginTrans() override { inner_->BeginTrans(); }
  void CommitTrans() override { inner_->CommitTrans(); }
  void RollbackTrans() override { inner_->RollbackTrans(); }
  bool InTransaction() const override { return inner_->InTransaction(); }

 private:
  void RecordAndMaybeFail(std::string_view statement);

  db::ConnectionPtr inner_;
  std::vector<std::string> statements_;
  int64_t fail_at_ = 0;
};

}  // namespace cb::scenario
