// Localised messages: every text the engine reports is written in Chinese, used as the resource
// key, and localised here into the user's language, filled with arguments, or named as an
// operation.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "platform/variant/variant.h"

namespace cb::messages {

// Separator of the pieces of a composite text, and the marker of a piece that is a resource key.
inline constexpr std::string_view kCompositeSeparator = "^|^";
inline constexpr std::string_view kResourceKeyMarker = "~$~";

// The text of `key` in `language`, looked up through this thread's resource loader (created on
// first use and recreated whenever `language` differs from its LanguageID, ignoring case). The key
// is trimmed of leading and trailing blanks; a key containing kCompositeSeparator is localised by
// PickLanguageText. Never raises: a failing loader yields "". The thread's pending error is the
// same after the call as before it.
std::string LoadLocalString(std::string_view key, std::string_view language);

// The localisation of a composite text: its pieces, split on kCompositeSeparator, joined without
// separators, where a piece starting with kResourceKeyMarker is replaced by LoadLocalString of the
// rest of the piece and every other piece is used unchanged.
std::string PickLanguageText(std::string_view text, std::string_view language);

// `format` localised by LoadLocalString, then its placeholders "%1", "%2" … filled from `args`
// ("%1" by the first element) by the foundation function object's FormatText.
std::string FormatString(std::string_view format, std::string_view language,
                         std::span<const Variant> args);
inline std::string FormatString(std::string_view format, std::string_view language,
                                std::initializer_list<Variant> args) {
  return FormatString(format, language, std::span<const Variant>(args.begin(), args.size()));
}

// The localised name of an operation code: 1 check, 2 uncheck, 4 save, 8 delete, 16 restore a
// voided bill, 32 void; "功能错误" (function error) for any other code.
std::string GetOperationName(int32_t operate_code, std::string_view language);

}  // namespace cb::messages
