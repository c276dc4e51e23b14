// Foundation: NullToDefault and one-pass placeholder filling.
#include "platform/services/foundation.h"

namespace cb::services {

Foundation& Foundation::Current() {
  thread_local Foundation foundation;
  return foundation;
}

Variant Foundation::NullToDefault(const Variant& value, const Variant& default_value) const {
  return value.IsNull() ? default_value : value;
}

std::string Foundation::FormatText(std::string_view text, std::span<const Variant> args) const {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%') {
      out += text[i++];
      continue;
    }
    // Longest digit run after '%' that still names an element.
    size_t best_length = 0;
    size_t best_index = 0;
    size_t number = 0;
    for (size_t j = i + 1; j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j) {
      number = number * 10 + static_cast<size_t>(text[j] - '0');
      if (number > args.size()) break;
      if (number >= 1) {
        best_length = j - i;
        best_index = number;
      }
    }
    if (best_length == 0) {
      out += text[i++];
      continue;
    }
    const Variant& arg = args[best_index - 1];
    if (!arg.IsNull()) out += arg.ToString();
    i += best_length + 1;
  }
  return out;
}

}  // namespace cb::services
