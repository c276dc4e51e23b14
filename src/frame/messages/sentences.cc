// SeparateSentences: blanks between the English sentences the engine joins.
#include "frame/messages/messages.h"
#include "platform/services/language_catalogs.h"

namespace cb::messages {

std::string SeparateSentences(std::string_view text, std::string_view language) {
  if (services::CatalogLanguage(language) != "en") return std::string(text);
  std::string spaced;
  spaced.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    spaced += text[i];
    const bool sentence_end = text[i] == '!' || text[i] == '?';
    if (sentence_end && i + 1 < text.size() && text[i + 1] >= 'A' && text[i + 1] <= 'Z') {
      spaced += ' ';
    }
  }
  return spaced;
}

}  // namespace cb::messages
