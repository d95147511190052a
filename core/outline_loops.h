#pragma once

#include <cmath>
#include <span>
#include <utility>
#include <vector>

// Simple loops cut out of a self-crossing outline: the points (or
// vertices) of all loops one after the other, and the size of each loop.
template <class T>
struct LoopList {
  std::vector<T> points;
  std::vector<int> sizes;
};

// Sum of area(loop) over the loops.
template <class T, class Area>
double SumOfLoopAreas(const LoopList<T>& loops, Area area) {
  double sum = 0.0;
  std::size_t offset = 0;
  for (int size : loops.sizes) {
    sum += area(std::span<const T>(loops.points).subspan(offset, size));
    offset += size;
  }
  return sum;
}

// Absolute shoelace area of a closed ring of anything with x and y.
template <class T>
double ShoelaceArea(std::span<const T> ring) {
  std::size_t n = ring.size();
  if (n < 3) return 0.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const T& prev = ring[(i + n - 1) % n];
    const T& next = ring[(i + 1) % n];
    sum += ring[i].x * (next.y - prev.y);
  }
  return std::fabs(sum) * 0.5;
}

// Cuts an outline into simple loops: split(piece, one, two) cuts a piece at
// its first crossing into two smaller ones, or returns false for a simple
// piece, which becomes a loop. Piece one and everything cut from it come
// before piece two, as a depth-first recursion would give them, but an
// explicit stack keeps long outlines off the call stack. After maxSplits
// cuts the remaining pieces are taken as they are, so that rounding can
// never keep a split going for ever.
template <class T, class Split>
void SplitIntoLoops(std::span<const T> outline, LoopList<T>& loops, long long maxSplits,
                    Split split) {
  std::vector<std::vector<T>> pending;
  pending.emplace_back(outline.begin(), outline.end());
  long long splits = 0;
  while (!pending.empty()) {
    std::vector<T> piece = std::move(pending.back());
    pending.pop_back();
    std::vector<T> one;
    std::vector<T> two;
    if (splits < maxSplits && split(piece, one, two)) {
      ++splits;
      pending.push_back(std::move(two));
      pending.push_back(std::move(one));
      continue;
    }
    loops.points.insert(loops.points.end(), piece.begin(), piece.end());
    loops.sizes.push_back(static_cast<int>(piece.size()));
  }
}
