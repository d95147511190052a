#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "core/point2d.h"

// The growable arrays of the drawing side. Each one exposes its buffer and
// count so that users read and write elements directly; the arrays own their
// buffers and are moved, never copied (owners copy elements).
//
// Growth runs through one rule: nothing happens while count + n stays below
// the capacity, so a full buffer always keeps one spare slot; otherwise the
// capacity grows by the step, or by step + n when n is larger than the step.
// New slots are zero. Every growing operation returns false, leaving the
// array as it was, when the new capacity does not fit or cannot be allocated.

namespace data_array_detail {

template <typename T>
bool GrowBuffer(T*& buffer, int count, int& capacity, int n, int step) {
  const long long needed = static_cast<long long>(count) + n;
  if (needed < capacity) {
    return true;
  }
  const long long grownBy = step < n ? static_cast<long long>(step) + n : step;
  const long long newCapacity = capacity + grownBy;
  if (newCapacity > INT_MAX || newCapacity < needed) {
    return false;
  }
  T* grown = new (std::nothrow) T[static_cast<std::size_t>(newCapacity)]();
  if (grown == nullptr) {
    return false;
  }
  std::copy_n(buffer, count, grown);
  delete[] buffer;
  buffer = grown;
  capacity = static_cast<int>(newCapacity);
  return true;
}

// The buffer, count and capacity of the point and integer arrays, which
// always grow by 16, or by n + 16 for larger requests.
template <typename T>
class FixedStepArray {
 public:
  T* data = nullptr;
  int count = 0;
  int capacity = 0;

  FixedStepArray() = default;
  FixedStepArray(const FixedStepArray&) = delete;
  FixedStepArray& operator=(const FixedStepArray&) = delete;
  FixedStepArray(FixedStepArray&& other) noexcept
      : data(std::exchange(other.data, nullptr)),
        count(std::exchange(other.count, 0)),
        capacity(std::exchange(other.capacity, 0)) {}
  FixedStepArray& operator=(FixedStepArray&& other) noexcept {
    if (this != &other) {
      RemoveAll();
      data = std::exchange(other.data, nullptr);
      count = std::exchange(other.count, 0);
      capacity = std::exchange(other.capacity, 0);
    }
    return *this;
  }
  ~FixedStepArray() { RemoveAll(); }

  bool Grow(int n) { return GrowBuffer(data, count, capacity, n, 16); }

  bool Add(const T& value) {
    if (!Grow(1)) {
      return false;
    }
    data[count++] = value;
    return true;
  }

  void RemoveAll() {
    delete[] data;
    data = nullptr;
    count = 0;
    capacity = 0;
  }

  T& operator[](int i) { return data[i]; }
  const T& operator[](int i) const { return data[i]; }
};

}  // namespace data_array_detail

// Point lists: tessellated curves, outlines, grip points, display primitives.
class FcPoint2dArray : public data_array_detail::FixedStepArray<FcPoint2d> {
 public:
  bool AddXY(double x, double y);
  bool Append(const FcPoint2dArray& other);
  // Replaces the points by a copy of the source's.
  bool Assign(const FcPoint2dArray& source);
};

// Integer lists: grip states, index lists of the boundary search.
class CIntArray : public data_array_detail::FixedStepArray<int> {
 public:
  // Index of the first element equal to value, -1 when absent.
  int Find(int value) const;
  // Sorts the elements first..last (inclusive) largest first. The boundary
  // search removes records by these indices one after the other, which is
  // only right when the larger indices come first. A range that is empty or
  // reaches outside the elements is left alone.
  void Sort(int first, int last);
};

// Handle lists, knot and weight vectors, byte and 16-bit buffers of the
// bit streams, filter type codes, the device's saved-state stack.
template <typename T>
class CDataArray {
 public:
  T* items = nullptr;
  int count = 0;
  int capacity = 0;
  // Owners may choose another step after construction (the layer's handle
  // list uses 1024).
  int growBy = 16;

  CDataArray() = default;
  CDataArray(const CDataArray&) = delete;
  CDataArray& operator=(const CDataArray&) = delete;
  CDataArray(CDataArray&& other) noexcept
      : items(std::exchange(other.items, nullptr)),
        count(std::exchange(other.count, 0)),
        capacity(std::exchange(other.capacity, 0)),
        growBy(other.growBy) {}
  CDataArray& operator=(CDataArray&& other) noexcept {
    if (this != &other) {
      RemoveAll();
      items = std::exchange(other.items, nullptr);
      count = std::exchange(other.count, 0);
      capacity = std::exchange(other.capacity, 0);
      growBy = other.growBy;
    }
    return *this;
  }
  ~CDataArray() { RemoveAll(); }

  bool Grow(int n) { return data_array_detail::GrowBuffer(items, count, capacity, n, growBy); }

  // Makes index i exist; the count becomes at least i + 1.
  bool SetSize(int i) {
    if (i >= capacity && !Grow(i - count + 1)) {
      return false;
    }
    if (i >= count) {
      count = i + 1;
    }
    return true;
  }

  bool Add(const T& value) {
    if (!Grow(1)) {
      return false;
    }
    items[count++] = value;
    return true;
  }

  // Removes every element equal to value, keeping the order of the others.
  void Remove(const T& value) {
    if (count > 0) {
      count = static_cast<int>(std::remove(items, items + count, value) - items);
    }
  }

  // Replaces the contents by the source's; an empty source empties the array.
  bool Copy(const CDataArray& source) {
    if (this == &source) {
      return true;
    }
    if (source.count <= 0) {
      RemoveAll();
      return true;
    }
    count = 0;
    if (!Grow(source.count)) {
      return false;
    }
    std::copy_n(source.items, source.count, items);
    count = source.count;
    return true;
  }

  // Sets every slot up to the capacity, used or not.
  void Fill(const T& value) { std::fill_n(items, capacity, value); }

  void RemoveAll() {
    delete[] items;
    items = nullptr;
    count = 0;
    capacity = 0;
  }

  T& operator[](int i) { return items[i]; }
  const T& operator[](int i) const { return items[i]; }
};

extern template class CDataArray<std::uint64_t>;
extern template class CDataArray<double>;
extern template class CDataArray<int>;
extern template class CDataArray<short>;
extern template class CDataArray<unsigned short>;
extern template class CDataArray<unsigned char>;
