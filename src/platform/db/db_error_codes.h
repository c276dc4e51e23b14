// Error numbers and texts that the database interface classes raise, shared by their sources.
#pragma once

#include <cstdint>

namespace cb::db {

// Numbers follow the platform's data-access library so that callers see the codes they expect.
inline constexpr int32_t kErrBofOrEof = 3021;
inline constexpr int32_t kErrBadArguments = 3001;
inline constexpr int32_t kErrObjectClosed = 3704;

inline constexpr const char* kTextItemNotFound =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";
inline constexpr const char* kTextBofOrEof =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires "
    "a current record.";
inline constexpr const char* kTextBadArguments =
    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
    "another.";
inline constexpr const char* kTextObjectClosed =
    "Operation is not allowed when the object is closed.";

}  // namespace cb::db
