// Tests of the object factory: registration and lookup.
#include "platform/services/object_factory.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

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

// A host registers its own components on its own thread; the other threads keep the process's.
TEST(ObjectFactory, ThreadRegistrationShadowsProcessOneOnlyOnThatThread) {
  auto widget_numbered = [](int id) {
    return [id] {
      auto widget = std::make_shared<Widget>();
      widget->id = id;
      return widget;
    };
  };
  auto created_id = [] {
    return std::dynamic_pointer_cast<Widget>(
               ObjectFactory::Current().CreateComponent("Test.Shadowed"))
        ->id;
  };
  RegisterComponent("Test.Shadowed", widget_numbered(1));
  ObjectFactory::Current().Register("Test.Shadowed", widget_numbered(2));
  int other_id = 0;
  std::thread other([&] { other_id = created_id(); });
  other.join();
  EXPECT_EQ(created_id(), 2);
  EXPECT_EQ(other_id, 1);
  EXPECT_TRUE(ObjectFactory::Current().Unregister("Test.Shadowed"));
  UnregisterComponent("Test.Shadowed");
}

}  // namespace
}  // namespace cb::services
