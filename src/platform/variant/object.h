// Base of every value that a Variant holds by reference (dictionaries, vectors, recordsets,
// components).
#pragma once

#include <memory>

namespace cb {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
};

using ObjectPtr = std::shared_ptr<Object>;

}  // namespace cb
