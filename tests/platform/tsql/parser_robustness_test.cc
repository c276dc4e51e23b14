// The parser must answer every input with statements or a database error: no crash, no hang, no
// other exception, and a bounded nesting depth.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "fake_catalog.h"
#include "platform/db/database_error.h"
#include "platform/tsql/batch.h"

namespace cb::tsql {
namespace {

// Parses and translates every leaf; returns "ok" or the error kind, and fails on anything else.
std::string Outcome(const std::string& text) {
  test_support::FakeCatalog catalog;
  catalog.Add("T_Stock", {{"FItemID", "INT"}, {"FQty", "DECIMAL_REAL(28,10)"}});
  try {
    StatementList statements = ParseBatch(text);
    std::vector<const Statement*> pending;
    for (const auto& statement : statements) pending.push_back(statement.get());
    while (!pending.empty()) {
      const Statement* statement = pending.back();
      pending.pop_back();
      switch (statement->kind()) {
        case StatementKind::kBlock:
          for (const auto& child : statement->children()) pending.push_back(child.get());
          break;
        case StatementKind::kIf:
          (void)statement->Translate(catalog);
          pending.push_back(statement->then_branch());
          if (statement->else_branch()) pending.push_back(statement->else_branch());
          break;
        case StatementKind::kEmpty:
        case StatementKind::kDeclare:
          break;
        default:
          (void)statement->Translate(catalog);
      }
    }
    return "ok";
  } catch (const db::DatabaseException& e) {
    return e.error().kind == db::DbErrorKind::kUnsupported ? "unsupported" : "error";
  }
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(ParserDepth, ModerateNestingParses) {
  EXPECT_EQ(Outcome("SELECT " + Repeat("(", 40) + "1" + Repeat(")", 40)), "ok");
  EXPECT_EQ(Outcome(Repeat("IF 1 = 1 ", 40) + "SELECT 1"), "ok");
  EXPECT_EQ(Outcome(Repeat("BEGIN ", 40) + "SELECT 1" + Repeat(" END", 40)), "ok");
}

TEST(ParserDepth, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  struct Deep {
    const char* what;
    std::string text;
  };
  const Deep cases[] = {
      {"parentheses", "SELECT " + Repeat("(", 100000) + "1" + Repeat(")", 100000)},
      {"subqueries", Repeat("SELECT (", 20000) + "1" + Repeat(")", 20000)},
      {"unary minus", "SELECT " + Repeat("- ", 100000) + "1"},
      {"NOT", "SELECT 1 FROM T_Stock WHERE " + Repeat("NOT ", 100000) + "1 = 1"},
      {"IF chain", Repeat("IF 1 = 1 ", 100000) + "SELECT 1"},
      {"blocks", Repeat("BEGIN ", 100000) + "SELECT 1" + Repeat(" END", 100000)},
      {"CASE", "SELECT " + Repeat("CASE WHEN 1 = 1 THEN ", 50000) + "1" + Repeat(" END", 50000)},
  };
  for (const Deep& deep : cases) {
    EXPECT_EQ(Outcome(deep.text), "unsupported") << deep.what;
  }
}

// Deterministic pseudo-random inputs: fragments of the dialect, shuffled, and raw bytes.
class Generator {
 public:
  explicit Generator(uint64_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33);
  }

 private:
  uint64_t state_;
};

TEST(ParserInput, ArbitraryTokenSoupGivesStatementsOrDatabaseErrors) {
  // Fragments of the dialect separated by blanks, then raw bytes and openers left unclosed.
  std::vector<std::string> fragments;
  std::istringstream words(
      "SELECT FROM WHERE UPDATE SET DELETE INSERT INTO VALUES IF ELSE BEGIN END DECLARE @v "
      "@@ROWCOUNT #t [x] T_Stock FQty t1 . , ( ) = <> + - * / 's' 1 2.5 1e3 NULL ISNULL CAST AS "
      "INT DECIMAL(28,10) CASE WHEN THEN JOIN LEFT ON EXISTS IN NOT AND OR TOP GROUP BY ORDER "
      "UNION ALL CREATE TABLE DROP IDENTITY(1,1) ; CONVERT LEFT( SUM( COUNT(*) /* */ ' [ N' %");
  for (std::string word; words >> word;) fragments.push_back(word);
  for (std::string raw : {"\"", "\xff", "\t", "\r\n", "--c\n"}) fragments.push_back(raw);
  fragments.push_back(std::string(1, '\0'));
  Generator generator(20261205);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    int length = 1 + static_cast<int>(generator.Next() % 24);
    for (int i = 0; i < length; ++i) text += fragments[generator.Next() % fragments.size()] + " ";
    ASSERT_NO_THROW((void)Outcome(text)) << text;
  }
}

TEST(ParserInput, EveryPrefixOfARealBatchGivesStatementsOrDatabaseErrors) {
  const std::string batch =
      "SET NOCOUNT ON DECLARE @v INT IF EXISTS(SELECT 1 FROM T_Stock WHERE FItemID = 1) BEGIN "
      "UPDATE t1 SET t1.FQty = ISNULL(t1.FQty, 0) / 2 FROM T_Stock t1 INNER JOIN T_Stock t2 ON "
      "t1.FItemID = t2.FItemID END ELSE SELECT @v = COUNT(*) FROM T_Stock SELECT @@ROWCOUNT";
  EXPECT_EQ(Outcome(batch), "ok");
  for (size_t length = 0; length < batch.size(); ++length) {
    ASSERT_NO_THROW((void)Outcome(batch.substr(0, length))) << length;
  }
}

}  // namespace
}  // namespace cb::tsql
