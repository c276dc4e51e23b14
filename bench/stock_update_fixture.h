// The benchmark's database: a stock fixture built through the layer, and the same tables built
// directly in SQLite, so both sides of the comparison start from identical data.
#pragma once

#include <sqlite3.h>

#include <string>

#include "platform/db/connection.h"

namespace cb::bench {

inline constexpr int kBillInterId = 1001;
inline constexpr int kBillLines = 100;
inline constexpr int kDistinctKeys = 50;  // the bill's lines share keys, so GROUP BY has work
inline constexpr int kInventoryItems = 1000;
inline constexpr int kStocks = 5;
inline constexpr double kLineQty = 1.5;

// Creates T_Stock, ICInventory (kInventoryItems x kStocks rows) and ICStockBillEntry (the bill plus
// other bills' lines) through connection.
void BuildFixtureThroughLayer(db::Connection& connection);

// The same tables and rows through the SQLite API (raises std::runtime_error on failure).
void BuildFixtureNative(sqlite3* db);

// A fresh database file path under the temporary directory; any earlier file is removed.
std::string FreshDatabasePath(const std::string& name);

// Sum of FQty over the inventory rows the bill touches, read through the SQLite API.
double TouchedInventoryQty(sqlite3* db);

}  // namespace cb::bench
