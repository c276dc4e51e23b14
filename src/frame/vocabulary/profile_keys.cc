// The typed readers of system-profile entries.
#include "frame/vocabulary/profile_keys.h"

#include "platform/variant/error.h"

namespace cb {

namespace {

bool IsMissing(const Variant& value) {
  return value.IsEmpty() || value.IsNull();
}

}  // namespace

double ProfileNumber(const Dictionary& profile, std::string_view key, double default_value) {
  const Variant value = profile.Read(key);
  if (IsMissing(value)) return default_value;
  try {
    return value.ToDouble();
  } catch (const Error&) {
    return default_value;
  }
}

bool ProfileSwitch(const Dictionary& profile, std::string_view key) {
  return ProfileNumber(profile, key, 0) != 0;
}

std::string ProfileText(const Dictionary& profile, std::string_view key,
                        std::string_view default_value) {
  const Variant value = profile.Read(key);
  return IsMissing(value) ? std::string(default_value) : value.ToString();
}

}  // namespace cb
