// SecurityInfo: the current user of a data source, as the data-access service reports it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/variant/object.h"

namespace cb::services {

// The language of a user whose data source names none: the catalogues' own language.
inline constexpr const char* kDefaultUserLanguage = "zh";

class SecurityInfo : public virtual Object {
 public:
  SecurityInfo(int16_t user_id, std::string user_language)
      : user_id_(user_id), user_language_(std::move(user_language)) {}

  // Id of the current user (the default checker of a bill).
  int16_t UserID() const { return user_id_; }
  // Language id of the current user, passed to every message lookup.
  const std::string& UserLanguage() const { return user_language_; }

 private:
  int16_t user_id_;
  std::string user_language_;
};

using SecurityInfoPtr = std::shared_ptr<SecurityInfo>;

}  // namespace cb::services
