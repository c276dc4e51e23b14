// ServiceLocator: the suite's global object that hands out the data-access service, one per thread.
#pragma once

#include <functional>

#include "platform/services/data_access_service.h"

namespace cb::services {

// Makes a new data-access service.
using DataAccessServiceFactory = std::function<DataAccessServicePtr()>;

// Sets the factory every thread's locator uses unless the thread set its own; an empty factory
// restores the built-in DsnDataAccessService. For hosts that bring their own service.
void SetDefaultDataAccessServiceFactory(DataAccessServiceFactory factory);

class ServiceLocator {
 public:
  // This thread's locator, created on first use.
  static ServiceLocator& Current();

  // A new data-access service: each instance keeps its own binding to a data source, while the
  // transaction of the running call is shared by all of them on the thread (see CallScope).
  DataAccessServicePtr GetDataAccessService();

  // Replaces the factory for this thread only (tests put recording services in place this way); an
  // empty factory goes back to the process-wide one.
  void SetDataAccessServiceFactory(DataAccessServiceFactory factory) {
    factory_ = std::move(factory);
  }

 private:
  ServiceLocator() = default;

  DataAccessServiceFactory factory_;
};

}  // namespace cb::services
