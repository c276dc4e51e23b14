// Checks, when the engine's requirements text is at hand, that every quoted Chinese message it
// names is a key of every catalogue. Skipped where the text is absent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "platform/services/embedded_catalogs.h"
#include "platform/services/message_catalog.h"

namespace cb::services {
namespace {

// The requirements text is not part of the source tree; CHECKBILL_REQUIREMENTS names it.
std::filesystem::path RequirementsPath() {
  const char* path = std::getenv("CHECKBILL_REQUIREMENTS");
  return path == nullptr ? std::filesystem::path() : std::filesystem::path(path);
}

// True when the UTF-8 text holds a character of the CJK unified ideographs block (U+4E00..U+9FFF),
// whose three-byte encodings run from E4 B8 80 to E9 BF BF.
bool HasHanCharacter(std::string_view text) {
  for (size_t i = 0; i + 2 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE4 && second >= 0xB8) || (lead >= 0xE5 && lead <= 0xE9)) {
      if ((second & 0xC0) == 0x80) return true;
    }
  }
  return false;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Every text between a pair of double quotes on one line that holds a Han character, trimmed of
// blanks as a lookup trims its key.
std::set<std::string> QuotedChineseTexts(std::istream& in) {
  std::set<std::string> texts;
  std::string line;
  while (std::getline(in, line)) {
    size_t open = line.find('"');
    while (open != std::string::npos) {
      const size_t close = line.find('"', open + 1);
      if (close == std::string::npos) break;
      const std::string_view quoted = std::string_view(line).substr(open + 1, close - open - 1);
      if (HasHanCharacter(quoted)) texts.emplace(TrimBlanks(quoted));
      open = line.find('"', close + 1);
    }
  }
  return texts;
}

TEST(CatalogCoverage, EveryQuotedChineseTextIsAKeyOfEveryCatalogue) {
  std::ifstream in(RequirementsPath());
  if (!in) GTEST_SKIP() << "no requirements text at " << RequirementsPath();
  const std::set<std::string> texts = QuotedChineseTexts(in);
  ASSERT_FALSE(texts.empty());
  for (const EmbeddedCatalog& embedded : EmbeddedCatalogs()) {
    const MessageCatalog catalog = MessageCatalog::Parse(embedded.text, embedded.source_name);
    for (const std::string& text : texts) {
      EXPECT_NE(catalog.Find(text), nullptr) << embedded.source_name << " lacks: " << text;
    }
  }
  RecordProperty("quoted_texts", static_cast<int>(texts.size()));
}

TEST(CatalogCoverage, FinderSeesOnlyQuotedChineseTexts) {
  std::istringstream in(
      "plain 审核 outside quotes, \"ASCII only\", \"  反审核 \" and \"%1单据\"\n"
      "\"保存\" \"unclosed 删除\n");
  EXPECT_EQ(QuotedChineseTexts(in), (std::set<std::string>{"反审核", "%1单据", "保存"}));
}

}  // namespace
}  // namespace cb::services
