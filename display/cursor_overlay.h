#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display/device_point.h"
#include "display/display_device.h"

// The geometry of the cursor overlay and the object-snap markers, in device
// pixels (y up). The screen device paints it over the copy of its back
// buffer when it presents it (screen_device_overlay.cpp).

// Object-snap kinds: the bits of the drawing's osmode.
inline constexpr int kSnapEndpoint = 1;
inline constexpr int kSnapMidpoint = 2;
inline constexpr int kSnapCenter = 4;
inline constexpr int kSnapNode = 8;
inline constexpr int kSnapQuadrant = 16;
inline constexpr int kSnapIntersection = 32;
inline constexpr int kSnapInsert = 64;
inline constexpr int kSnapPerpendicular = 128;
inline constexpr int kSnapTangent = 256;
inline constexpr int kSnapNearest = 512;
// Set in osmode while object snap is switched off.
inline constexpr int kSnapOff = 0x4000;

using FcDevicePolyline = std::vector<FcDevicePoint>;

// Open polylines, plus a circle outline when radius is above 0.
struct FcOverlayShape {
  std::vector<FcDevicePolyline> polylines;
  FcDevicePoint circleCentre;
  int circleRadius = 0;
};

// The marker of one snap kind with half size s about (x, y); empty for
// anything but a single kind bit.
FcOverlayShape SnapMarkerShape(int kind, int x, int y, int s);
// Colour of the snap markers for the "OSnapColor" index: index 7 contrasts
// with the background.
FcColorRef SnapMarkerColor(int colorIndex, FcColorRef background);
// The rubber band's colour: black on a bright background, white on a dark
// one.
FcColorRef RubberBandColor(FcColorRef background);
// White when both colours are dark, black when both are bright (luminance
// above 128); otherwise the cursor colour unchanged.
FcColorRef ContrastCursorColor(FcColorRef cursor, FcColorRef background);

// The ends of the two cross-hair arms of length arm about the cursor, the
// cross-hair turned by angle: first arm (angle, angle + pi), second arm
// (angle + pi/2, angle - pi/2).
std::array<FcDevicePoint, 4> CrossHairEnds(FcDevicePoint cursor, int arm, double angle);
// Closed square outline of half size c about the cursor.
FcDevicePolyline BoxOutline(FcDevicePoint cursor, int c);
// Where a rubber-band line from the anchor ends: the cursor, or with ortho
// on the nearer of the two axis-parallel points in the frame turned by
// angle.
FcDevicePoint BandLineEnd(FcDevicePoint anchor, FcDevicePoint cursor, double angle, bool ortho);

struct FcRubberBand {
  FcDevicePolyline points;  // empty: no band
  bool dotted = false;
};
// The rubber band of a style (0 none, 1 line, 2 dotted line, 3 rectangle,
// 4 selection window, 5 dotted rectangle). A selection window dragged to
// the right with a cross-hair cursor (kinds 1 and 3) shows only the two
// sides at the anchor: the cross-hair draws the others.
FcRubberBand RubberBand(int style, FcDevicePoint anchor, FcDevicePoint cursor, int cursorKind, double angle,
                        bool ortho);
