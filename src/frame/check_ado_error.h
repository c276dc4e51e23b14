// CheckADOError: turns a connection's pending database errors into one "Description:" message and,
// when one of them is a real error, raises it.
#pragma once

#include "platform/db/connection.h"

namespace cb::frame {

// False, doing nothing else, when the connection's Errors is empty. Otherwise builds the message
// "Description:" + description + CR LF for every error object in order, asking the ADO-error
// classifier (created by its ProgID) about each object until one is real; the first real one gives
// the error number. When the classifier cannot be created the message starts with "Number:" + the
// creation failure's number + CR LF + "Description:" + its description + CR LF, and that number
// counts as the real error. With bRaise and a real error, raises cb::Error(number, "", message).
// Returns whether a real error was found: warnings alone give false and never raise.
bool CheckADOError(db::Connection& oConnection, bool bRaise);

}  // namespace cb::frame
