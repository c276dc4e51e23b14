// The uncheck guards: a bill may not be unchecked while something downstream rests on it (a
// backflush, a follow-up bill, a split, a voucher, a hook or verification, a distribution affirm,
// an assembly bill, an estimated-price booking).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace cb::rules {

inline constexpr int32_t kSourceMissingOrAssembled = -200006;
inline constexpr int32_t kAffirmedOrVerified = -200007;
inline constexpr int32_t kBookedAtEstimatedPrice = -200011;
inline constexpr int32_t kReceiptBackflushed = -200012;
inline constexpr int32_t kBillLinked = -200013;
inline constexpr int32_t kBillSplit = -200014;
inline constexpr int32_t kBillVouchered = -200015;
inline constexpr int32_t kHookedOrVerified = -200016;
inline constexpr int32_t kHookStateUnreadable = -200020;

// Every guard reads the head's current row, Null fields as 0 unless said otherwise, and sets
// `message` to its localised refusal text; a guard that passes leaves `message` as it was, except
// CheckHookVerify, which empties it on entry. Errors (a missing field, a failed statement) reach
// the caller, except in CheckEstimated.

// Any operation: a product or processing receipt (2, 5) with FBackFlushed 1 is refused with
// kReceiptBackflushed.
int32_t CheckBackflush(const db::Recordset& head, std::string& message, std::string_view language);

// Uncheck: a head that has a FChildren field (any case) holding 1 or more is refused with
// kBillLinked. FChildren is read with an empty-text default and converted to an integer.
int32_t CheckLinked(const db::Recordset& head, int32_t operate_code, std::string& message,
                    std::string_view language);

// Uncheck of the split-bill types (kSplitBillTypes): FOrgBillInterID above 0 (split off another
// bill) or below 0 (split) is refused with kBillSplit, each with its own text.
int32_t CheckSplit(const db::Recordset& head, int32_t operate_code, std::string& message,
                   std::string_view language);

// Uncheck of the vouchered-bill types (kVoucheredBillTypes): a non-zero FVchInterID is refused
// with kBillVouchered.
int32_t CheckVouchered(const db::Recordset& head, int32_t operate_code, std::string& message,
                       std::string_view language);

// Uncheck: a processing receipt or issue named by an outsourcing verification (ICClientVer), and a
// bill of kHookedBillTypes with FHookInterID above 0 whose hook group (ICHookRelations) holds
// other members, are refused with kHookedOrVerified (a hooked processing issue passes); a hook
// group that cannot be read or tells nothing is refused with kHookStateUnreadable. The connection
// comes from GetConnection(sDsn, false, connection).
int32_t CheckHookVerify(frame::ClassFrame& frame, const std::string& sDsn,
                        const db::Recordset& head, int32_t operate_code, std::string& message,
                        const db::ConnectionPtr& connection, std::string_view language);

// Uncheck of a purchase (71) or sales order (81): the stored order row is read; none is refused
// with kSourceMissingOrAssembled, FOrderAffirm 1 with kAffirmedOrVerified.
int32_t CheckOrderAffirm(frame::ClassFrame& frame, const std::string& sDsn,
                         const db::Recordset& head, int32_t operate_code, std::string& message,
                         std::string_view language, const db::ConnectionPtr& connection);

// Uncheck of a purchase invoice (75, 76) with FPOStyle above 251 or a sales invoice (80, 86) with
// FSaleStyle above 100: partly (FCheckStatus 2) or fully (FCheckStatus 1) verified invoices are
// refused with kAffirmedOrVerified. Reads the head only.
int32_t CheckInvoiceVerified(const db::Recordset& head, int32_t operate_code, std::string& message,
                             std::string_view language);

// Uncheck of an other receipt or issue (10, 29) whose first line comes from an assembly or
// disassembly bill: that bill missing from ICChange, or its FStatus 1, is refused with
// kSourceMissingOrAssembled. Leaves the entry recordset on its first row.
int32_t CheckAssembly(frame::ClassFrame& frame, const std::string& sDsn, const db::Recordset& head,
                      db::Recordset& entries, int32_t operate_code, std::string& message,
                      std::string_view language, const db::ConnectionPtr& connection);

// Any operation: a bill for which an estimated-price voucher row (T_MAKEVOUCHTEMP) exists is
// refused with kBookedAtEstimatedPrice. Takes its connection through GetConnection(sDsn) itself.
// Traps every error: it then passes with `message` untouched.
int32_t CheckEstimated(frame::ClassFrame& frame, const std::string& sDsn, const db::Recordset& head,
                       std::string& message, std::string_view language);

}  // namespace cb::rules
