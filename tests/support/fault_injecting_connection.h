// FaultInjectingConnection: wraps any Connection and fails its Nth statement, so that every failure
// path of a multi-statement operation can be exercised and shown to leave nothing behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/connection_wrapper.h"

namespace cb::testing {

class FaultInjectingConnection : public ConnectionWrapper {
 public:
  // fail_at counts statements (Execute and CallProcedure) from 1; 0 never fails.
  FaultInjectingConnection(db::ConnectionPtr inner, int64_t fail_at)
      : ConnectionWrapper(std::move(inner)), fail_at_(fail_at) {}

  // The Nth statement does not reach the inner connection: its Errors holds one real error
  // (kDbGenericFailure, "Injected fault at statement N") and cb::Error with that error is raised.
  db::RecordsetPtr Execute(std::string_view sql) override;
  void CallProcedure(std::string_view name, db::Parameters& parameters) override;
  // With FailCommit, the commit does not reach the inner connection: it raises "Injected fault at
  // commit" through Errors and leaves the transaction open, for the caller to roll back.
  void CommitTrans() override;

  void FailCommit() { fail_commit_ = true; }

  // The statements (texts, procedure names) seen so far, the failed one included.
  const std::vector<std::string>& statements() const { return statements_; }
  int64_t statement_count() const { return static_cast<int64_t>(statements_.size()); }

 private:
  void CountAndMaybeFail(std::string_view statement);
  [[noreturn]] void Fail(std::string description, std::string_view statement);

  int64_t fail_at_;
  std::vector<std::string> statements_;
  bool fail_commit_ = false;
};

}  // namespace cb::testing
