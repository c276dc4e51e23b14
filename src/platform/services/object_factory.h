// ObjectFactory: the suite's creator of components by ProgID, one per thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/variant/object.h"

namespace cb::services {

// The platform's number for a component that cannot be created.
inline constexpr int32_t kErrCannotCreateObject = 429;

// Makes a new instance of one component.
using ComponentFactory = std::function<ObjectPtr()>;

// Registers (or replaces) a component for the whole process; ProgIDs compare without regard to
// ASCII case. This is how a host adds its own components or replaces a default one.
void RegisterComponent(std::string prog_id, ComponentFactory factory);
// Registers a component unless one is registered under that ProgID already (how defaults are added,
// so that a host's earlier registration wins).
void RegisterComponentIfAbsent(std::string prog_id, ComponentFactory factory);
// Removes a process-wide registration; false when there was none.
bool UnregisterComponent(std::string_view prog_id);

class ObjectFactory {
 public:
  // This thread's factory, created on first use (the defaults are registered then, see
  // RegisterDefaultComponents).
  static ObjectFactory& Current();

  // A new instance of the component registered under ProgID: this thread's own registrations first,
  // then the process-wide ones. Raises cb::Error (kErrCannotCreateObject) naming the ProgID when
  // none is registered, and lets the component factory's own errors through.
  ObjectPtr CreateComponent(std::string_view ProgID);

  // Registers a component for this thread only, ahead of the process-wide table (tests use it to
  // put a component in place without touching other threads).
  void Register(std::string prog_id, ComponentFactory factory);
  // Removes a registration of this thread; false when there was none.
  bool Unregister(std::string_view prog_id);

 private:
  ObjectFactory();

  std::vector<std::pair<std::string, ComponentFactory>> thread_components_;
};

}  // namespace cb::services
