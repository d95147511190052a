#include "fonts/shape_index.h"

#include <algorithm>

namespace {

bool NumberBefore(const std::pair<std::int32_t, std::int32_t>& entry, std::int32_t number) {
  return entry.first < number;
}

}  // namespace

std::int32_t ShapeIndex::Find(std::int32_t number) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), number, NumberBefore);
  return it != entries_.end() && it->first == number ? it->second : -1;
}

std::int32_t& ShapeIndex::Lookup(std::int32_t number) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), number, NumberBefore);
  if (it != entries_.end() && it->first == number) return it->second;
  if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.capacity() + growStep_);
  it = std::lower_bound(entries_.begin(), entries_.end(), number, NumberBefore);
  return entries_.insert(it, {number, 0})->second;
}
