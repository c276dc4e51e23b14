// FakeConnection: an in-memory Connection for tests that records what it is asked to do and answers
// from a script: canned result sets, failing statements and pending errors.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/variant/error.h"

namespace cb::testing {

class FakeConnection : public db::Connection {
 public:
  // Execute returns `result` for exactly this text.
  void SetResult(std::string sql, db::RecordsetPtr result) { results_[std::move(sql)] = result; }
  // Execute of a text containing `fragment` records `error` in Errors and raises it.
  void FailWhenContains(std::string fragment, db::DbError error) {
    failures_.emplace_back(std::move(fragment), std::move(error));
  }
  // Makes every Execute raise std::runtime_error(what): an error that is not the engine's own, as
  // a driver or the standard library may throw.
  void FailWithForeignError(std::string what) { foreign_error_ = std::move(what); }
  // Makes CommitTrans raise (after recording the attempt).
  void FailCommit() { fail_commit_ = true; }

  db::RecordsetPtr Execute(std::string_view sql) override {
    log_.push_back("EXEC " + std::string(sql));
    errors_.Clear();
    if (!foreign_error_.empty()) throw std::runtime_error(foreign_error_);
    for (const auto& [fragment, error] : failures_) {
      if (sql.find(fragment) != std::string_view::npos) {
        errors_.Add(error);
        throw Error(error.number, error.source, error.description);
      }
    }
    if (auto it = results_.find(sql); it != results_.end()) return it->second;
    return std::make_shared<db::Recordset>();
  }
  void CallProcedure(std::string_view name, db::Parameters&) override {
    log_.push_back("CALL " + std::string(name));
    errors_.Clear();
  }
  db::Errors& errors() override { return errors_; }
  void BeginTrans() override {
    if (in_transaction_) Refuse("already in a transaction");
    log_.push_back("BEGIN");
    in_transaction_ = true;
  }
  void CommitTrans() override {
    if (!in_transaction_) Refuse("no transaction");
    log_.push_back("COMMIT");
    if (fail_commit_) Refuse("commit failed");
    in_transaction_ = false;
  }
  void RollbackTrans() override {
    if (!in_transaction_) Refuse("no transaction");
    log_.push_back("ROLLBACK");
    in_transaction_ = false;
  }
  bool InTransaction() const override { return in_transaction_; }

  // Everything asked, in order: "BEGIN", "COMMIT", "ROLLBACK", "EXEC <sql>", "CALL <name>".
  const std::vector<std::string>& log() const { return log_; }
  // The statements Execute received, in order.
  std::vector<std::string> statements() const {
    std::vector<std::string> out;
    for (const std::string& entry : log_) {
      if (entry.rfind("EXEC ", 0) == 0) out.push_back(entry.substr(5));
    }
    return out;
  }

 private:
  [[noreturn]] static void Refuse(const char* why) {
    throw Error(kErrInvalidArgument, "FakeConnection", why);
  }

  std::map<std::string, db::RecordsetPtr, std::less<>> results_;
  std::vector<std::pair<std::string, db::DbError>> failures_;
  db::Errors errors_;
  std::vector<std::string> log_;
  bool in_transaction_ = false;
  bool fail_commit_ = false;
  std::string foreign_error_;
};

// A recordset with one column and the given values, one row each.
inline db::RecordsetPtr OneColumn(std::string name, std::vector<Variant> values) {
  std::vector<db::Recordset::Row> rows;
  for (Variant& value : values) rows.push_back({std::move(value)});
  return std::make_shared<db::Recordset>(std::vector<db::ColumnDef>{{std::move(name), ""}},
                                         std::move(rows));
}

}  // namespace cb::testing
