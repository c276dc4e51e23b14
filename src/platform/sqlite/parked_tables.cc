// ParkedTables: reading the native DROP and CREATE of a temporary table, and what is parked across
// transactions.
#include "platform/sqlite/parked_tables.h"

namespace cb::sqlite {
namespace {

constexpr std::string_view kDropPrefix = "DROP TABLE temp.[#";
constexpr std::string_view kCreatePrefix = "CREATE TEMP TABLE [#";
constexpr std::string_view kCreateTempTable = "CREATE TEMP TABLE ";

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "#name" lower-cased from the '#' of "[#name]" in `text`; empty when the bracket is not closed.
std::string BracketedName(std::string_view text, size_t hash) {
  const size_t close = text.find(']', hash);
  if (close == std::string_view::npos) return "";
  std::string name(text.substr(hash, close - hash));
  for (char& c : name) c = Lower(c);
  return name;
}

// Whether `text` holds `word` (lower-case) in any letter case.
bool Contains(std::string_view text, std::string_view word) {
  for (size_t at = 0; at + word.size() <= text.size(); ++at) {
    size_t i = 0;
    while (i < word.size() && Lower(text[at + i]) == word[i]) ++i;
    if (i == word.size()) return true;
  }
  return false;
}

// The schema tables ("sqlite_temp_master" and its other names) and the pragma functions that list
// tables all begin so.
bool ReadsSchema(std::string_view native_sql) {
  return Contains(native_sql, "sqlite_") || Contains(native_sql, "pragma");
}

}  // namespace

std::string ParkedTables::DroppedTable(std::string_view native_sql) {
  if (!native_sql.starts_with(kDropPrefix) || !native_sql.ends_with(']')) return "";
  std::string name = BracketedName(native_sql, kDropPrefix.size() - 1);
  // The whole rest of the text must be the one name.
  if (kDropPrefix.size() - 1 + name.size() + 1 != native_sql.size()) return "";
  return name;
}

std::string ParkedTables::CreatedTable(std::string_view native_sql) {
  if (!native_sql.starts_with(kCreatePrefix)) return "";
  return BracketedName(native_sql, kCreatePrefix.size() - 1);
}

std::string ParkedTables::StoredDefinition(std::string_view create_sql) {
  // SQLite keeps "CREATE TABLE " followed by the statement's text from the table's name on.
  return "CREATE TABLE " + std::string(create_sql.substr(kCreateTempTable.size()));
}

bool ParkedTables::Parkable(std::string_view definition) {
  // The translator writes its keywords in capitals; a column named so is bracketed.
  return definition.find(" AUTOINCREMENT") == std::string_view::npos;
}

const ParkedTables::Parked* ParkedTables::Find(const std::string& name) const {
  auto found = parked_.find(name);
  return found == parked_.end() ? nullptr : &found->second;
}

void ParkedTables::Park(const std::string& name, Parked parked) {
  parked_[name] = std::move(parked);
  changed_since_settled_ = true;
}

void ParkedTables::Remove(const std::string& name) {
  if (parked_.erase(name) != 0) changed_since_settled_ = true;
}

std::vector<std::string> ParkedTables::MentionedBy(std::string_view native_sql) const {
  // A statement that reads the schema lists every table: none of the parked ones may be there.
  if (ReadsSchema(native_sql)) return Names();
  std::vector<std::string> mentioned;
  for (const auto& [name, parked] : parked_) {
    for (size_t at = native_sql.find('#'); at != std::string_view::npos;
         at = native_sql.find('#', at + 1)) {
      if (native_sql.size() - at < name.size()) break;
      size_t i = 1;
      while (i < name.size() && Lower(native_sql[at + i]) == name[i]) ++i;
      if (i == name.size()) {
        mentioned.push_back(name);
        break;
      }
    }
  }
  return mentioned;
}

std::vector<std::string> ParkedTables::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, parked] : parked_) names.push_back(name);
  return names;
}

void ParkedTables::Settle() {
  if (!changed_since_settled_) return;
  settled_ = parked_;
  changed_since_settled_ = false;
}

void ParkedTables::RollBack() {
  if (!changed_since_settled_) return;
  parked_ = settled_;
  changed_since_settled_ = false;
}

}  // namespace cb::sqlite
