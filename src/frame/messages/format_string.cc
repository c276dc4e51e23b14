// FormatString: a localised format filled with its arguments.
#include "frame/messages/messages.h"
#include "platform/services/foundation.h"

namespace cb::messages {

std::string FormatString(std::string_view format, std::string_view language,
                         std::span<const Variant> args) {
  return services::Foundation::Current().FormatText(LoadLocalString(format, language), args);
}

}  // namespace cb::messages
