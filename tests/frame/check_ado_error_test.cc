// Tests of CheckADOError: the message it builds, the number it raises, and warnings that stay
// quiet.
#include "frame/check_ado_error.h"

#include <gtest/gtest.h>

#include "platform/services/ado_error_classifier.h"
#include "platform/services/object_factory.h"
#include "platform/variant/error.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

db::DbError MakeError(int32_t number, std::string description, bool is_warning) {
  db::DbError error;
  error.number = number;
  error.description = std::move(description);
  error.is_warning = is_warning;
  return error;
}

// Warnings alone are not raised even when asked to; a real error is the result, and raised it
// carries the first real error's number and every description.
TEST(CheckADOError, OnlyARealErrorCountsAndRaisesWithEveryDescription) {
  testing::FakeConnection warnings;
  warnings.errors().Add(MakeError(100, "first note", true));
  warnings.errors().Add(MakeError(200, "second note", true));
  EXPECT_FALSE(CheckADOError(warnings, true));
  testing::FakeConnection connection;
  connection.errors().Add(MakeError(100, "a warning", true));
  connection.errors().Add(MakeError(208, "Invalid object name 'x'.", false));
  connection.errors().Add(MakeError(300, "a later error", false));
  EXPECT_TRUE(CheckADOError(connection, false));
  try {
    CheckADOError(connection, true);
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), 208);
    EXPECT_EQ(error.source(), "");
    EXPECT_EQ(error.description(),
              "Description:a warning\r\nDescription:Invalid object name 'x'.\r\n"
              "Description:a later error\r\n");
  }
}

TEST(CheckADOError, AHostClassifierDecidesWhatIsReal) {
  struct StrictClassifier : services::AdoErrorClassifier {
    bool IsError(const db::DbError&) const override { return true; }
  };
  services::ObjectFactory::Current().Register(std::string(services::kAdoErrorClassifierProgID),
                                              [] { return std::make_shared<StrictClassifier>(); });
  testing::FakeConnection connection;
  connection.errors().Add(MakeError(100, "note", true));
  EXPECT_TRUE(CheckADOError(connection, false));
  services::ObjectFactory::Current().Unregister(services::kAdoErrorClassifierProgID);
}

}  // namespace
}  // namespace cb::frame
