// Registration of the engine's own public classes with the object factory.
#include "engine/engine_components.h"

#include <memory>
#include <mutex>
#include <string>

#include "checkbill/check_now.h"
#include "checkbill/pre_check.h"
#include "engine/sqlite_provider.h"
#include "platform/services/default_components.h"
#include "platform/services/object_factory.h"

namespace cb::engine {

void RegisterEngineComponents() {
  static std::once_flag once;
  std::call_once(once, [] {
    services::RegisterDefaultComponents();
    RegisterSqliteProvider();
    services::RegisterComponentIfAbsent(std::string(kCheckNowProgID),
                                        [] { return std::make_shared<CheckNow>(); });
    services::RegisterComponentIfAbsent(std::string(kPreCheckProgID),
                                        [] { return std::make_shared<CPreCheck>(); });
  });
}

}  // namespace cb::engine
