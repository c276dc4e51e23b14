// ASCII case folding for keywords, names and variables (names compare without regard to case).
#pragma once

#include <string>
#include <string_view>

namespace cb::tsql {

// ASCII upper case; other bytes unchanged.
std::string Upper(std::string_view text);
// ASCII lower case; other bytes unchanged.
std::string Lower(std::string_view text);
// True when both are equal without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

}  // namespace cb::tsql
