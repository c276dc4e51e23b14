// Test fixture for the stock engine: the suite's schema with stocks, places and items, a helper
// that writes bills in any entry table, and a runner that calls UpdateBillStock as CheckBill does.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "support/suite_database.h"

namespace cb::stock::testing {

// Master data every test can use.
inline constexpr int32_t kMainStock = 1;   // WH01 "Main", managed by places, real
inline constexpr int32_t kSpareStock = 2;  // WH02 "Spare", no places, real
inline constexpr int32_t kNotice503 = 3;   // type 503 (receipt notices of type 72)
inline constexpr int32_t kNotice501 = 4;   // type 501 (receipt notices of type 702)
inline constexpr int32_t kShelfA = 11;     // place A-01 "Shelf A"
inline constexpr int32_t kShelfB = 12;     // place B-01 "Shelf B"
inline constexpr int32_t kBolt = 7;        // item 1.01 "Bolt", 2 quantity decimals

// One entry row: item, quantity and the extra columns ("FDCStockID" → "1", …) as SQL literals.
struct Entry {
  int32_t item = kBolt;
  double qty = 0;
  std::vector<std::pair<std::string, std::string>> columns;
};

class StockDatabase : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override;

  // Inserts the entries (numbered from 1) of bill inter_id into table.
  void InsertEntries(const std::string& table, int32_t inter_id, const std::vector<Entry>& entries);

  // A head recordset with FInterID, FTranType, FBillNo and FUpStockWhenSave 0, on its first row.
  static db::RecordsetPtr Head(int32_t inter_id, int32_t tran_type);

  // The profile switches the stock steps read, all "0"; tests change them before running.
  DictionaryPtr profile_ = Dictionary::Create();

  // Runs UpdateBillStock for a check (1) or uncheck (2) of the bill, with dictStepParams and
  // dictResult as CheckBill builds them, and expects success.
  void Move(int32_t inter_id, int32_t tran_type, int32_t operate_code);

  // FQty summed over the inventory rows of the key; 0 when there is none.
  double Balance(const std::string& table, int32_t item, int32_t stock, int32_t place = 0);
};

}  // namespace cb::stock::testing
