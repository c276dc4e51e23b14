// Command: hands a stored-procedure call to the connection.
#include "platform/db/command.h"

#include "platform/db/db_error_codes.h"
#include "platform/variant/error.h"

namespace cb::db {

void Command::Execute() {
  if (connection_ == nullptr) {
    throw Error(kErrObjectRequired, "Command", "Object required: the command has no connection");
  }
  if (procedure_name_.empty()) {
    throw Error(kErrBadArguments, "Command", kTextBadArguments);
  }
  connection_->CallProcedure(procedure_name_, parameters_);
}

}  // namespace cb::db
