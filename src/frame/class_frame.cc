// ClassFrame: initializer, terminator, data source binding and the call's connection.
#include "frame/class_frame.h"

#include "platform/services/pending_error.h"
#include "platform/services/service_locator.h"

namespace cb::frame {
namespace {

// True when every pending error says that a table does not exist.
bool OnlyMissingTable(const db::Errors& errors) {
  if (errors.empty()) return false;
  for (const db::DbError& error : errors) {
    if (error.kind != db::DbErrorKind::kNoSuchObject) return false;
  }
  return true;
}

}  // namespace

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
  const db::ConnectionPtr connection = GetConnection(sDsn, false, oConnection);
  if (!sTableName.empty()) {
    try {
      connection->Execute("DROP TABLE " + sTableName);
    } catch (const Error&) {
      // Only the usual case, a table that is not there, is dropped: a full disk or an I/O error
      // may have ended the call's transaction, and the call must fail with it.
      if (!OnlyMissingTable(connection->errors())) throw;
    }
  }
  connection->errors().Clear();
  services::ClearPendingError();
}

void ClassFrame::VoteCommit() {
  data_access_service_->VoteCommit();
}

void ClassFrame::VoteAbort() {
  data_access_service_->VoteAbort();
}

}  // namespace cb::frame
