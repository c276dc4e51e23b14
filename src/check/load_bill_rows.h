// LoadBillRows: the head and entry rows of a bill, through the tables ICTransactionType registers
// for its transaction type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"

namespace cb::check {

// Keys of LoadBillRows' answer.
inline constexpr std::string_view kRowsHeadTable = "HeadTable";
inline constexpr std::string_view kRowsEntryTable = "EntryTable";
inline constexpr std::string_view kRowsHead = "Head";
inline constexpr std::string_view kRowsEntry = "Entry";

// Reads FHeadTable and FEntryTable of the type into "HeadTable" and "EntryTable". When the head
// table is not empty, "Head" is the recordset of the bill's head row (FInterID and FTranType
// match), on its first row; when the entry table is not empty, "Entry" holds every entry row of
// FInterID (whatever the type) in the database's order. The connection is oConnection when set,
// otherwise the one GetConnection gives for sDsn. Any failure (no ICTransactionType row, no head
// row or no entry row, a database error) raises cb::Error kErrLoadBillRows, source
// kLoadBillRowsSource, with the description of the error that caused it; missing rows are described
// by kTextRowsMissing.
[[nodiscard]] DictionaryPtr LoadBillRows(frame::ClassFrame& frame, const std::string& sDsn,
                                         int32_t lTranType, int32_t lInterID,
                                         const db::ConnectionPtr& oConnection);

}  // namespace cb::check
