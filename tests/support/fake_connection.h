// FakeConnection: an in-memory Connection for tests that records what it is asked to do and answers
// from a script: canned result sets, failing statements and pending errors.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"

namespace cb::testing {

class FakeConnection : public db::Connection {
 public:
  // Execute returns `result` for exactly this text.
  void SetResult(std::string sql, db::RecordsetPtr result) { results_[std::move(sql)] = result; }
  // Execute of a text containing `fragment` records `error` in Errors and raises it.
  void FailWhenContains(std::string fragment, db::DbError error);
  // Makes every Execute raise std::runtime_error(what): an error that is not the engine's own, as
  // a driver or the standard library may throw.
  void FailWithForeignError(std::string what) { foreign_error_ = std::move(what); }
  // Makes CommitTrans raise (after recording the attempt).
  void FailCommit() { fail_commit_ = true; }

  db::RecordsetPtr Execute(std::string_view sql) override;
  void CallProcedure(std::string_view name, db::Parameters& parameters) override;
  db::Errors& errors() override { return errors_; }
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  bool InTransaction() const override { return in_transaction_; }

  // Everything asked, in order: "BEGIN", "COMMIT", "ROLLBACK", "EXEC <sql>", "CALL <name>".
  const std::vector<std::string>& log() const { return log_; }
  // The statements Execute received, in order.
  std::vector<std::string> statements() const;

 private:
  std::map<std::string, db::RecordsetPtr, std::less<>> results_;
  std::vector<std::pair<std::string, db::DbError>> failures_;
  db::Errors errors_;
  std::vector<std::string> log_;
  bool in_transaction_ = false;
  bool fail_commit_ = false;
  std::string foreign_error_;
};

// A recordset with one column and the given values, one row each.
db::RecordsetPtr OneColumn(std::string name, std::vector<Variant> values);

}  // namespace cb::testing
