// The resource loader component ("V7ERUVURERA.Loader"): the contract the engine's messages use and
// the default implementation over the embedded catalogues.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/services/message_catalog.h"
#include "platform/variant/object.h"

namespace cb::services {

inline constexpr std::string_view kResourceLoaderProgID = "V7ERUVURERA.Loader";
// The base name of the engine's resource file; the default loader serves its catalogues under it.
inline constexpr std::string_view kEngineResFileBaseName = "R7EREDUDAV";

// What a resource loader offers. A host may register its own under kResourceLoaderProgID.
class ResourceLoader : public virtual Object {
 public:
  // The language the loader serves (a language id as the user's security object reports it).
  virtual std::string LanguageID() const = 0;
  virtual void SetLanguageID(std::string_view language_id) = 0;
  // The base name of the resource file the texts come from.
  virtual std::string ResFileBaseName() const = 0;
  virtual void SetResFileBaseName(std::string_view base_name) = 0;
  // The text of `key` in LanguageID(); the key itself when there is no translation. May raise
  // cb::Error when the resources cannot be loaded.
  virtual std::string LoadString(std::string_view key) = 0;
  // Releases the loaded resources; a later LoadString loads them again.
  virtual void Unload() = 0;
};

// The default loader: LanguageID picks one of the embedded catalogues (see CatalogLanguage); with
// an unknown language, or a base name other than "" and kEngineResFileBaseName (ignoring case),
// every key comes back as itself.
class CatalogResourceLoader : public ResourceLoader {
 public:
  std::string LanguageID() const override { return language_id_; }
  void SetLanguageID(std::string_view language_id) override;
  std::string ResFileBaseName() const override { return res_file_base_name_; }
  void SetResFileBaseName(std::string_view base_name) override;
  std::string LoadString(std::string_view key) override;
  void Unload() override;

 private:
  void DropCatalog();  // the next LoadString picks the catalogue again

  std::string language_id_;
  std::string res_file_base_name_;
  bool loaded_ = false;
  // Valid once loaded_; nullptr serves every key as itself.
  const MessageCatalog* catalog_ = nullptr;
};

}  // namespace cb::services
