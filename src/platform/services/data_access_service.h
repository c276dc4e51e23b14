// DataAccessService: what the engine asks of the suite's data-access service — bind a data source,
// hand out the call's connection and the current user, and take the call's commit or abort vote.
#pragma once

#include <memory>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/services/security_info.h"
#include "platform/variant/variant.h"

namespace cb::services {

class DataAccessService : public virtual Object {
 public:
  // Binds the service to a data source string; afterwards OpenConnection and GetSecurityInfo refer
  // to it. Raises cb::Error when the string cannot be used. The result carries nothing callers
  // read.
  virtual Variant OpenDsn(std::string_view dsn) = 0;
  // The user the bound data source logged in (a default user before OpenDsn). Never raises.
  virtual SecurityInfoPtr GetSecurityInfo() = 0;
  // An open connection to the bound data source, taking part in the current call's transaction.
  // Callers never begin, commit or close it. Raises cb::Error when the data source cannot be
  // opened.
  virtual db::ConnectionPtr OpenConnection() = 0;
  // The second way of opening a connection to the bound data source; used exactly like
  // OpenConnection.
  virtual db::ConnectionPtr OpenConnectionEx() = 0;
  // The work of the current call may be committed.
  virtual void VoteCommit() = 0;
  // The work of the current call must not be committed.
  virtual void VoteAbort() = 0;
};

using DataAccessServicePtr = std::shared_ptr<DataAccessService>;

}  // namespace cb::services
