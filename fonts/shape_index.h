#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Shape number -> file offset of the shape's bytes, sorted by number and
// searched by bisection.
class ShapeIndex {
 public:
  explicit ShapeIndex(int growStep = 256) : growStep_(growStep) {}

  // The value of the number, or -1.
  std::int32_t Find(std::int32_t number) const;
  // The value slot of the number, inserted with 0 when absent.
  std::int32_t& Lookup(std::int32_t number);
  // Inserts or replaces, keeping the order.
  void Insert(std::int32_t number, std::int32_t value) { Lookup(number) = value; }

  int Count() const { return static_cast<int>(entries_.size()); }
  void Clear() { entries_.clear(); }
  const std::vector<std::pair<std::int32_t, std::int32_t>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::int32_t, std::int32_t>> entries_;
  int growStep_;
};
