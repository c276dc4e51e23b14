// Command: calls a stored procedure of the connection with named parameters.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"

namespace cb::db {

class Command {
 public:
  explicit Command(ConnectionPtr connection, std::string procedure_name = {})
      : connection_(std::move(connection)), procedure_name_(std::move(procedure_name)) {}

  void set_procedure_name(std::string name) { procedure_name_ = std::move(name); }
  const std::string& procedure_name() const { return procedure_name_; }
  Parameters& parameters() { return parameters_; }

  // Runs the procedure; output, input-output and return-value parameters hold their results after.
  void Execute();

 private:
  ConnectionPtr connection_;
  std::string procedure_name_;
  Parameters parameters_;
};

}  // namespace cb::db
