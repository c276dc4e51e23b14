// CallScope: marks one public call on the current thread; the outermost scope owns the thread's
// CallTransaction and nested scopes join it.
#pragma once

namespace cb::services {

class CallTransaction;

class CallScope {
 public:
  // Enters a call. The outermost scope on the thread starts a new CallTransaction.
  CallScope();
  // Leaves the call. Leaving the outermost scope ends the CallTransaction (commit or rollback by
  // the last vote, see CallTransaction).
  ~CallScope();
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;

  // The transaction of the call running on this thread; nullptr outside any call.
  static CallTransaction* Current();
  // How many calls are running on this thread, the outermost included.
  static int Depth();
  // In the outermost call, ends its transaction now by the last vote (CallTransaction::End), so
  // that the call answers only after its work is committed; a failed commit is raised as
  // cb::Error. Inside a nested call, and outside any call, does nothing: the outermost decides.
  static void EndOutermost();
};

}  // namespace cb::services
