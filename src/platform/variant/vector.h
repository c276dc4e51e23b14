// Vector: an ordered list of variants, indexed from 0 (LowerBound() is always 0).
#pragma once

#include <memory>
#include <vector>

#include "platform/variant/variant.h"

namespace cb {

class Vector : public Object {
 public:
  static std::shared_ptr<Vector> Create() { return std::make_shared<Vector>(); }

  void Add(Variant value) { items_.push_back(std::move(value)); }
  size_t Count() const { return items_.size(); }
  int64_t LowerBound() const { return 0; }
  int64_t UpperBound() const { return static_cast<int64_t>(items_.size()) - 1; }
  // Raises cb::Error (subscript out of range) outside the bounds.
  const Variant& Item(int64_t index) const;
  Variant& Item(int64_t index);
  void Clear() { items_.clear(); }
  const std::vector<Variant>& items() const { return items_; }

 private:
  std::vector<Variant> items_;
};

using VectorPtr = std::shared_ptr<Vector>;

}  // namespace cb
