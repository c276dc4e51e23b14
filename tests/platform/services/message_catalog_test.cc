// Tests of the two catalogues compiled into the program: the same keys, Chinese texts equal to
// their keys, translations keeping their placeholders.
#include "platform/services/message_catalog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/services/embedded_catalogs.h"

namespace cb::services {
namespace {

// The numbers of the "%n" placeholders of a text, each as often as it occurs.
std::multiset<int> Placeholders(const std::string& text) {
  std::multiset<int> numbers;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%' || text[i + 1] < '0' || text[i + 1] > '9') continue;
    int number = 0;
    size_t j = i + 1;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9')
      number = number * 10 + (text[j++] - '0');
    numbers.insert(number);
  }
  return numbers;
}

MessageCatalog ParseEmbedded(std::string_view language) {
  for (const EmbeddedCatalog& embedded : EmbeddedCatalogs()) {
    if (embedded.language == language) {
      return MessageCatalog::Parse(embedded.text, embedded.source_name);
    }
  }
  ADD_FAILURE() << "no embedded catalogue " << language;
  return MessageCatalog();
}

// Lookups trim the key first, so a key with outer blanks could never be found. With every Chinese
// key in the English catalogue, equal sizes leave no English key missing from the Chinese one.
TEST(EmbeddedCatalogs, SameKeysChineseTextsAsKeysAndTranslationsKeepingPlaceholders) {
  const MessageCatalog zh = ParseEmbedded("zh");
  const MessageCatalog en = ParseEmbedded("en");
  EXPECT_GT(zh.size(), 0u);
  EXPECT_EQ(en.size(), zh.size());
  for (const auto& [key, text] : zh.entries()) {
    EXPECT_EQ(text.substr(0, text.find_last_not_of(' ') + 1), key);
    EXPECT_TRUE(key.front() != ' ' && key.back() != ' ') << "'" << key << "'";
    const std::string* translation = en.Find(key);
    if (translation == nullptr) {
      ADD_FAILURE() << "missing in en.messages: " << key;
    } else {
      EXPECT_EQ(Placeholders(*translation), Placeholders(key)) << key << " -> " << *translation;
    }
  }
}

}  // namespace
}  // namespace cb::services
