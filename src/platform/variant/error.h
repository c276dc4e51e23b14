// The one run-time error the platform and the engine raise: a number, a source and a description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace cb {

// Error numbers the platform itself raises.
inline constexpr int32_t kErrOverflow = 6;
inline constexpr int32_t kErrTypeMismatch = 13;
inline constexpr int32_t kErrInvalidUseOfNull = 94;
inline constexpr int32_t kErrSubscriptOutOfRange = 9;
inline constexpr int32_t kErrInvalidArgument = 5;
inline constexpr int32_t kErrObjectRequired = 424;
inline constexpr int32_t kErrItemNotFound = 3265;  // field or parameter name unknown

// A raised error. Public methods of the engine catch it and turn it into codes and texts.
class Error : public std::runtime_error {
 public:
  Error(int32_t number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}

  int32_t number() const { return number_; }
  const std::string& source() const { return source_; }
  const std::string& description() const { return description_; }

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
};

}  // namespace cb
