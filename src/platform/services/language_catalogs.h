// Language ids the resource loader understands and the embedded catalogue that serves each.
#pragma once

#include <string_view>

#include "platform/services/message_catalog.h"

namespace cb::services {

// The catalogue language of a language id, compared without regard to case: "en" for "en", "en-US"
// and "english"; "zh" for "zh", "zh-CN" and "chs"; "" for any other id.
std::string_view CatalogLanguage(std::string_view language_id);

// The embedded catalogue serving `language_id`, or nullptr when the id names no catalogue language.
// All catalogues are parsed once per process on first use; a malformed one raises cb::Error
// (kErrBadCatalog, naming the file and line) from every call until the program is rebuilt.
const MessageCatalog* CatalogForLanguage(std::string_view language_id);

}  // namespace cb::services
