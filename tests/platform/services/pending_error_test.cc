// Tests of the per-thread pending run-time error.
#include "platform/services/pending_error.h"

#include <gtest/gtest.h>

#include <thread>

namespace cb::services {
namespace {

TEST(PendingError, IsKeptPerThread) {
  SetPendingError(PendingError{5, "here", "main", "help.chm", 7});
  PendingError seen_elsewhere{1, "", "", "", 0};
  std::thread other([&] {
    seen_elsewhere = CurrentPendingError();
    SetPendingError(PendingError{9, "there", "other", "", 0});
  });
  other.join();
  EXPECT_FALSE(seen_elsewhere.IsSet());
  EXPECT_EQ(CurrentPendingError(), (PendingError{5, "here", "main", "help.chm", 7}));
  ClearPendingError();
}

}  // namespace
}  // namespace cb::services
