// MessageCatalog: one language's message texts keyed by the Chinese text the engine writes, read
// from the catalogue text format of resources/*.messages.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace cb::services {

// Error number raised for a catalogue that does not follow the format.
inline constexpr int32_t kErrBadCatalog = 32001;

class MessageCatalog {
 public:
  // Parses catalogue text: one entry per line, "key<TAB>text"; the escapes \n \r \t and \\ are
  // allowed in both fields; blank lines and lines whose first character is '#' are skipped; a CR
  // before the line feed is dropped. Raises cb::Error (kErrBadCatalog) whose description names
  // `source_name` and the 1-based line for: a line without a tab, an empty key, an unknown or
  // dangling escape, a key given twice.
  static MessageCatalog Parse(std::string_view text, std::string_view source_name);

  // The text of `key`, or nullptr when the catalogue has no such key. Keys compare exactly.
  const std::string* Find(std::string_view key) const;

  size_t size() const { return entries_.size(); }
  const std::map<std::string, std::string, std::less<>>& entries() const { return entries_; }

 private:
  std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace cb::services
