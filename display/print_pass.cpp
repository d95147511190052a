#include "display/print_pass.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

FcPrintDeviceFactory& PrintDeviceFactory() {
  static FcPrintDeviceFactory factory = nullptr;
  return factory;
}

// Truncated toward zero and held inside the device range, so that an odd
// scale cannot make the conversion undefined.
int TruncateToDevice(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, kLowest, kHighest));
}

}  // namespace

void SetPrintDeviceFactory(FcPrintDeviceFactory factory) { PrintDeviceFactory() = factory; }

bool PlacePrint(FcDisplaySurface& surface, int deviceWidth, int deviceHeight, const FcPrintPlacement& placement) {
  if (!HasExtent(placement.corner1, placement.corner2)) return false;
  if (surface.GetDevice() == nullptr && PrintDeviceFactory() != nullptr) surface.SetDevice(PrintDeviceFactory()());
  if (surface.GetDevice() == nullptr) return false;
  surface.SetDeviceSize(deviceWidth, deviceHeight);
  FcViewTransform& view = *surface.GetView();
  SetOrderedWindow(view, placement.corner1, placement.corner2);
  view.deviceX0 = 0;
  view.deviceY0 = 0;
  view.deviceX1 = TruncateToDevice((view.x1 - view.x0) * placement.unitsX);
  view.deviceY1 = TruncateToDevice((view.y1 - view.y0) * placement.unitsY);
  view.Update();
  return true;
}

bool PrintSurfaceWindow(FcDisplaySurface& surface, FcDeviceContext* target, int deviceWidth, int deviceHeight,
                        const FcPrintPlacement& placement) {
  if (!PlacePrint(surface, deviceWidth, deviceHeight, placement)) return false;
  surface.GetDevice()->colorMode = placement.colorMode;
  surface.Print(placement.offsetX, placement.offsetY, placement.quarterTurns, placement.widthUnit, target,
                placement.printerPixelsPerInch);
  return true;
}

void SetOrderedWindow(FcViewTransform& view, const FcPoint2d& corner1, const FcPoint2d& corner2) {
  view.x0 = std::min(corner1.x, corner2.x);
  view.y0 = std::min(corner1.y, corner2.y);
  view.x1 = std::max(corner1.x, corner2.x);
  view.y1 = std::max(corner1.y, corner2.y);
}

bool HasExtent(const FcPoint2d& corner1, const FcPoint2d& corner2) {
  return corner1.x != corner2.x && corner1.y != corner2.y;
}
