// Tests of the per-thread pending run-time error.
#include "platform/services/pending_error.h"

#include <gtest/gtest.h>

#include <thread>

namespace cb::services {
namespace {

TEST(PendingError, RecordsACaughtErrorUntilCleared) {
  ClearPendingError();
  EXPECT_FALSE(CurrentPendingError().IsSet());
  try {
    throw Error(3021, "CheckNow", "no current record");
  } catch (const Error& error) {
    SetPendingError(error);
  }
  EXPECT_TRUE(CurrentPendingError().IsSet());
  EXPECT_EQ(CurrentPendingError().number, 3021);
  EXPECT_EQ(CurrentPendingError().source, "CheckNow");
  EXPECT_EQ(CurrentPendingError().description, "no current record");
  EXPECT_EQ(CurrentPendingError().help_file, "");
  EXPECT_EQ(CurrentPendingError().help_context, 0);
  ClearPendingError();
  EXPECT_EQ(CurrentPendingError(), PendingError{});
}

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
