#include "filers/object_map.h"

#include <algorithm>

namespace {

constexpr std::size_t kMinimumCapacity = 1024;

}  // namespace

void FcObjectMap::Reserve(std::size_t n) {
  const std::size_t needed = entries_.size() + n;
  if (needed <= entries_.capacity()) {
    return;
  }
  // Growing by a fixed step would copy the whole map once per step, which
  // for a drawing of a million objects moves gigabytes; doubling keeps the
  // copying linear in the size of the map.
  entries_.reserve(std::max({needed, entries_.capacity() * 2, kMinimumCapacity}));
}

void FcObjectMap::Insert(FcHandle handle, std::int64_t offset) {
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

bool FcObjectMap::IsOnly(std::size_t index) const {
  const FcHandle handle = entries_[index].handle;
  return (index == 0 || entries_[index - 1].handle != handle) &&
         (index + 1 == entries_.size() || entries_[index + 1].handle != handle);
}

std::int64_t FcObjectMap::Find(FcHandle handle) const {
  const std::size_t index = FindIndex(handle);
  return index == kNotFound ? -1 : entries_[index].offset;
}

std::size_t FcObjectMap::FindIndex(FcHandle handle) const {
  // A handle that occurs once is the entry the search would find; equal
  // handles are left to the search, which decides between them.
  for (const std::size_t guess : {lastFound_, lastFound_ + 1}) {
    if (guess < entries_.size() && entries_[guess].handle == handle && IsOnly(guess)) {
      lastFound_ = guess;
      return guess;
    }
  }
  std::int64_t low = 0;
  std::int64_t high = static_cast<std::int64_t>(entries_.size()) - 1;
  while (low <= high) {
    const std::int64_t middle = (low + high) / 2;
    const FcObjectMapEntry& entry = entries_[static_cast<std::size_t>(middle)];
    if (entry.handle == handle) {
      lastFound_ = static_cast<std::size_t>(middle);
      return lastFound_;
    }
    if (handle < entry.handle) {
      high = middle - 1;
    } else {
      low = middle + 1;
    }
  }
  return kNotFound;
}
