// Helpers of the message tests: a fresh thread per scenario and a resource loader that records use.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/services/object_factory.h"
#include "platform/services/resource_loader.h"

namespace cb::messages::test_support {

// Runs `body` on a new thread, so that it starts without a resource loader and with its own factory
// registrations and pending error. Failures inside are reported as usual by GoogleTest.
inline void OnFreshThread(const std::function<void()>& body) {
  std::thread thread(body);
  thread.join();
}

// What the recording loaders of one thread saw.
struct LoaderLog {
  int created = 0;
  int unloaded = 0;
  std::vector<std::string> base_names;  // ResFileBaseName set on each loader, in order
};

// The default loader, counting creations and Unload calls into a shared log.
class RecordingLoader final : public services::CatalogResourceLoader {
 public:
  explicit RecordingLoader(std::shared_ptr<LoaderLog> log) : log_(std::move(log)) {
    ++log_->created;
  }
  void SetResFileBaseName(std::string_view name) override {
    log_->base_names.emplace_back(name);
    CatalogResourceLoader::SetResFileBaseName(name);
  }
  void Unload() override {
    ++log_->unloaded;
    CatalogResourceLoader::Unload();
  }

 private:
  std::shared_ptr<LoaderLog> log_;
};

// Puts `factory` in place of the resource loader for the calling thread only.
inline void UseLoaderFactory(services::ComponentFactory factory) {
  services::ObjectFactory::Current().Register(std::string(services::kResourceLoaderProgID),
                                              std::move(factory));
}

}  // namespace cb::messages::test_support
