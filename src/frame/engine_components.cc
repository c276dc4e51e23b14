// Registration of the engine's own public classes with the object factory.
#include "frame/engine_components.h"

#include <memory>
#include <mutex>
#include <string>

#include "frame/check_now.h"
#include "frame/pre_check.h"
#include "platform/services/default_components.h"
#include "platform/services/object_factory.h"

namespace cb::frame {

void RegisterEngineComponents() {
  static std::once_flag once;
  std::call_once(once, [] {
    services::RegisterDefaultComponents();
    services::RegisterComponentIfAbsent(std::string(kCheckNowProgID),
                                        [] { return std::make_shared<CheckNow>(); });
    services::RegisterComponentIfAbsent(std::string(kPreCheckProgID),
                                        [] { return std::make_shared<CPreCheck>(); });
  });
}

}  // namespace cb::frame
