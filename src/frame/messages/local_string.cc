// LoadLocalString and PickLanguageText over this thread's resource loader.
#include <memory>

#include "frame/messages/messages.h"
#include "frame/vocabulary/text.h"
#include "platform/services/object_factory.h"
#include "platform/services/pending_error.h"
#include "platform/services/resource_loader.h"

namespace cb::messages {
namespace {

using services::ResourceLoader;

// A new loader from the object factory; nullptr when creation fails or the component created under
// the ProgID is not a resource loader.
std::shared_ptr<ResourceLoader> CreateLoader() {
  try {
    return std::dynamic_pointer_cast<ResourceLoader>(
        services::ObjectFactory::Current().CreateComponent(services::kResourceLoaderProgID));
  } catch (...) {
    return nullptr;
  }
}

// This thread's loader, serving `language`. It is kept for the life of the thread and replaced,
// reloading its resources, whenever a call asks for another language.
ResourceLoader* LoaderFor(std::string_view language) {
  thread_local std::shared_ptr<ResourceLoader> loader;
  if (loader == nullptr) loader = CreateLoader();
  if (loader == nullptr) return nullptr;
  if (!EqualsNoCase(loader->LanguageID(), language)) {
    loader->Unload();
    loader = CreateLoader();
    if (loader == nullptr) return nullptr;
    loader->SetLanguageID(language);
    loader->SetResFileBaseName(services::kEngineResFileBaseName);
  }
  return loader.get();
}

std::string Localise(std::string_view untrimmed_key, std::string_view language) {
  ResourceLoader* loader = LoaderFor(language);
  const std::string key = Trim(untrimmed_key);
  if (key.find(kCompositeSeparator) != std::string_view::npos) {
    return PickLanguageText(key, language);
  }
  return loader == nullptr ? std::string() : loader->LoadString(key);
}

}  // namespace

std::string LoadLocalString(std::string_view key, std::string_view language) {
  // Messages are often built inside an error handler: whatever happens here, the error being
  // handled must still be pending afterwards.
  const services::PendingError saved = services::CurrentPendingError();
  std::string result;
  try {
    result = Localise(key, language);
  } catch (...) {
    result.clear();
  }
  services::SetPendingError(saved);
  return result;
}

std::string PickLanguageText(std::string_view text, std::string_view language) {
  std::string result;
  while (true) {
    const size_t end = text.find(kCompositeSeparator);
    const std::string_view piece = text.substr(0, end);
    if (piece.starts_with(kResourceKeyMarker)) {
      result += LoadLocalString(piece.substr(kResourceKeyMarker.size()), language);
    } else {
      result += piece;
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + kCompositeSeparator.size());
  }
  return result;
}

}  // namespace cb::messages
