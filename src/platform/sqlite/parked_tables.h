// Temporary tables kept, emptied, after DROP TABLE, so that a CREATE TABLE with the same definition
// takes them back without a schema change (a schema change makes SQLite prepare every cached
// statement again).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tsql/backend.h"

namespace cb::sqlite {

// The bookkeeping only; the backend runs the statements. A parked table must look exactly like a
// dropped one: the catalog does not know it, a native statement that names it first drops it for
// real, and a CREATE with any other text drops it for real before creating. What is parked follows
// the transactions: a rollback restores what was parked when the transaction began.
class ParkedTables {
 public:
  struct Parked {
    std::string definition;  // the table's text in the schema table ("CREATE TABLE [#t] (…)")
    std::optional<std::vector<tsql::ColumnInfo>> columns;  // the catalog's answer before the drop
  };

  // The lower-cased name a native "DROP TABLE temp.[#t]" drops; empty for any other statement.
  static std::string DroppedTable(std::string_view native_sql);
  // The lower-cased name a native "CREATE TEMP TABLE [#t] (…)" creates; empty for any other
  // statement.
  static std::string CreatedTable(std::string_view native_sql);
  // The text SQLite keeps in its schema table for a CREATE TEMP TABLE statement.
  static std::string StoredDefinition(std::string_view create_sql);
  // Whether a table of this definition may be parked: an AUTOINCREMENT column keeps its counter in
  // another table, so its table is dropped for real.
  static bool Parkable(std::string_view definition);

  bool empty() const { return parked_.empty(); }
  const Parked* Find(const std::string& name) const;
  void Park(const std::string& name, Parked parked);
  void Remove(const std::string& name);
  // The parked names `native_sql` mentions ('#' and the name in any letter case), and all of them
  // when it reads the schema tables or a pragma. A mention inside a literal counts too: a table
  // dropped for real by mistake costs time, never a difference.
  std::vector<std::string> MentionedBy(std::string_view native_sql) const;
  std::vector<std::string> Names() const;

  // Outside a transaction: what is parked now is what the database holds.
  void Settle();
  // The transaction was rolled back: back to what was parked when it began.
  void RollBack();

 private:
  std::map<std::string, Parked> parked_;
  std::map<std::string, Parked> settled_;
  bool changed_since_settled_ = false;
};

}  // namespace cb::sqlite
