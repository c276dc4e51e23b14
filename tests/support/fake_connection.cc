// FakeConnection: scripted answers and a log of every request.
#include "support/fake_connection.h"

#include <stdexcept>

#include "platform/variant/error.h"

namespace cb::testing {

void FakeConnection::FailWhenContains(std::string fragment, db::DbError error) {
  failures_.emplace_back(std::move(fragment), std::move(error));
}

db::RecordsetPtr FakeConnection::Execute(std::string_view sql) {
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

void FakeConnection::CallProcedure(std::string_view name, db::Parameters&) {
  log_.push_back("CALL " + std::string(name));
  errors_.Clear();
}

void FakeConnection::BeginTrans() {
  if (in_transaction_)
    throw Error(kErrInvalidArgument, "FakeConnection", "already in a transaction");
  log_.push_back("BEGIN");
  in_transaction_ = true;
}

void FakeConnection::CommitTrans() {
  if (!in_transaction_) throw Error(kErrInvalidArgument, "FakeConnection", "no transaction");
  log_.push_back("COMMIT");
  if (fail_commit_) throw Error(kErrInvalidArgument, "FakeConnection", "commit failed");
  in_transaction_ = false;
}

void FakeConnection::RollbackTrans() {
  if (!in_transaction_) throw Error(kErrInvalidArgument, "FakeConnection", "no transaction");
  log_.push_back("ROLLBACK");
  in_transaction_ = false;
}

std::vector<std::string> FakeConnection::statements() const {
  std::vector<std::string> out;
  for (const std::string& entry : log_) {
    if (entry.rfind("EXEC ", 0) == 0) out.push_back(entry.substr(5));
  }
  return out;
}

db::RecordsetPtr OneColumn(std::string name, std::vector<Variant> values) {
  std::vector<db::Recordset::Row> rows;
  for (Variant& value : values) rows.push_back({std::move(value)});
  return std::make_shared<db::Recordset>(std::vector<db::ColumnDef>{{std::move(name), ""}},
                                         std::move(rows));
}

}  // namespace cb::testing
