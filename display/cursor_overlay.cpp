#include "display/cursor_overlay.h"

#include <cmath>
#include <cstdlib>

#include "core/point2d.h"
#include "display/color_table.h"

namespace {

constexpr FcColorRef kBlack = 0x000000;
constexpr FcColorRef kWhite = 0xFFFFFF;

FcDevicePolyline Closed(FcDevicePolyline points) {
  points.push_back(points.front());
  return points;
}

FcDevicePolyline Rectangle(FcDevicePoint a, FcDevicePoint c) { return Closed({a, {c.x, a.y}, c, {a.x, c.y}}); }

FcDevicePolyline Cross(int x, int y, int s) {
  return {{x - s, y - s}, {x + s + 1, y + s + 1}};
}

FcDevicePolyline OtherCrossArm(int x, int y, int s) { return {{x + s, y - s}, {x - s - 1, y + s + 1}}; }

}  // namespace

FcOverlayShape SnapMarkerShape(int kind, int x, int y, int s) {
  FcOverlayShape shape;
  const auto circle = [&] {
    shape.circleCentre = {x, y};
    shape.circleRadius = s;
  };
  switch (kind) {
    case kSnapEndpoint:
      shape.polylines.push_back(Closed({{x - s, y - s}, {x - s, y + s}, {x + s, y + s}, {x + s, y - s}}));
      break;
    case kSnapMidpoint:
      shape.polylines.push_back(Closed({{x - s, y - s}, {x + s, y - s}, {x, y + s}}));
      break;
    case kSnapCenter:
      circle();
      break;
    case kSnapNode:
      circle();
      shape.polylines.push_back(Cross(x, y, s));
      shape.polylines.push_back(OtherCrossArm(x, y, s));
      break;
    case kSnapQuadrant:
      shape.polylines.push_back(Closed({{x - s, y}, {x, y + s}, {x + s, y}, {x, y - s}}));
      break;
    case kSnapIntersection:
      shape.polylines.push_back(Cross(x, y, s));
      shape.polylines.push_back(OtherCrossArm(x, y, s));
      break;
    case kSnapInsert:
      shape.polylines.push_back(Closed({{x - s, y + s},
                                        {x + 1, y + s},
                                        {x + 1, y + 1},
                                        {x + s, y + 1},
                                        {x + s, y - s},
                                        {x - 1, y - s},
                                        {x - 1, y - 1},
                                        {x - s, y - 1}}));
      break;
    case kSnapPerpendicular:
      shape.polylines.push_back({{x - s, y + s}, {x - s, y - s}, {x + s + 1, y - s}});
      shape.polylines.push_back({{x - s, y}, {x, y}, {x, y - s}});
      break;
    case kSnapTangent:
      circle();
      shape.polylines.push_back({{x + s, y + s}, {x - s - 1, y + s}});
      break;
    case kSnapNearest:
      shape.polylines.push_back(Closed({{x - s, y - s}, {x + s, y - s}, {x - s, y + s}, {x + s, y + s}}));
      break;
    default:
      break;
  }
  return shape;
}

FcColorRef SnapMarkerColor(int colorIndex, FcColorRef background) {
  if (colorIndex != 7) return ColorIndexRgb(colorIndex);
  return IsBrightColor(background) ? kBlack : kWhite;
}

FcColorRef RubberBandColor(FcColorRef background) { return IsBrightColor(background) ? kBlack : kWhite; }

FcColorRef ContrastCursorColor(FcColorRef cursor, FcColorRef background) {
  const int c = ColorLuminance(cursor);
  const int b = ColorLuminance(background);
  if (c < 128 && b < 128) return kWhite;
  if (c > 128 && b > 128) return kBlack;
  return cursor;
}

std::array<FcDevicePoint, 4> CrossHairEnds(FcDevicePoint cursor, int arm, double angle) {
  const double turns[4] = {angle, angle + kPi, angle + kHalfPi, angle - kHalfPi};
  std::array<FcDevicePoint, 4> ends;
  for (int i = 0; i < 4; ++i) {
    ends[i] = {static_cast<std::int32_t>(cursor.x + arm * std::cos(turns[i]) + 0.5),
               static_cast<std::int32_t>(cursor.y + arm * std::sin(turns[i]) + 0.5)};
  }
  return ends;
}

FcDevicePolyline BoxOutline(FcDevicePoint cursor, int c) {
  return Closed({{cursor.x - c, cursor.y - c},
                 {cursor.x - c, cursor.y + c},
                 {cursor.x + c, cursor.y + c},
                 {cursor.x + c, cursor.y - c}});
}

FcDevicePoint BandLineEnd(FcDevicePoint anchor, FcDevicePoint cursor, double angle, bool ortho) {
  if (!ortho) return cursor;
  if (angle == 0.0) {
    const bool vertical = std::abs(cursor.y - anchor.y) >= std::abs(cursor.x - anchor.x);
    return vertical ? FcDevicePoint{anchor.x, cursor.y} : FcDevicePoint{cursor.x, anchor.y};
  }
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  // Both points turned by -angle about the device origin.
  const double ax = anchor.x * c + anchor.y * s;
  const double ay = -anchor.x * s + anchor.y * c;
  const double cx = cursor.x * c + cursor.y * s;
  const double cy = -cursor.x * s + cursor.y * c;
  const bool vertical = std::fabs(cy - ay) >= std::fabs(cx - ax);
  const double ex = vertical ? ax : cx;
  const double ey = vertical ? cy : ay;
  return {static_cast<std::int32_t>(ex * c - ey * s), static_cast<std::int32_t>(ex * s + ey * c)};
}

FcRubberBand RubberBand(int style, FcDevicePoint anchor, FcDevicePoint cursor, int cursorKind, double angle,
                        bool ortho) {
  switch (style) {
    case 1:
      return {{anchor, BandLineEnd(anchor, cursor, angle, ortho)}, false};
    case 2:
      return {{anchor, BandLineEnd(anchor, cursor, angle, ortho)}, true};
    case 3:
      return {Rectangle(anchor, cursor), false};
    case 4:
      if (anchor.x >= cursor.x) return {Rectangle(anchor, cursor), true};
      if (cursorKind == 1 || cursorKind == 3) {
        return {{{anchor.x, cursor.y}, anchor, {cursor.x, anchor.y}}, false};
      }
      return {Rectangle(anchor, cursor), false};
    case 5:
      return {Rectangle(anchor, cursor), true};
    default:
      return {};
  }
}
