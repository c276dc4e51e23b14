// Resolution of language ids to the embedded catalogues, parsed once per process.
#include "platform/services/language_catalogs.h"

#include <array>
#include <cctype>
#include <map>
#include <string>

#include "platform/services/embedded_catalogs.h"

namespace cb::services {
namespace {

struct Alias {
  std::string_view id;  // lower case
  std::string_view language;
};

constexpr std::array<Alias, 6> kAliases = {{
    {"en", "en"},
    {"en-us", "en"},
    {"english", "en"},
    {"zh", "zh"},
    {"zh-cn", "zh"},
    {"chs", "zh"},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

using CatalogMap = std::map<std::string, MessageCatalog, std::less<>>;

CatalogMap ParseAll() {
  CatalogMap catalogs;
  for (const EmbeddedCatalog& embedded : EmbeddedCatalogs()) {
    catalogs.emplace(std::string(embedded.language),
                     MessageCatalog::Parse(embedded.text, embedded.source_name));
  }
  return catalogs;
}

}  // namespace

std::string_view CatalogLanguage(std::string_view language_id) {
  for (const Alias& alias : kAliases) {
    if (EqualsIgnoringCase(alias.id, language_id)) return alias.language;
  }
  return {};
}

const MessageCatalog* CatalogForLanguage(std::string_view language_id) {
  const std::string_view language = CatalogLanguage(language_id);
  if (language.empty()) return nullptr;
  // A throwing initialiser leaves the static uninitialised, so the next call parses and raises
  // again.
  static const CatalogMap catalogs = ParseAll();
  const auto it = catalogs.find(language);
  return it == catalogs.end() ? nullptr : &it->second;
}

}  // namespace cb::services
