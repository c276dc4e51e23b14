// TranslateCached: translation through a catalog that notes every answer it gives.
#include "platform/tsql/translation_cache.h"

#include <string>

namespace cb::tsql {
namespace {

// Passes lookups on and notes each answer.
class NotingCatalog : public Catalog {
 public:
  NotingCatalog(Catalog& inner, TranslationMemo& memo) : inner_(inner), memo_(memo) {}
  // Variable types need no noting: a statement only ever runs in the batch that declares them.
  std::string VariableType(std::string_view name) override { return inner_.VariableType(name); }
  std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view table) override {
    std::optional<std::vector<ColumnInfo>> answer = inner_.TableColumns(table);
    memo_.tables.emplace_back(std::string(table), answer);
    return answer;
  }

 private:
  Catalog& inner_;
  TranslationMemo& memo_;
};

bool CatalogStillAnswers(const TranslationMemo& memo, Catalog& catalog) {
  for (const auto& [table, answer] : memo.tables) {
    if (catalog.TableColumns(table) != answer) return false;
  }
  return true;
}

}  // namespace

const Translation& TranslateCached(const Statement& statement, Catalog& catalog) {
  std::optional<TranslationMemo>& kept = statement.memo();
  if (kept && CatalogStillAnswers(*kept, catalog)) return kept->translation;
  TranslationMemo memo;
  NotingCatalog noting(catalog, memo);
  memo.translation = statement.Translate(noting);
  kept = std::move(memo);
  return kept->translation;
}

}  // namespace cb::tsql
