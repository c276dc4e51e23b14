// The query that reads the system-profile switches the check engine uses.
#pragma once

#include <string>

namespace cb::profile {

// The query text: every line ends with CR LF; the key list is spread over five lines. It selects
// the rows whose key is in the list and whose category is IC, plus the one row General/SingleMan.
const std::string& SystemProfileQuery();

}  // namespace cb::profile
