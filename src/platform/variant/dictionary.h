// Dictionary: string-keyed variants in insertion order; keys compare exactly as written.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/variant/variant.h"

namespace cb {

class Dictionary : public Object {
 public:
  static std::shared_ptr<Dictionary> Create() { return std::make_shared<Dictionary>(); }

  bool Exists(std::string_view key) const;
  // The value under key; Empty when there is none.
  Variant Read(std::string_view key) const;
  Variant ReadOr(std::string_view key, Variant default_value) const;
  // Adds the key at the end or replaces its value in place.
  void Write(std::string_view key, Variant value);
  bool Remove(std::string_view key);
  void Clear();

  size_t Count() const { return entries_.size(); }
  const std::vector<std::pair<std::string, Variant>>& entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, Variant>> entries_;
  std::unordered_map<std::string, size_t> index_;
};

using DictionaryPtr = std::shared_ptr<Dictionary>;

}  // namespace cb
