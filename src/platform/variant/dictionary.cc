// Dictionary storage: a vector for order, a hash index for lookup.
#include "platform/variant/dictionary.h"

namespace cb {

bool Dictionary::Exists(std::string_view key) const {
  return index_.count(std::string(key)) != 0;
}

Variant Dictionary::Read(std::string_view key) const {
  const auto it = index_.find(std::string(key));
  return it == index_.end() ? Variant() : entries_[it->second].second;
}

Variant Dictionary::ReadOr(std::string_view key, Variant default_value) const {
  const auto it = index_.find(std::string(key));
  return it == index_.end() ? default_value : entries_[it->second].second;
}

void Dictionary::Write(std::string_view key, Variant value) {
  std::string owned(key);
  const auto it = index_.find(owned);
  if (it != index_.end()) {
    entries_[it->second].second = std::move(value);
    return;
  }
  index_.emplace(owned, entries_.size());
  entries_.emplace_back(std::move(owned), std::move(value));
}

bool Dictionary::Remove(std::string_view key) {
  const auto it = index_.find(std::string(key));
  if (it == index_.end()) return false;
  const size_t position = it->second;
  index_.erase(it);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  for (auto& [name, slot] : index_) {
    if (slot > position) --slot;
  }
  return true;
}

void Dictionary::Clear() {
  entries_.clear();
  index_.clear();
}

}  // namespace cb
