#include "database/entity_pointer_index.h"

#include <algorithm>
#include <new>

#include "core/prime_table_sizes.h"

std::size_t EntityPointerIndex::HomeSlot(const FcEntity* entity) const {
  // Entities are larger than the allocator's 16-byte alignment, so the low
  // bits tell none of them apart.
  const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(entity)) >> 4;
  return static_cast<std::size_t>(address % slots_.size());
}

std::size_t EntityPointerIndex::FindSlot(const FcEntity* entity) const {
  std::size_t slot = HomeSlot(entity);
  while (slots_[slot] != nullptr && slots_[slot] != entity) slot = NextSlot(slot);
  return slot;
}

std::size_t EntityPointerIndex::NextSlot(std::size_t slot) const { return slot + 1 == slots_.size() ? 0 : slot + 1; }

bool EntityPointerIndex::Contains(const FcEntity* entity) const {
  if (entity == nullptr || size_ == 0) return false;
  return slots_[FindSlot(entity)] != nullptr;
}

void EntityPointerIndex::Insert(const FcEntity* entity) {
  if (entity == nullptr) return;
  // At most three quarters full, so that probes stay short.
  if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
  std::size_t slot = HomeSlot(entity);
  while (slots_[slot] != nullptr) slot = NextSlot(slot);
  slots_[slot] = entity;
  ++size_;
}

void EntityPointerIndex::Erase(const FcEntity* entity) {
  if (!Contains(entity)) return;
  std::size_t hole = FindSlot(entity);
  // Entries after the hole move back into it when their probe passes it,
  // so that no probe meets an empty slot before its entity.
  for (std::size_t next = NextSlot(hole); slots_[next] != nullptr; next = NextSlot(next)) {
    const std::size_t home = HomeSlot(slots_[next]);
    const bool homeAfterHole = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (homeAfterHole) continue;
    slots_[hole] = slots_[next];
    hole = next;
  }
  slots_[hole] = nullptr;
  --size_;
}

void EntityPointerIndex::Clear() {
  std::vector<const FcEntity*>().swap(slots_);
  size_ = 0;
}

void EntityPointerIndex::Grow() {
  const auto larger = std::upper_bound(kPrimeTableSizes.begin(), kPrimeTableSizes.end(), slots_.size());
  if (larger == kPrimeTableSizes.end()) throw std::bad_alloc();
  std::vector<const FcEntity*> old(static_cast<std::size_t>(*larger), nullptr);
  old.swap(slots_);
  size_ = 0;
  for (const FcEntity* entity : old) {
    if (entity != nullptr) Insert(entity);
  }
}
