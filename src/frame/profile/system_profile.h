// Reads the system-profile switches the check engine uses into one Dictionary.
#pragma once

#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"

namespace cb::profile {

// Key of a switch in the profile Dictionary: category, "|" and key, for example "IC|ICClosed".
inline constexpr std::string_view kKeySeparator = "|";

// Runs SystemProfileQuery() on the connection and stores each row's FValue, exactly as stored,
// under FCategory + "|" + FKey, in the order the rows come. Returns nullptr when the query finds no
// row. Database errors are not trapped: they reach the caller as cb::Error.
[[nodiscard]] DictionaryPtr LoadSystemProfile(db::Connection& connection);

// GetSystemProfile of CheckNow: LoadSystemProfile on oConnection when it is set, otherwise on the
// service's second connection (GetConnection with bOtherConnection true) for sDsn. nullptr when the
// table holds none of the keys. Errors reach the caller.
[[nodiscard]] DictionaryPtr GetSystemProfile(frame::ClassFrame& frame, const std::string& sDsn,
                                             const db::ConnectionPtr& oConnection);

}  // namespace cb::profile
