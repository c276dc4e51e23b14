// CallTransaction: opening, joining and ending the transaction of one outermost call.
#include "platform/services/call_transaction.h"

#include <optional>

#include "platform/variant/error.h"

namespace cb::services {

namespace {

void RollbackQuietly(db::Connection& connection) {
  try {
    if (connection.InTransaction()) connection.RollbackTrans();
  } catch (...) {
    // Nothing more can be done: the connection's own close rolls back what is left.
  }
}

}  // namespace

CallTransaction::~CallTransaction() {
  try {
    End();
  } catch (...) {
  }
}

void CallTransaction::End() {
  const bool commit = last_vote_ == Vote::kCommit;
  // Taken out first: a connection asked for while ending belongs to a new transaction.
  std::vector<std::pair<std::string, db::ConnectionPtr>> ending = std::move(connections_);
  connections_.clear();
  std::optional<Error> failure;
  for (auto& [key, connection] : ending) {
    if (!connection->InTransaction()) continue;
    if (!commit) {
      RollbackQuietly(*connection);
      continue;
    }
    try {
      connection->CommitTrans();
    } catch (const Error& error) {
      if (!failure) failure = error;
      // A commit that failed must not leave its writes pending on a connection someone still
      // holds.
      RollbackQuietly(*connection);
    }
  }
  if (failure) throw *failure;
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
