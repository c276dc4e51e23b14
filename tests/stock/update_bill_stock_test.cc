// The balance update's error path: an error that is not the database's own still ends in the
// failure answer with its description. Whole stock updates run as scenario files.
#include <gtest/gtest.h>

#include "frame/class_frame.h"
#include "stock/apply_temp_bill.h"
#include "support/fake_connection.h"

namespace cb::stock {
namespace {

TEST(ApplyTempBill, AnyErrorIsReportedAsAFailureWithItsDescription) {
  auto broken = std::make_shared<cb::testing::FakeConnection>();
  broken->FailWithForeignError("connection reset");
  frame::ClassFrame frame;
  std::string message;
  EXPECT_TRUE(ApplyTempBill(frame, "", 1, message, broken));
  EXPECT_NE(message.find("connection reset"), std::string::npos) << message;
}

}  // namespace
}  // namespace cb::stock
