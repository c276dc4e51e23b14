// Bounds-checked access to Vector items.
#include "platform/variant/vector.h"

#include "platform/variant/error.h"

namespace cb {
namespace {

[[noreturn]] void RaiseOutOfRange() {
  throw Error(kErrSubscriptOutOfRange, "Vector", "Subscript out of range");
}

}  // namespace

const Variant& Vector::Item(int64_t index) const {
  if (index < 0 || index >= static_cast<int64_t>(items_.size())) RaiseOutOfRange();
  return items_[static_cast<size_t>(index)];
}

Variant& Vector::Item(int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(items_.size())) RaiseOutOfRange();
  return items_[static_cast<size_t>(index)];
}

}  // namespace cb
