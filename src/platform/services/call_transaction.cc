// CallTransaction: opening, joining and ending the transaction of one outermost call.
#include "platform/services/call_transaction.h"

namespace cb::services {

CallTransaction::~CallTransaction() {
  const bool commit = last_vote_ == Vote::kCommit;
  for (auto& [key, connection] : connections_) {
    if (!connection->InTransaction()) continue;
    try {
      if (commit) {
        connection->CommitTrans();
      } else {
        connection->RollbackTrans();
      }
    } catch (...) {
      // A commit that failed must not leave its writes pending on a connection someone still holds.
      try {
        if (connection->InTransaction()) connection->RollbackTrans();
      } catch (...) {
      }
    }
  }
}

db::ConnectionPtr CallTransaction::Connection(const std::string& key,
                                              const std::function<db::ConnectionPtr()>& open) {
  for (const auto& [known_key, connection] : connections_) {
    if (known_key == key) return connection;
  }
  db::ConnectionPtr connection = open();
  if (!connection->InTransaction()) connection->BeginTrans();
  connections_.emplace_back(key, connection);
  return connection;
}

}  // namespace cb::services
