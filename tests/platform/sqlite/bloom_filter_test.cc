// Tests that a join SQLite would run through a Bloom filter still matches text under TSQLCI.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "platform/sqlite/sqlite_backend.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

// An automatic index join on two larger tables whose keys differ only in case and a trailing
// blank: equal under TSQLCI, unequal byte for byte and in length.
constexpr char kLots[] =
    "CREATE TABLE Lot (FBatchNo VARCHAR(20) COLLATE TSQLCI, FQty INT);"
    "CREATE TABLE Move (FBatchNo VARCHAR(20) COLLATE TSQLCI, FEntryID INT);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)"
    "  INSERT INTO Lot SELECT 'lot-' || i, i FROM n;"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)"
    "  INSERT INTO Move SELECT 'LOT-' || i || ' ', i FROM n;";
constexpr char kJoin[] =
    "SELECT COUNT(*), SUM(l.FQty) FROM Lot l CROSS JOIN Move m ON m.FBatchNo = l.FBatchNo "
    "WHERE m.FEntryID < 7";

class BloomFilterJoin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(sqlite3_exec(backend_.handle(), kLots, nullptr, nullptr, nullptr), SQLITE_OK);
  }

  // True when the join's program builds or probes a Bloom filter.
  bool PlanUsesBloomFilter() {
    tsql::StatementResult plan = backend_.Run(std::string("EXPLAIN ") + kJoin, {});
    for (const auto& row : plan.rows) {
      std::string opcode = row[1].ToString();
      if (opcode == "Filter" || opcode == "FilterAdd") return true;
    }
    return false;
  }

  cb::testing::TempDatabase dir_;
  SqliteBackend backend_{dir_.File("bloom.db"), SqliteOptions{}};
};

TEST_F(BloomFilterJoin, TheCaseBuildsABloomFilterWhenSQLiteMayUseOne) {
  if (sqlite3_libversion_number() < 3038000) GTEST_SKIP() << "no join Bloom filters before 3.38";
  ASSERT_EQ(sqlite3_test_control(SQLITE_TESTCTRL_OPTIMIZATIONS, backend_.handle(), 0u), SQLITE_OK);
  EXPECT_TRUE(PlanUsesBloomFilter());
}

TEST_F(BloomFilterJoin, AnOpenedConnectionJoinsWithoutOneAndMatchesUnderTheCollation) {
  EXPECT_FALSE(PlanUsesBloomFilter());
  tsql::StatementResult result = backend_.Run(kJoin, {});
  ASSERT_EQ(result.rows.size(), 1u);
  EXPECT_EQ(result.rows[0][0].ToInt64(), 6);
  EXPECT_EQ(result.rows[0][1].ToInt64(), 21);
}

}  // namespace
}  // namespace cb::sqlite
