// Tests of the object factory: registration and lookup.
#include "platform/services/object_factory.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/variant/error.h"

namespace cb::services {
namespace {

struct Widget : Object {
  int id = 0;
};

TEST(ObjectFactory, UnknownProgIDIsAnErrorNamingIt) {
  try {
    ObjectFactory::Current().CreateComponent("No.Such.Thing");
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kErrCannotCreateObject);
    EXPECT_NE(error.description().find("No.Such.Thing"), std::string::npos);
  }
}

TEST(ObjectFactory, CreatesANewInstanceEachTimeIgnoringCase) {
  RegisterComponent("Test.Widget", [] { return std::make_shared<Widget>(); });
  ObjectPtr first = ObjectFactory::Current().CreateComponent("test.widget");
  ObjectPtr second = ObjectFactory::Current().CreateComponent("TEST.WIDGET");
  EXPECT_NE(std::dynamic_pointer_cast<Widget>(first), nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(UnregisterComponent("Test.Widget"));
  EXPECT_THROW(ObjectFactory::Current().CreateComponent("Test.Widget"), Error);
}

}  // namespace
}  // namespace cb::services
