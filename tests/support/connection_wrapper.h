// ConnectionWrapper: a Connection that forwards every call to another one, so that test decorators
// (failing, recording, counting) override only the calls they change.
#pragma once

#include <memory>
#include <string_view>

#include "platform/db/connection.h"

namespace cb::testing {

class ConnectionWrapper : public db::Connection {
 public:
  explicit ConnectionWrapper(db::ConnectionPtr inner) : inner_(std::move(inner)) {}

  db::RecordsetPtr Execute(std::string_view sql) override { return inner_->Execute(sql); }
  void CallProcedure(std::string_view name, db::Parameters& parameters) override {
    inner_->CallProcedure(name, parameters);
  }
  db::Errors& errors() override { return inner_->errors(); }
  void BeginTrans() override { inner_->BeginTrans(); }
  void CommitTrans() override { inner_->CommitTrans(); }
  void RollbackTrans() override { inner_->RollbackTrans(); }
  bool InTransaction() const override { return inner_->InTransaction(); }

 private:
  db::ConnectionPtr inner_;
};

}  // namespace cb::testing
