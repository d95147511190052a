#pragma once

#include <cstdint>
#include <vector>

#include "core/handle.h"

// One object of a DWG file: where its record (its MS size) starts.
struct FcObjectMapEntry {
  FcHandle handle = 0;
  std::int64_t offset = 0;
};

// Handle to file offset of every object of a DWG file, kept in ascending
// order of handle so that lookups are binary searches. Equal handles may
// occur; an insert never merges them.
class FcObjectMap {
 public:
  // Makes room for at least n more entries; the room at least doubles
  // whenever it grows.
  void Reserve(std::size_t n);
  // Adds an entry in handle order. The writer and the reader insert in
  // mostly ascending order, which costs no moves.
  void Insert(FcHandle handle, std::int64_t offset);
  // The offset of an entry with that handle, or -1.
  std::int64_t Find(FcHandle handle) const;
  // The index in Entries() of the entry Find takes, or kNotFound.
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
  std::size_t FindIndex(FcHandle handle) const;

  const std::vector<FcObjectMapEntry>& Entries() const { return entries_; }
  // An entry whose handle no neighbour shares.
  bool IsOnly(std::size_t index) const;

 private:

  std::vector<FcObjectMapEntry> entries_;
  // Where the last lookup ended: readers mostly ask for that entry or the
  // one after it next. Only a hint, checked before it is used.
  mutable std::size_t lastFound_ = 0;
};
