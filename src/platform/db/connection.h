// Connection: the database as the engine sees it. It runs T-SQL batches, calls stored procedures
// and keeps the Errors of the last operation.
#pragma once

#include <memory>
#include <string_view>

#include "platform/db/errors.h"
#include "platform/db/parameters.h"
#include "platform/db/recordset.h"

namespace cb::db {

class Connection : public Object {
 public:
  // Runs one T-SQL statement or batch. Returns its first result set, fully read, or a closed
  // recordset when no statement produced one. Errors is cleared first; on failure it holds what
  // went wrong and a cb::Error with the first real error's number and description is raised. A
  // failed statement ends the batch; what earlier statements of the batch did stays (the
  // transaction decides its fate).
  virtual RecordsetPtr Execute(std::string_view sql) = 0;

  // Calls a stored procedure. Input and input-output parameters are read; output, input-output and
  // return-value parameters are written. Errors behave as for Execute.
  virtual void CallProcedure(std::string_view name, Parameters& parameters) = 0;

  virtual Errors& errors() = 0;

  // One level of transaction. Commit and roll back without a transaction raise cb::Error.
  // When the database ends a transaction on its own after a failed statement (a full disk, an I/O
  // error), the transaction counts as open but lost: every later statement and the commit raise
  // the error that lost it, without running, so that nothing of the call reaches the database
  // outside its transaction; only a rollback ends that state.
  virtual void BeginTrans() = 0;
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;
  virtual bool InTransaction() const = 0;
};

using ConnectionPtr = std::shared_ptr<Connection>;

}  // namespace cb::db
