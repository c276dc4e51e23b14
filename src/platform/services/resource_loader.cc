// Default resource loader over the embedded message catalogues.
#include "platform/services/resource_loader.h"

#include <cctype>

#include "platform/services/language_catalogs.h"

namespace cb::services {
namespace {

bool ServesBaseName(std::string_view base_name) {
  if (base_name.empty()) return true;
  if (base_name.size() != kEngineResFileBaseName.size()) return false;
  for (size_t i = 0; i < base_name.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(base_name[i])) != kEngineResFileBaseName[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

void CatalogResourceLoader::SetLanguageID(std::string_view language_id) {
  language_id_ = std::string(language_id);
  DropCatalog();
}

void CatalogResourceLoader::SetResFileBaseName(std::string_view base_name) {
  res_file_base_name_ = std::string(base_name);
  DropCatalog();
}

std::string CatalogResourceLoader::LoadString(std::string_view key) {
  if (!loaded_) {
    catalog_ = ServesBaseName(res_file_base_name_) ? CatalogForLanguage(language_id_) : nullptr;
    loaded_ = true;
  }
  if (catalog_ != nullptr) {
    if (const std::string* text = catalog_->Find(key)) return *text;
  }
  return std::string(key);
}

void CatalogResourceLoader::Unload() {
  DropCatalog();
}

void CatalogResourceLoader::DropCatalog() {
  loaded_ = false;
  catalog_ = nullptr;
}

}  // namespace cb::services
