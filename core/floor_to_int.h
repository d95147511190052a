#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

// floor(value) as an int, held at the ends of the int range (and 0 for a
// NaN), so that a value from bad data never makes the conversion undefined.
inline int FloorToInt(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(
      std::clamp(std::floor(value), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
