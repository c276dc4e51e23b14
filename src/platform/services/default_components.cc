// The default components, registered explicitly (never from a static
// initialiser, which a static library's linker is free to drop).
#include "platform/services/default_components.h"

#include <memory>
#include <mutex>

#include "platform/services/ado_error_classifier.h"
#include "platform/services/connection_providers.h"
#include "platform/services/object_factory.h"
#include "platform/services/resource_loader.h"
#include "platform/services/sales_credit.h"

namespace cb::services {

void RegisterDefaultComponents() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterComponentIfAbsent(std::string(kAdoErrorClassifierProgID),
                              [] { return std::make_shared<AdoErrorClassifier>(); });
    RegisterComponentIfAbsent(std::string(kResourceLoaderProgID),
                              [] { return std::make_shared<CatalogResourceLoader>(); });
    RegisterComponentIfAbsent(std::string(kSaleCreditSetDataProgID),
                              [] { return std::make_shared<SaleCreditSetData>(); });
    RegisterComponentIfAbsent(std::string(kSaleCreditGetDataProgID),
                              [] { return std::make_shared<SaleCreditGetData>(); });
  });
}

}  // namespace cb::services
