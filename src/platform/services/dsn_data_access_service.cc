// DsnDataAccessService: binding, connections of the running call, the current user and votes.
#include "platform/services/dsn_data_access_service.h"

#include <memory>

#include "platform/db/name_compare.h"
#include "platform/services/call_scope.h"
#include "platform/services/call_transaction.h"
#include "platform/services/connection_providers.h"
#include "platform/variant/error.h"

namespace cb::services {
namespace {

// Connections of one call are shared per database: same provider and same data source.
std::string ConnectionKey(const db::DataSource& data_source) {
  std::string key;
  for (char c : data_source.provider) key += db::AsciiLower(c);
  key += '\n';
  key += data_source.data_source;
  return key;
}

}  // namespace

Variant DsnDataAccessService::OpenDsn(std::string_view dsn) {
  db::DataSource parsed = db::ParseDataSource(dsn);
  if (!HasConnectionProvider(parsed.provider)) {
    throw Error(kErrProviderNotFound, "DataAccessService",
                "Provider '" + parsed.provider + "' is not available in this build");
  }
  bound_ = std::move(parsed);
  return Variant();
}

SecurityInfoPtr DsnDataAccessService::GetSecurityInfo() {
  if (!bound_) return std::make_shared<SecurityInfo>(int16_t{0}, kDefaultUserLanguage);
  return std::make_shared<SecurityInfo>(
      bound_->user_id.value_or(0),
      bound_->language.empty() ? std::string(kDefaultUserLanguage) : bound_->language);
}

db::ConnectionPtr DsnDataAccessService::OpenConnection() {
  if (!bound_) {
    throw Error(kErrObjectRequired, "DataAccessService",
                "No data source is bound: OpenDsn must come before OpenConnection");
  }
  const db::DataSource& data_source = *bound_;
  CallTransaction* transaction = CallScope::Current();
  if (transaction == nullptr) return OpenProviderConnection(data_source);
  return transaction->Connection(ConnectionKey(data_source),
                                 [&data_source] { return OpenProviderConnection(data_source); });
}

void DsnDataAccessService::VoteCommit() {
  if (CallTransaction* transaction = CallScope::Current()) transaction->Cast(Vote::kCommit);
}

void DsnDataAccessService::VoteAbort() {
  if (CallTransaction* transaction = CallScope::Current()) transaction->Cast(Vote::kAbort);
}

}  // namespace cb::services
