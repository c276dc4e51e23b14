// Foundation: the suite's foundation function object, one per thread: NullToDefault and the
// placeholder formatter behind FormatString.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "platform/variant/variant.h"

namespace cb::services {

class Foundation {
 public:
  // This thread's foundation object, created on first use.
  static Foundation& Current();

  // The value itself when it is not Null, otherwise the default.
  Variant NullToDefault(const Variant& value, const Variant& default_value) const;

  // Replaces each numbered placeholder "%n" by the text of element n (1-based) of args, in one pass
  // (a replacement is never scanned again). The longest run of digits that names an element wins,
  // so with ten elements "%10" is the tenth and with one element "%10" is the first followed by
  // "0". A
  // '%' not followed by such a number stays as it is. Null and Empty elements read as "".
  std::string FormatText(std::string_view text, std::span<const Variant> args) const;
  std::string FormatText(std::string_view text, std::initializer_list<Variant> args) const {
    return FormatText(text, std::span<const Variant>(args.begin(), args.size()));
  }

 private:
  Foundation() = default;
};

}  // namespace cb::services
