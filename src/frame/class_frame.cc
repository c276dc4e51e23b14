// ClassFrame: initializer, terminator, data source binding and the call's connection.
#include "frame/class_frame.h"

#include "platform/services/pending_error.h"
#include "platform/services/service_locator.h"

namespace cb::frame {

ClassFrame::ClassFrame()
    : data_access_service_(services::ServiceLocator::Current().GetDataAccessService()),
      security_info_(data_access_service_->GetSecurityInfo()) {}

ClassFrame::~ClassFrame() {
  security_info_.reset();
  data_access_service_.reset();
}

bool ClassFrame::AttachDsn(const std::string& sDsn) {
  data_access_service_ = services::ServiceLocator::Current().GetDataAccessService();
  data_access_service_->OpenDsn(sDsn);
  security_info_ = data_access_service_->GetSecurityInfo();
  return false;
}

db::ConnectionPtr ClassFrame::GetConnection(const std::string& sDsn, bool bOtherConnection,
                                            const db::ConnectionPtr& oConnection) {
  if (oConnection) return oConnection;
  AttachDsn(sDsn);
  return bOtherConnection ? data_access_service_->OpenConnectionEx()
                          : data_access_service_->OpenConnection();
}

void ClassFrame::DropTempTable(const std::string& sDsn, const std::string& sTableName,
                               const db::ConnectionPtr& oConnection) {
  db::ConnectionPtr connection;
  try {
    connection = GetConnection(sDsn, false, oConnection);
    if (!sTableName.empty()) connection->Execute("DROP TABLE " + sTableName);
  } catch (...) {
    // A table that is not there is the usual case: nothing of it may reach the caller.
  }
  if (connection) connection->errors().Clear();
  services::ClearPendingError();
}

void ClassFrame::VoteCommit() {
  data_access_service_->VoteCommit();
}

void ClassFrame::VoteAbort() {
  data_access_service_->VoteAbort();
}

}  // namespace cb::frame
