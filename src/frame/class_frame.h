// ClassFrame: what every public class holds — the data-access service and the current user's
// security object — and the helpers that bind a data source and hand out the call's connection.
#pragma once

#include <string>

#include "platform/db/connection.h"
#include "platform/services/data_access_service.h"
#include "platform/services/security_info.h"

namespace cb::frame {

class ClassFrame {
 public:
  // Takes a data-access service from this thread's service locator and its security object.
  ClassFrame();
  // Releases the security object and the data-access service.
  ~ClassFrame();
  ClassFrame(const ClassFrame&) = delete;
  ClassFrame& operator=(const ClassFrame&) = delete;

  // Takes a new data-access service from the locator, binds it to sDsn (OpenDsn) and refreshes the
  // security object. Errors of the service are not trapped. Returns false; no caller reads it.
  bool AttachDsn(const std::string& sDsn);

  // oConnection itself when it is set (the service is then not touched); otherwise AttachDsn(sDsn)
  // and the service's OpenConnectionEx when bOtherConnection is true, OpenConnection when it is
  // false. Errors of the service are not trapped.
  db::ConnectionPtr GetConnection(const std::string& sDsn, bool bOtherConnection,
                                  const db::ConnectionPtr& oConnection);

  // Executes "DROP TABLE " + sTableName on the connection GetConnection gives, when the name is not
  // empty. A table that does not exist is no error: the connection's Errors and the pending error
  // are cleared. Every other failure (of GetConnection too) reaches the caller.
  void DropTempTable(const std::string& sDsn, const std::string& sTableName,
                     const db::ConnectionPtr& oConnection);

  // Votes on the held service (see DataAccessService).
  void VoteCommit();
  void VoteAbort();

  const services::DataAccessServicePtr& data_access_service() const { return data_access_service_; }
  const services::SecurityInfoPtr& security_info() const { return security_info_; }

 private:
  services::DataAccessServicePtr data_access_service_;
  services::SecurityInfoPtr security_info_;
};

}  // namespace cb::frame
