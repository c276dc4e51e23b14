// DataSource: a tolerant reader of key=value data source strings with precise error texts.
#include "platform/db/data_source.h"

#include <charconv>

#include "platform/db/name_compare.h"
#include "platform/variant/error.h"

namespace cb::db {

namespace {

constexpr const char* kSource = "DataSource";

[[noreturn]] void Raise(const std::string& what) {
  throw Error(kErrInvalidArgument, kSource, "Invalid data source string: " + what);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

class PairReader {
 public:
  explicit PairReader(std::string_view text) : text_(text) {}

  // Reads the next pair into key and value; false at the end of the text.
  bool Next(std::string& key, std::string& value) {
    while (pos_ < text_.size()) {
      const size_t start = pos_;
      const size_t equals = text_.find('=', pos_);
      const size_t semicolon = text_.find(';', pos_);
      if (equals == std::string_view::npos ||
          (semicolon != std::string_view::npos && semicolon < equals)) {
        const std::string_view piece =
            Trim(text_.substr(start, semicolon == std::string_view::npos ? std::string_view::npos
                                                                         : semicolon - start));
        if (!piece.empty()) Raise("'" + std::string(piece) + "' is not a key=value pair");
        pos_ = semicolon == std::string_view::npos ? text_.size() : semicolon + 1;
        continue;
      }
      key = std::string(Trim(text_.substr(start, equals - start)));
      if (key.empty()) Raise("a value has no key");
      pos_ = equals + 1;
      value = ReadValue(key);
      return true;
    }
    return false;
  }

 private:
  std::string ReadValue(const std::string& key) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '"')) return ReadQuoted(key);
    const size_t semicolon = text_.find(';', pos_);
    const size_t end = semicolon == std::string_view::npos ? text_.size() : semicolon;
    std::string value(Trim(text_.substr(pos_, end - pos_)));
    pos_ = end == text_.size() ? end : end + 1;
    return value;
  }

  std::string ReadQuoted(const std::string& key) {
    const char quote = text_[pos_++];
    std::string value;
    while (true) {
      if (pos_ >= text_.size()) Raise("the quoted value of '" + key + "' is not closed");
      const char c = text_[pos_++];
      if (c != quote) {
        value += c;
      } else if (pos_ < text_.size() && text_[pos_] == quote) {
        value += quote;
        ++pos_;
      } else {
        break;
      }
    }
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && text_[pos_] != ';') {
      Raise("unexpected text after the quoted value of '" + key + "'");
    }
    if (pos_ < text_.size()) ++pos_;
    return value;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

int16_t ParseUserId(const std::string& text) {
  int16_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    Raise("UserID '" + text + "' is not a 16-bit integer");
  }
  return value;
}

}  // namespace

bool SameDataSourceKey(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (true) {
    while (i < a.size() && IsBlank(a[i])) ++i;
    while (j < b.size() && IsBlank(b[j])) ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (AsciiLower(a[i]) != AsciiLower(b[j])) return false;
    ++i;
    ++j;
  }
}

std::optional<std::string> DataSource::Get(std::string_view key) const {
  for (const auto& [name, value] : entries) {
    if (SameDataSourceKey(name, key)) return value;
  }
  return std::nullopt;
}

DataSource ParseDataSource(std::string_view text) {
  DataSource result;
  PairReader reader(text);
  std::string key;
  std::string value;
  while (reader.Next(key, value)) {
    bool replaced = false;
    for (auto& entry : result.entries) {
      if (SameDataSourceKey(entry.first, key)) {
        entry.second = value;
        replaced = true;
      }
    }
    if (!replaced) result.entries.emplace_back(key, value);
  }
  result.provider = result.Get("Provider").value_or("");
  result.data_source = result.Get("Data Source").value_or("");
  if (result.provider.empty()) Raise("Provider is missing");
  if (result.data_source.empty()) Raise("Data Source is missing");
  if (const std::optional<std::string> user = result.Get("UserID")) {
    result.user_id = ParseUserId(*user);
  }
  result.language = result.Get("Language").value_or("");
  return result;
}

}  // namespace cb::db
