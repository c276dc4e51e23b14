// Tests of the default resource loader and of the language ids it understands.
#include "platform/services/resource_loader.h"

#include <gtest/gtest.h>

#include "platform/services/language_catalogs.h"

namespace cb::services {
namespace {

TEST(CatalogLanguage, MapsKnownIdsIgnoringCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"en", "en"}, {"EN", "en"},    {"en-US", "en"}, {"en-us", "en"}, {"English", "en"},
      {"zh", "zh"}, {"zh-CN", "zh"}, {"ZH-cn", "zh"}, {"chs", "zh"},   {"CHS", "zh"},
      {"", ""},     {"fr", ""},      {"en-", ""},     {"zh-TW", ""},   {" en", ""},
  };
  for (const auto& [id, language] : cases) {
    EXPECT_EQ(CatalogLanguage(id), language) << "id '" << id << "'";
  }
}

TEST(CatalogResourceLoader, ServesItsLanguageForTheEnginesResourceFileOnly) {
  struct Case {
    const char* language;
    const char* base_name;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"English", "r7eredudav", "反审核", "uncheck"},
      {"en", "", "保存", "save"},
      {"zh-CN", "R7EREDUDAV", "反审核", "反审核"},
      {"en", "OTHER", "审核", "审核"},  // not the engine's resource file
  };
  for (const Case& c : cases) {
    CatalogResourceLoader loader;
    loader.SetLanguageID(c.language);
    loader.SetResFileBaseName(c.base_name);
    EXPECT_EQ(loader.LoadString(c.key), c.expected) << c.language << "/" << c.base_name;
  }
}

}  // namespace
}  // namespace cb::services
