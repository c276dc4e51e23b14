// Test fixture for the stock engine: the suite's schema with stocks, places and items, helpers that
// write bills in any entry table, and a runner that calls UpdateBillStock as CheckBill does.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "frame/class_frame.h"
#include "frame/profile/suite_database.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::stock::testing {

// Master data every test can use.
inline constexpr int32_t kMainStock = 1;     // WH01 "Main", managed by places, real
inline constexpr int32_t kSpareStock = 2;    // WH02 "Spare", no places, real
inline constexpr int32_t kNotice503 = 3;     // type 503 (receipt notices of type 72)
inline constexpr int32_t kNotice501 = 4;     // type 501 (receipt notices of type 702)
inline constexpr int32_t kVirtualStock = 5;  // type 502
inline constexpr int32_t kShelfA = 11;       // place A-01 "Shelf A"
inline constexpr int32_t kShelfB = 12;       // place B-01 "Shelf B"
inline constexpr int32_t kBolt = 7;          // item 1.01 "Bolt", 2 quantity decimals
inline constexpr int32_t kNut = 8;           // item 1.02 "Nut"

// One entry row: item, quantities and the extra columns ("FDCStockID" → "1", …) as SQL literals.
struct Entry {
  int32_t item = kBolt;
  double qty = 0;
  double sec_qty = 0;
  std::vector<std::pair<std::string, std::string>> columns;
};

class StockDatabase : public cb::testing::SuiteDatabase {
 protected:
  void SetUp() override;

  // Inserts the entries (numbered from 1) of bill inter_id into table.
  void InsertEntries(const std::string& table, int32_t inter_id, const std::vector<Entry>& entries);

  // A head recordset with FInterID, FTranType, FBillNo and FUpStockWhenSave, on its first row.
  static db::RecordsetPtr Head(int32_t inter_id, int32_t tran_type,
                               bool up_stock_when_save = false);

  // The profile switches the stock steps read, all "0"; tests change them before running.
  DictionaryPtr profile_ = Dictionary::Create();

  // dictStepParams as CheckBill builds it for a stock bill.
  DictionaryPtr StepParams(int32_t inter_id, int32_t tran_type, int32_t operate_code,
                           int32_t re_check = 0, bool up_stock_when_save = false);
  // dictResult as CheckBill builds it.
  static DictionaryPtr NewResult();

  // Runs UpdateBillStock on the test connection; result holds what the driver wrote.
  bool Run(const DictionaryPtr& params, const DictionaryPtr& result);
  // Runs a check (1) or uncheck (2) of the bill and expects success.
  void Move(int32_t inter_id, int32_t tran_type, int32_t operate_code);

  // FQty (or FSecQty) summed over the inventory rows of the key; 0 when there is none.
  double Balance(const std::string& table, int32_t item, int32_t stock, int32_t place = 0,
                 const std::string& batch = "", bool secondary = false);
  // Inserts an inventory row for the key with these balances.
  void SetBalance(const std::string& table, int32_t item, int32_t stock, int32_t place, double qty,
                  double sec_qty = 0, const std::string& batch = "");
  int32_t CountRows(const std::string& sql);
};

}  // namespace cb::stock::testing
