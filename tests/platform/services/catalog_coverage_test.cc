// Checks that every quoted Chinese text in the engine's sources is a key of every catalogue, so a
// message added to the code without its translations fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "frame/vocabulary/text.h"
#include "platform/services/embedded_catalogs.h"
#include "platform/services/message_catalog.h"

namespace cb::services {
namespace {

// The engine's sources: every header and source file under src/.
std::vector<std::filesystem::path> EngineSources() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path root = std::filesystem::path(CHECKBILL_SOURCE_DIR) / "src";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::filesystem::path& path = entry.path();
    if (path.extension() == ".cc" || path.extension() == ".h") files.push_back(path);
  }
  return files;
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

// Every string literal of the C++ text that holds a Han character, trimmed of blanks as a lookup
// trims its key. Comments and character literals ('"' among them) are removed first; literals with
// only blanks between are one text, as the compiler joins them. An escaped backslash or quote is
// the character itself; other escapes stay as written.
std::set<std::string> QuotedChineseTexts(std::istream& in) {
  static const std::regex noise(R"re(//[^\n]*|'(?:\\.|[^'\\\n])')re");
  static const std::regex run(R"re("(?:\\.|[^"\\\n])*"(?:\s*"(?:\\.|[^"\\\n])*")*)re");
  static const std::regex literal(R"re("((?:\\.|[^"\\\n])*)")re");
  static const std::regex escaped(R"re(\\([\\"]))re");
  const std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string cleaned = std::regex_replace(code, noise, " ");
  std::set<std::string> texts;
  const std::sregex_iterator end;
  for (std::sregex_iterator run_of(cleaned.begin(), cleaned.end(), run); run_of != end; ++run_of) {
    const std::string joined = run_of->str();
    std::string text;
    for (std::sregex_iterator piece(joined.begin(), joined.end(), literal); piece != end; ++piece) {
      text += std::regex_replace((*piece)[1].str(), escaped, "$1");
    }
    if (HasHanCharacter(text)) texts.insert(Trim(text));
  }
  return texts;
}

TEST(CatalogCoverage, EveryChineseTextOfTheSourcesIsAKeyOfEveryCatalogue) {
  std::set<std::string> texts;
  for (const std::filesystem::path& path : EngineSources()) {
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    texts.merge(QuotedChineseTexts(in));
  }
  ASSERT_FALSE(texts.empty());
  for (const EmbeddedCatalog& embedded : EmbeddedCatalogs()) {
    const MessageCatalog catalog = MessageCatalog::Parse(embedded.text, embedded.source_name);
    for (const std::string& text : texts) {
      EXPECT_NE(catalog.Find(text), nullptr) << embedded.source_name << " lacks: " << text;
    }
  }
  RecordProperty("quoted_texts", static_cast<int>(texts.size()));
}

}  // namespace
}  // namespace cb::services
