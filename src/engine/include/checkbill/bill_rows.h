// A bill's head and entry rows as CheckBill loads them, for hosts and tools that pass them on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "checkbill/values.h"

namespace cb::engine {

struct BillRows {
  db::RecordsetPtr head;     // the bill's head row, on its first row
  db::RecordsetPtr entries;  // every entry row of the bill, in the database's order
};

// The rows of bill inter_id of trans_type, read through the tables ICTransactionType registers for
// the type, on the database dsn names. Raises cb::Error when the type is not registered, the bill
// has no head or no entry row, or the database fails.
BillRows LoadBillRecordsets(const std::string& dsn, int32_t trans_type, int32_t inter_id);

// As LoadBillRecordsets, but nullopt when the bill has no head or no entry row (a bill that does
// not exist); other failures still raise.
std::optional<BillRows> FindBillRecordsets(const std::string& dsn, int32_t trans_type,
                                           int32_t inter_id);

}  // namespace cb::engine
