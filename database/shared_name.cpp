#include "database/shared_name.h"

#include <array>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace {

using Entry = FcSharedName::Entry;

// Never freed: names may be dropped by objects that outlive every other
// static of the program.
struct Pool {
  std::mutex mutex;
  std::unordered_map<std::string_view, Entry*> entries;
};

Pool& ThePool() {
  static Pool* pool = new Pool;
  return *pool;
}

// Held by no count: the name of every object made without one.
Entry& EmptyEntry() {
  static Entry* empty = new Entry;
  return *empty;
}

void AddHolder(Entry* entry) {
  if (entry != &EmptyEntry()) entry->holders.fetch_add(1, std::memory_order_relaxed);
}

// The entry of the text with one more holder, made when the pool lacks it.
Entry* FindOrAdd(std::string_view text) {
  Pool& pool = ThePool();
  const std::lock_guard<std::mutex> lock(pool.mutex);
  if (auto found = pool.entries.find(text); found != pool.entries.end()) {
    found->second->holders.fetch_add(1, std::memory_order_relaxed);
    return found->second;
  }
  auto* entry = new Entry;
  entry->text.assign(text);
  entry->holders.store(1, std::memory_order_relaxed);
  pool.entries.emplace(entry->text, entry);
  return entry;
}

}  // namespace

FcSharedName::FcSharedName() : entry_(&EmptyEntry()) {}

FcSharedName::FcSharedName(std::string_view text) : entry_(&EmptyEntry()) {
  if (text.empty()) return;
  // A reader makes the same few dozen names (record kinds, layers, styles)
  // for every record it reads: this thread's recent ones are found without
  // the pool's lock, each in the one slot its hash picks.
  thread_local std::array<FcSharedName, 64> recent;
  FcSharedName& slot = recent[std::hash<std::string_view>{}(text) % recent.size()];
  if (slot.str() == text) {
    *this = slot;
    return;
  }
  entry_ = FindOrAdd(text);
  slot = *this;
}

FcSharedName::FcSharedName(const FcSharedName& other) : entry_(other.entry_) { AddHolder(entry_); }

FcSharedName::FcSharedName(FcSharedName&& other) noexcept : entry_(other.entry_) { other.entry_ = &EmptyEntry(); }

FcSharedName& FcSharedName::operator=(const FcSharedName& other) {
  if (entry_ == other.entry_) return *this;
  AddHolder(other.entry_);
  Release();
  entry_ = other.entry_;
  return *this;
}

FcSharedName::~FcSharedName() { Release(); }

void FcSharedName::Release() {
  Entry* entry = entry_;
  if (entry == &EmptyEntry()) return;
  // While other holders remain the count only falls; the last holder takes
  // the pool's lock so that no lookup hands the entry out while it goes.
  std::size_t holders = entry->holders.load(std::memory_order_relaxed);
  while (holders > 1) {
    if (entry->holders.compare_exchange_weak(holders, holders - 1, std::memory_order_acq_rel)) return;
  }
  Pool& pool = ThePool();
  const std::lock_guard<std::mutex> lock(pool.mutex);
  if (entry->holders.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  pool.entries.erase(std::string_view(entry->text));
  delete entry;
}

std::size_t FcSharedName::CountShared() {
  Pool& pool = ThePool();
  const std::lock_guard<std::mutex> lock(pool.mutex);
  return pool.entries.size();
}
