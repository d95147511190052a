#pragma once

#include <cstdint>

// A point in device units (pixels on the screen, the export device's own
// units otherwise), x to the right and y upward from the lower-left corner
// of the drawing area.
struct FcDevicePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;

  friend bool operator==(const FcDevicePoint&, const FcDevicePoint&) = default;
};
