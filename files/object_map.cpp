#include "files/object_map.h"

#include <algorithm>

namespace {

constexpr std::size_t kGrowthStep = 1024;

}  // namespace

void FcObjectMap::Reserve(std::size_t n) {
  if (entries_.size() + n <= entries_.capacity()) {
    return;
  }
  const std::size_t step = n <= kGrowthStep ? kGrowthStep : n + kGrowthStep;
  entries_.reserve(entries_.capacity() + step);
}

void FcObjectMap::Insert(FcHandle handle, std::int64_t offset) {
  Reserve(1);
  if (entries_.empty() || handle > entries_.back().handle) {
    entries_.push_back({handle, offset});
    return;
  }
  // A handle equal to the last entry's lands before it, as it would when
  // walking back from the second-to-last entry to the first smaller one.
  const auto before_last = entries_.end() - 1;
  const auto place = std::lower_bound(entries_.begin(), before_last, handle,
                                      [](const FcObjectMapEntry& entry, FcHandle h) { return entry.handle < h; });
  entries_.insert(place, {handle, offset});
}

std::int64_t FcObjectMap::Find(FcHandle handle) const {
  std::int64_t low = 0;
  std::int64_t high = static_cast<std::int64_t>(entries_.size()) - 1;
  while (low <= high) {
    const std::int64_t middle = (low + high) / 2;
    const FcObjectMapEntry& entry = entries_[static_cast<std::size_t>(middle)];
    if (entry.handle == handle) {
      return entry.offset;
    }
    if (handle < entry.handle) {
      high = middle - 1;
    } else {
      low = middle + 1;
    }
  }
  return -1;
}
