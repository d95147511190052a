#include "display/grid_and_ucs_icon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/matrix2d.h"
#include "database/system_var.h"

namespace {

// A bound on the dots of one row and on the rows: far more than a screen
// holds, and it keeps a damaged spacing or view from looping for ever.
constexpr int kMaxGridSteps = 1 << 16;

FcPoint2d Apply(const FcMatrix2d& m, const FcPoint2d& p) {
  FcPoint2d q = p;
  TransformPoint(m, q);
  return q;
}

// Carries a UCS point into the snap frame and back.
FcPoint2d ToSnapFrame(const FcSystemVar& vars, const FcPoint2d& ucs) {
  FcPoint2d p{ucs.x - vars.snapbase.x, ucs.y - vars.snapbase.y};
  RotateVector(-vars.snapang, p);
  return p;
}

FcPoint2d FromSnapFrame(const FcSystemVar& vars, const FcPoint2d& snap) {
  FcPoint2d p = snap;
  RotateVector(vars.snapang, p);
  return {p.x + vars.snapbase.x, p.y + vars.snapbase.y};
}

// The minimum moved onto the grid: the nearer grid line when it lies less
// than half a step below.
double GridStart(double minimum, double spacing) {
  double m = std::floor(minimum / spacing) * spacing;
  if (minimum - m >= spacing / 2.0) m += spacing;
  return m;
}

bool Inside(const FcPoint2d& p, const FcPoint2d& low, const FcPoint2d& high) {
  return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y;
}

FcDevicePoint Offset(FcDevicePoint p, double length, const FcPoint2d& direction) {
  return {p.x + static_cast<std::int32_t>(length * direction.x), p.y + static_cast<std::int32_t>(length * direction.y)};
}

FcDevicePoint Polar(FcDevicePoint p, double length, double angle) {
  return {p.x + static_cast<std::int32_t>(length * std::cos(angle)),
          p.y + static_cast<std::int32_t>(length * std::sin(angle))};
}

bool WithinMargins(FcDevicePoint p, int width, int height) {
  return p.x > 9 && p.x < width - 10 && p.y > 9 && p.y < height - 10;
}

// The arrow head at tip t of an axis along d: a 10-pixel barb, the tip and
// an 11-pixel barb.
std::vector<FcDevicePoint> ArrowHead(FcDevicePoint tip, const FcPoint2d& d) {
  const double a = std::atan2(d.y, d.x);
  return {Polar(tip, 10.0, a + 5.0 * kPi / 6.0), tip, Polar(tip, 11.0, a + 7.0 * kPi / 6.0)};
}

}  // namespace

bool GridLimitsOverlap(const FcPoint2d& limitsMin, const FcPoint2d& limitsMax, const FcPoint2d& windowMin,
                       const FcPoint2d& windowMax) {
  return windowMin.x < limitsMax.x && windowMin.y < limitsMax.y && windowMax.x > limitsMin.x &&
         windowMax.y > limitsMin.y;
}

std::vector<FcDevicePoint> GridDots(const FcSystemVar& vars, const FcViewTransform& view) {
  std::vector<FcDevicePoint> dots;
  const FcPoint2d unit = vars.gridunit;
  std::int32_t unitX = 0;
  std::int32_t unitY = 0;
  view.WorldToDevice(unit.x, unit.y, &unitX, &unitY);
  const std::int64_t spacingX = std::int64_t{unitX} - RoundToDevice(view.forward.c);
  const std::int64_t spacingY = std::int64_t{unitY} - RoundToDevice(view.forward.f);
  if (std::llabs(spacingX) <= 2 || std::llabs(spacingY) <= 2) return dots;
  // A negative or non-finite step would never reach the far side.
  if (!(unit.x > 0.0 && unit.y > 0.0 && std::isfinite(unit.x) && std::isfinite(unit.y))) return dots;
  const FcPoint2d windowMin{view.x0, view.y0};
  const FcPoint2d windowMax{view.x1, view.y1};
  if (!GridLimitsOverlap(vars.limmin, vars.limmax, windowMin, windowMax)) return dots;

  const FcPoint2d corners[4] = {windowMin, {view.x1, view.y0}, windowMax, {view.x0, view.y1}};
  FcPoint2d low{0.0, 0.0};
  FcPoint2d high{0.0, 0.0};
  for (int i = 0; i < 4; ++i) {
    const FcPoint2d p = ToSnapFrame(vars, Apply(vars.WorldToUcs, corners[i]));
    low = i == 0 ? p : FcPoint2d{std::min(low.x, p.x), std::min(low.y, p.y)};
    high = i == 0 ? p : FcPoint2d{std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  if (!std::isfinite(low.x) || !std::isfinite(low.y) || !std::isfinite(high.x) || !std::isfinite(high.y)) {
    return dots;
  }
  const double startX = GridStart(low.x, unit.x);
  const double startY = GridStart(low.y, unit.y);

  bool anyDrawn = false;
  double y = startY;
  for (int row = 0; y <= high.y && row < kMaxGridSteps; ++row, y += unit.y) {
    bool rowDrawn = false;
    double x = startX;
    for (int column = 0; x <= high.x && column < kMaxGridSteps; ++column, x += unit.x) {
      const FcPoint2d world = Apply(vars.UcsToWorld, FromSnapFrame(vars, {x, y}));
      if (Inside(world, windowMin, windowMax) && Inside(world, vars.limmin, vars.limmax)) {
        FcDevicePoint d;
        view.WorldToDevice(world.x, world.y, &d.x, &d.y);
        dots.push_back(d);
        rowDrawn = true;
      } else if (rowDrawn) {
        break;
      }
    }
    if (!rowDrawn && anyDrawn) break;
    anyDrawn = anyDrawn || rowDrawn;
  }
  return dots;
}

FcUcsIconShape UcsIconShape(const FcSystemVar& vars, const FcViewTransform& view, int width, int height,
                            int letterWidth, int letterHeight) {
  FcUcsIconShape icon;
  const FcPoint2d xd = vars.ucsxdir;
  const FcPoint2d yd = vars.ucsydir;
  FcDevicePoint o{50, 50};
  bool atOrigin = false;
  if (vars.ucsicon == 3) {
    FcDevicePoint origin;
    view.WorldToDevice(vars.ucsorg.x, vars.ucsorg.y, &origin.x, &origin.y);
    atOrigin = WithinMargins(origin, width, height) && WithinMargins(Offset(origin, 45.0, xd), width, height) &&
               WithinMargins(Offset(origin, 45.0, yd), width, height);
    if (atOrigin) o = origin;
  }
  const FcDevicePoint xTip = Offset(o, 45.0, xd);
  const FcDevicePoint yTip = Offset(o, 45.0, yd);
  icon.origin = o;
  icon.originCircle = atOrigin;
  icon.polylines.push_back({xTip, Offset(o, -10.0, xd)});
  icon.polylines.push_back({Offset(o, -10.0, yd), yTip});
  icon.polylines.push_back(ArrowHead(xTip, xd));
  icon.polylines.push_back(ArrowHead(yTip, yd));
  const double s = letterWidth + 4.0;
  const FcDevicePoint p = Offset(o, s, xd);
  const FcDevicePoint corner = Offset(o, s, yd);
  icon.polylines.push_back({p, Offset(p, s, yd), corner});
  icon.labels.push_back({"X", {xTip.x + 2, xTip.y + letterHeight}});
  icon.labels.push_back({"Y", {yTip.x + 2, yTip.y + letterHeight}});
  if (vars.UcsIsWorld) icon.labels.push_back({"W", {corner.x + 2, corner.y - 1}});
  return icon;
}
