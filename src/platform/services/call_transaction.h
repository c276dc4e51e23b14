// CallTransaction: the one database transaction of an outermost public call on a thread, decided by
// the last vote when the call ends.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/connection.h"

namespace cb::services {

enum class Vote { kNone, kCommit, kAbort };

class CallTransaction {
 public:
  CallTransaction() = default;
  // Ends what End has not ended yet, as End does, but swallows a failed commit after its rollback:
  // a destructor has no one to report to.
  ~CallTransaction();
  CallTransaction(const CallTransaction&) = delete;
  CallTransaction& operator=(const CallTransaction&) = delete;

  // The call's connection to the data source named by key. The first request opens it with `open`
  // and begins its transaction; later requests (nested calls included) get the same connection.
  // Errors of `open` and of BeginTrans reach the caller and enlist nothing.
  db::ConnectionPtr Connection(const std::string& key,
                               const std::function<db::ConnectionPtr()>& open);

  // Ends the call's transaction now: every connection the call opened commits when the last vote
  // was kCommit and rolls back otherwise (no vote at all rolls back). A connection whose commit
  // fails is rolled back, the others still end, and the first failure is raised as cb::Error. A
  // connection requested after End begins a new transaction.
  void End();

  void Cast(Vote vote) { last_vote_ = vote; }
  Vote last_vote() const { return last_vote_; }
  size_t connection_count() const { return connections_.size(); }

 private:
  std::vector<std::pair<std::string, db::ConnectionPtr>> connections_;
  Vote last_vote_ = Vote::kNone;
};

}  // namespace cb::services
