// Small helpers shared by every class and step: variant membership, the server date, the head table
// and the inventory table of a transaction type.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "platform/db/connection.h"
#include "platform/variant/variant.h"
#include "platform/variant/vector.h"

namespace cb::frame {

// True at the first element, from the lower bound up, that equals vValue under variant comparison
// (the number 1 equals 1.0); false when none does or there are no elements.
bool IsInArray(const Variant& vValue, std::span<const Variant> arrValues);
bool IsInArray(const Variant& vValue, std::initializer_list<Variant> arrValues);
bool IsInArray(const Variant& vValue, const Vector& arrValues);

// The database server's date as 'YYYY-MM-DD' (from "Select GetDate()"); "" when the query fails.
std::string GetServerDate(db::Connection& oConnection);

// The trimmed FHeadTable of the transaction type in ICTransactionType; "" when there is no row, the
// value is Null or the query fails.
std::string GetHeadTable(int32_t lTranType, db::Connection& oConnection);

// "POInventory" (virtual stock) for the types 6, 26, 72, 73, 74, 92, 137 and 702; "ICInventory"
// (real stock) for every other type.
std::string GetInventoryTable(int32_t lTranType);

}  // namespace cb::frame
