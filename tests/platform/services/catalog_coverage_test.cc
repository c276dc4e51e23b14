// Checks that every quoted Chinese text in the engine's sources is a key of every catalogue, so a
// message added to the code without its translations fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

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

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Every string literal of the C++ text that holds a Han character, trimmed of blanks as a lookup
// trims its key. Literals that follow each other with only blanks between are one text, as the
// compiler joins them; comments are skipped.
std::set<std::string> QuotedChineseTexts(std::istream& in) {
  const std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> texts;
  std::string literal;
  bool joining = false;  // only blanks since the last literal closed
  auto finish = [&] {
    if (HasHanCharacter(literal)) texts.emplace(TrimBlanks(literal));
    literal.clear();
    joining = false;
  };
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '/' && i + 1 < code.size() && code[i + 1] == '/') {
      i = code.find('\n', i);
      if (i == std::string::npos) break;
    } else if (c == '"') {
      if (!joining) literal.clear();
      for (++i; i < code.size() && code[i] != '"'; ++i) {
        // An escaped backslash or quote is the character itself; other escapes stay as written.
        const bool escape = code[i] == '\\' && i + 1 < code.size();
        if (escape && (code[i + 1] == '\\' || code[i + 1] == '"'))
          ++i;
        else if (escape)
          literal += code[i++];
        literal += code[i];
      }
      joining = true;
    } else if (c == '\'') {
      if (joining) finish();
      // A character literal, '"' and '\'' among them.
      const bool escaped = i + 1 < code.size() && code[i + 1] == '\\';
      i = code.find('\'', i + (escaped ? 3 : 2));
      if (i == std::string::npos) break;
    } else if (joining && c != ' ' && c != '\n' && c != '\r' && c != '\t') {
      finish();
    }
  }
  if (joining) finish();
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
