// ServiceLocator: per-thread hand-out of data-access services from a replaceable factory.
#include "platform/services/service_locator.h"

#include <memory>
#include <mutex>

#include "platform/services/dsn_data_access_service.h"

namespace cb::services {
namespace {

struct ProcessFactory {
  std::mutex mutex;
  DataAccessServiceFactory factory;
};

ProcessFactory& Process() {
  static ProcessFactory process;
  return process;
}

}  // namespace

void SetDefaultDataAccessServiceFactory(DataAccessServiceFactory factory) {
  ProcessFactory& process = Process();
  std::lock_guard lock(process.mutex);
  process.factory = std::move(factory);
}

ServiceLocator& ServiceLocator::Current() {
  thread_local ServiceLocator locator;
  return locator;
}

DataAccessServicePtr ServiceLocator::GetDataAccessService() {
  if (factory_) return factory_();
  DataAccessServiceFactory shared;
  {
    ProcessFactory& process = Process();
    std::lock_guard lock(process.mutex);
    shared = process.factory;
  }
  if (shared) return shared();
  return std::make_shared<DsnDataAccessService>();
}

}  // namespace cb::services
