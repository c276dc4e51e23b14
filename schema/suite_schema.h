// Creates the suite's database schema, with the rows the engine relies on, in an empty database.
#pragma once

#include "platform/db/connection.h"

namespace cb::schema {

// The accounting calendar a fresh schema gets: every month of these years is one period.
inline constexpr int kFirstCalendarYear = 2000;
inline constexpr int kLastCalendarYear = 2099;

// True when the database already holds the suite's schema (its transaction-type registry exists).
// Raises cb::Error for any database failure other than the registry being absent.
[[nodiscard]] bool IsSuiteSchemaInstalled(db::Connection& connection);

// Creates every table and index of the schema, its seed rows and the accounting calendar of
// kFirstCalendarYear..kLastCalendarYear. Refuses with cb::Error (kErrInvalidArgument) when the
// schema is already installed: it never overwrites. Runs in one transaction: its own when the
// connection has none open (committed on success, rolled back on failure), otherwise the caller's.
// A failure raises cb::Error naming the script that failed.
void InstallSuiteSchema(db::Connection& connection);

// Makes period n of each year first_year..last_year the calendar month n (first to last day),
// replacing the periods those years had. Raises cb::Error (kErrInvalidArgument) unless 1900 <=
// first_year <= last_year <= 9999. Transactions as for InstallSuiteSchema.
void InstallAccountingCalendar(db::Connection& connection, int first_year, int last_year);

}  // namespace cb::schema
