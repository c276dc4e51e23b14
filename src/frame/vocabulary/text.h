// Text helpers shared by the business folders: trimming, case-blind comparison, line ends and
// quoting for statements.
#pragma once

#include <string>
#include <string_view>

namespace cb {

// Lines of one batch, and the pieces of a composite message, are joined by CR LF.
inline constexpr char kCrLf[] = "\r\n";

// Text without leading and trailing blanks (spaces only, as the database pads them).
[[nodiscard]] std::string Trim(std::string_view text);

// True when both texts are equal ignoring the case of ASCII letters.
[[nodiscard]] bool EqualsNoCase(std::string_view a, std::string_view b);

// A string literal for a statement: the text in single quotes, inner quotes doubled.
[[nodiscard]] std::string QuoteText(std::string_view text);

}  // namespace cb
