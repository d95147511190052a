#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"
#include "entities/hatch_loops.h"
#include "entities/hatch_pattern.h"
#include "platform/frame_link.h"

// Pattern line generation: each family is swept across the loops' box one
// line at a time; the crossings of a line with all loops, sorted along it
// and paired inside and outside, give its inside spans, which the dashes
// are cut to. The work is bounded by the segments made: the family's line
// count is checked before the sweep, and dashes are laid out only over the
// spans.

namespace {

constexpr double kSideTolerance = 1e-7;
constexpr double kSmallest = 1e-10;

int SideOfLine(const FcPoint2d& p, const FcPoint2d& s, const FcPoint2d& point) {
  const double cross = (s.x - p.x) * (point.y - p.y) - (s.y - p.y) * (point.x - p.x);
  if (cross > kSideTolerance) return 1;
  if (cross < -kSideTolerance) return -1;
  return 0;
}

struct Sweep {
  FcPoint2d start;
  FcPoint2d step;
  double count = -1.0;
};

// The first line's base point, the number of steps and the step vector
// that cover the box; a negative count when the family has no spacing.
Sweep StartAndCount(const FcHPLine& line, const FcPoint2d& min, const FcPoint2d& max) {
  Sweep sweep;
  sweep.step = line.offset;
  FcPoint2d p = line.base;
  const FcPoint2d direction{std::cos(line.angle), std::sin(line.angle)};
  FcPoint2d s = p + 100.0 * direction;
  const double spacing = PointLineDistance(p + sweep.step, p, s);
  if (!(spacing > kSmallest) || !std::isfinite(spacing)) return sweep;
  const bool rising = line.angle < kHalfPi || (line.angle >= kPi && line.angle < 1.5 * kPi);
  const FcPoint2d c = rising ? FcPoint2d{min.x, max.y} : min;
  const FcPoint2d d = rising ? FcPoint2d{max.x, min.y} : max;
  const double m = std::trunc(PointLineDistance(c, p, s) / spacing);
  if (m != 0.0) {
    if (SideOfLine(p, s, c) != SideOfLine(p, s, p + sweep.step)) sweep.step = -sweep.step;
    p += m * sweep.step;
    s += m * sweep.step;
  }
  sweep.count = std::trunc(PointLineDistance(d, p, s) / spacing);
  if (SideOfLine(p, s, d) != SideOfLine(p, s, p + sweep.step)) sweep.step = -sweep.step;
  sweep.start = p;
  return sweep;
}

// The crossings of the infinite line through p and q with every loop,
// sorted along the line, an odd count made even; empty below two.
void IntersectLoopsWithRay(const FcHatchEdgeList& loops, std::vector<FcPoint2d>& hits, const FcPoint2d& p,
                           const FcPoint2d& q) {
  hits.clear();
  for (const auto& loop : loops.GetLoops()) loop->IntersectLine(p, q, hits);
  if (hits.size() < 2) {
    hits.clear();
    return;
  }
  FcPoint2d u = q - p;
  const double length = std::hypot(u.x, u.y);
  if (length > 0.0) u *= 1.0 / length;
  std::sort(hits.begin(), hits.end(), [&](const FcPoint2d& a, const FcPoint2d& b) {
    return (a.x - p.x) * u.x + (a.y - p.y) * u.y < (b.x - p.x) * u.x + (b.y - p.y) * u.y;
  });
  if (hits.size() % 2 != 0) hits.erase(hits.end() - 2);
}

// The family's dashes over the spans hit 0 to hit 1, hit 2 to hit 3, ...,
// laid out from the line's base point; false once the segments pass the
// limit.
bool CutDashes(const FcHPLine& line, const FcPoint2d& base, const std::vector<FcPoint2d>& hits,
               std::vector<HatchSegment>& segments) {
  if (line.dashCount < 2) {
    for (std::size_t i = 0; i + 1 < hits.size(); i += 2) segments.push_back({hits[i], hits[i + 1]});
    return segments.size() <= kHatchSegmentLimit;
  }
  double period = 0.0;
  for (int i = 0; i < line.dashCount; ++i) period += std::fabs(line.dashes[static_cast<std::size_t>(i)]);
  if (!(period > kSmallest)) return true;
  const FcPoint2d direction{std::cos(line.angle), std::sin(line.angle)};
  const auto along = [&](const FcPoint2d& point) {
    return (point.x - base.x) * direction.x + (point.y - base.y) * direction.y;
  };
  for (std::size_t i = 0; i + 1 < hits.size(); i += 2) {
    double low = along(hits[i]);
    double high = along(hits[i + 1]);
    if (low > high) std::swap(low, high);
    double position = std::floor(low / period) * period;
    while (position <= high + kSideTolerance) {
      for (int k = 0; k < line.dashCount && position <= high + kSideTolerance; ++k) {
        const double dash = line.dashes[static_cast<std::size_t>(k)];
        const double end = position + std::fabs(dash);
        if (dash >= 0.0 && end >= low - kSideTolerance) {
          const double from = std::max(position, low);
          const double to = std::min(end, high);
          segments.push_back({base + from * direction, base + to * direction});
          if (segments.size() > kHatchSegmentLimit) return false;
        }
        position = end;
      }
    }
  }
  return true;
}

}  // namespace

bool FcHPLine::GenerateSegments(FcHatchEdgeList& loops, std::int16_t style,
                                std::vector<HatchSegment>& segments) const {
  if (offset.x == 0.0 && offset.y == 0.0) return true;
  FcPoint2d min;
  FcPoint2d max;
  loops.GetExtents(min, max);
  const Sweep sweep = StartAndCount(*this, min, max);
  if (!(sweep.count >= 0.0)) return true;
  const bool tinyStep = std::fabs(sweep.step.x) < kHatchTinyStep && std::fabs(sweep.step.y) < kHatchTinyStep;
  if (sweep.count > kHatchTinyStepLines && tinyStep) return true;
  const auto tooDense = [&segments] {
    PrintMessage(kHatchTooDenseMessage);
    segments.clear();
    return false;
  };
  if (sweep.count > kHatchFamilyLineLimit) return tooDense();
  const FcPoint2d direction{1000.0 * std::cos(angle), 1000.0 * std::sin(angle)};
  std::vector<FcPoint2d> hits;
  const auto lines = static_cast<std::int64_t>(sweep.count);
  for (std::int64_t i = 0; i <= lines; ++i) {
    const FcPoint2d p = sweep.start + static_cast<double>(i) * sweep.step;
    IntersectLoopsWithRay(loops, hits, p, p + direction);
    if (hits.size() < 2) continue;
    if (style == kHatchStyleIgnore && hits.size() > 2) hits.erase(hits.begin() + 1, hits.end() - 1);
    if (!CutDashes(*this, p, hits, segments)) return tooDense();
  }
  return true;
}

void FcHPPattern::GenerateSegments(FcHatchEdgeList& loops, std::vector<HatchSegment>& segments) const {
  for (const FcHPLine& family : lines_) {
    family.GenerateSegments(loops, style_, segments);
    if (type_ != kPatternUserDefined || double_ == 0) continue;
    FcHPLine turned = family;
    turned.ScaleRotate(1.0, kHalfPi);
    turned.GenerateSegments(loops, style_, segments);
  }
}
