#include "display/handle_slot_index.h"

#include <algorithm>
#include <new>

#include "core/prime_table_sizes.h"

namespace {

// The smallest table that holds count entries at most three quarters full.
std::size_t CapacityFor(std::size_t count) {
  const std::uint64_t needed = static_cast<std::uint64_t>(count) + count / 3 + 1;
  const auto size = std::lower_bound(kPrimeTableSizes.begin(), kPrimeTableSizes.end(), needed);
  if (size == kPrimeTableSizes.end()) throw std::bad_alloc();
  return static_cast<std::size_t>(*size);
}

}  // namespace

std::size_t HandleSlotIndex::HomeOf(FcHandle handle) const {
  return static_cast<std::size_t>(handle % entries_.size());
}

std::size_t HandleSlotIndex::Locate(FcHandle handle) const {
  std::size_t position = HomeOf(handle);
  while (entries_[position].slot >= 0 && entries_[position].handle != handle) position = Next(position);
  return position;
}

int HandleSlotIndex::Find(FcHandle handle) const {
  if (size_ == 0) return -1;
  return entries_[Locate(handle)].slot;
}

void HandleSlotIndex::Set(FcHandle handle, int slot) {
  if (slot < 0) return;
  if (entries_.empty() || (size_ + 1) * 4 > entries_.size() * 3) Rehash(CapacityFor(size_ + 1));
  Entry& entry = entries_[Locate(handle)];
  if (entry.slot < 0) ++size_;
  entry = {handle, slot};
}

void HandleSlotIndex::Erase(FcHandle handle) {
  if (size_ == 0) return;
  std::size_t hole = Locate(handle);
  if (entries_[hole].slot < 0) return;
  // Entries after the hole move back into it when their probe passes it,
  // so that no probe meets an empty entry before its handle.
  for (std::size_t next = Next(hole); entries_[next].slot >= 0; next = Next(next)) {
    const std::size_t home = HomeOf(entries_[next].handle);
    const bool homeAfterHole = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (homeAfterHole) continue;
    entries_[hole] = entries_[next];
    hole = next;
  }
  entries_[hole] = Entry{};
  --size_;
}

void HandleSlotIndex::Clear() {
  std::vector<Entry>().swap(entries_);
  size_ = 0;
}

void HandleSlotIndex::Reserve(std::size_t count) {
  if (CapacityFor(count) > entries_.size()) Rehash(CapacityFor(count));
}

void HandleSlotIndex::Rehash(std::size_t capacity) {
  std::vector<Entry> old(capacity);
  old.swap(entries_);
  for (const Entry& entry : old) {
    if (entry.slot >= 0) entries_[Locate(entry.handle)] = entry;
  }
}
