// CallScope: the per-thread depth of public calls and the transaction of the outermost one.
#include "platform/services/call_scope.h"

#include <memory>

#include "platform/services/call_transaction.h"

namespace cb::services {
namespace {

struct ThreadCall {
  int depth = 0;
  std::unique_ptr<CallTransaction> transaction;
};

ThreadCall& CurrentThreadCall() {
  thread_local ThreadCall call;
  return call;
}

}  // namespace

CallScope::CallScope() {
  ThreadCall& call = CurrentThreadCall();
  if (call.depth == 0) call.transaction = std::make_unique<CallTransaction>();
  ++call.depth;
}

CallScope::~CallScope() {
  ThreadCall& call = CurrentThreadCall();
  if (--call.depth == 0) {
    // Moved out first so that a connection's commit never sees a half-torn-down thread state.
    std::unique_ptr<CallTransaction> ending = std::move(call.transaction);
    ending.reset();
  }
}

CallTransaction* CallScope::Current() {
  return CurrentThreadCall().transaction.get();
}

int CallScope::Depth() {
  return CurrentThreadCall().depth;
}

void CallScope::EndOutermost() {
  ThreadCall& call = CurrentThreadCall();
  if (call.depth == 1 && call.transaction) call.transaction->End();
}

}  // namespace cb::services
