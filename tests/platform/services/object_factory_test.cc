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

// Once unregistered, a ProgID is unknown again: an error that names it.
TEST(ObjectFactory, CreatesANewInstanceEachTimeIgnoringCase) {
  RegisterComponent("Test.Widget", [] { return std::make_shared<Widget>(); });
  ObjectPtr first = ObjectFactory::Current().CreateComponent("test.widget");
  ObjectPtr second = ObjectFactory::Current().CreateComponent("TEST.WIDGET");
  EXPECT_NE(std::dynamic_pointer_cast<Widget>(first), nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(UnregisterComponent("Test.Widget"));
  try {
    ObjectFactory::Current().CreateComponent("Test.Widget");
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kErrCannotCreateObject);
    EXPECT_NE(error.description().find("Test.Widget"), std::string::npos);
  }
}

}  // namespace
}  // namespace cb::services
