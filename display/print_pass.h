#pragma once

#include <memory>

#include "core/point2d.h"

class FcDeviceContext;
class FcDisplayDevice;
class FcDisplaySurface;
class FcViewTransform;

// The device that prints onto a platform drawing target (a printer page or
// a picture of one). Only the window can make one, so it installs the
// function at start-up; without it a surface that has no device of its own
// prints nothing.
using FcPrintDeviceFactory = std::unique_ptr<FcDisplayDevice> (*)();
void SetPrintDeviceFactory(FcPrintDeviceFactory factory);

// Where a print puts the drawing: the world window between the corners goes
// onto a device rectangle from the origin, unitsX device pixels per world
// unit along the window's width and unitsY along its height; the print pass
// then turns it by the quarter turns and moves it by the offset. The pen
// widths are scaled by printerPixelsPerInch times widthUnit.
struct FcPrintPlacement {
  FcPoint2d corner1;
  FcPoint2d corner2;
  double unitsX = 1.0;
  double unitsY = 1.0;
  int offsetX = 0;
  int offsetY = 0;
  int quarterTurns = 0;
  int colorMode = 0;
  double widthUnit = 1.0;
  int printerPixelsPerInch = 0;
};

// Gives the surface the print's view and device size (the printable area,
// which only bounds what is drawn), and a print device when it has none.
// Done before the list is regenerated, it has curves cut into chords as
// fine as the print needs. False for a window without extent or when there
// is no device to print with.
bool PlacePrint(FcDisplaySurface& surface, int deviceWidth, int deviceHeight, const FcPrintPlacement& placement);

// Prints the surface's list, regenerated for the placement, onto the target
// through the rotated operations; false when it cannot be placed.
bool PrintSurfaceWindow(FcDisplaySurface& surface, FcDeviceContext* target, int deviceWidth, int deviceHeight,
                        const FcPrintPlacement& placement);

// The view's world window between the corners, in either order.
void SetOrderedWindow(FcViewTransform& view, const FcPoint2d& corner1, const FcPoint2d& corner2);
bool HasExtent(const FcPoint2d& corner1, const FcPoint2d& corner2);
