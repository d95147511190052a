#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/handle.h"

// Entity handle to display-list slot, in one open-addressed table of
// 16-byte entries: a regen of half a million entities fills it without an
// allocation per entity, and clearing it frees one block.
class HandleSlotIndex {
 public:
  // The slot of the handle, or -1.
  int Find(FcHandle handle) const;
  // Sets the handle's slot, adding the handle when it is not there. Raises
  // std::bad_alloc when the table cannot grow.
  void Set(FcHandle handle, int slot);
  // Nothing when the handle is not there.
  void Erase(FcHandle handle);
  // Empties the index and gives its memory back.
  void Clear();
  // Makes room for count handles without growing on the way.
  void Reserve(std::size_t count);
  std::size_t Size() const { return size_; }

 private:
  struct Entry {
    FcHandle handle = 0;
    // -1 marks an empty entry.
    std::int32_t slot = -1;
  };

  std::size_t HomeOf(FcHandle handle) const;
  std::size_t Next(std::size_t position) const { return position + 1 == entries_.size() ? 0 : position + 1; }
  // The entry holding the handle, or the empty entry where its probe ends.
  std::size_t Locate(FcHandle handle) const;
  void Rehash(std::size_t capacity);

  // A prime in size, at most three quarters full.
  std::vector<Entry> entries_;
  std::size_t size_ = 0;
};
