#include "core/bulged_areas.h"

#include <utility>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_in_polygon.h"
#include "core/point_ops.h"

namespace {

FcPoint2d PlanePoint(const PolylineVertex& v) { return {v.x, v.y}; }

PolylineVertex VertexAt(const FcPoint2d& p) {
  PolylineVertex v;
  v.x = p.x;
  v.y = p.y;
  return v;
}

// One edge of a bulged loop. An arc is held counter-clockwise from start to
// end whatever its own direction, the end raised above the start, as the
// intersection routines want it.
struct LoopEdge {
  FcPoint2d from;
  FcPoint2d to;
  bool isArc = false;
  int direction = 0;
  FcPoint2d centre;
  double radius = 0.0;
  double start = 0.0;
  double end = 0.0;
};

LoopEdge EdgeOf(std::span<const PolylineVertex> loop, std::size_t i) {
  const PolylineVertex& v = loop[i];
  LoopEdge e;
  e.from = PlanePoint(v);
  e.to = PlanePoint(loop[(i + 1) % loop.size()]);
  if (v.bulge == 0.0 ||
      ArcFromChordBulge(e.from, v.bulge, e.to, e.centre, nullptr, &e.radius) == 0) {
    return e;
  }
  e.isArc = true;
  e.direction = v.bulge > 0.0 ? 1 : -1;
  e.start = NormalAngleAbout(e.centre, e.from);
  e.end = NormalAngleAbout(e.centre, e.to);
  if (v.bulge < 0.0) std::swap(e.start, e.end);
  RaiseAngleTo(e.end, e.start);
  return e;
}

// Crossings of edge i with a later edge j. Adjacent arcs always meet at their
// shared vertex; a single such point is no crossing.
int EdgeCrossings(const LoopEdge& ei, const LoopEdge& ej, bool adjacent, FcPoint2d (&out)[2]) {
  int count = 0;
  if (ei.isArc && ej.isArc) {
    count = IntersectArcs(ei.centre, out, ej.centre, kArcWithArc, ei.start, ei.end, ei.radius,
                          ej.start, ej.end, ej.radius);
  } else if (ei.isArc) {
    count = IntersectLineArc(ej.from, ej.to, ei.centre, kSegmentWithArc, ei.start, ei.end,
                             ei.radius, out);
  } else if (ej.isArc) {
    count = IntersectLineArc(ei.from, ei.to, ej.centre, kSegmentWithArc, ej.start, ej.end,
                             ej.radius, out);
  } else {
    if (adjacent) return 0;
    return IntersectLines(kBothSegments, ej.from, ej.to, ei.from, ei.to, out[0]) ? 1 : 0;
  }
  return adjacent && count == 1 ? 0 : count;
}

// Sweep from one angle to another in the given direction, in [0, 2*pi).
// No snapping to 0 here: a crossing just behind the reference must come
// last, not first.
double Sweep(double from, double to, int direction) {
  double d = direction > 0 ? to - from : from - to;
  while (d < 0.0) d += kTwoPi;
  while (d >= kTwoPi) d -= kTwoPi;
  return d;
}

// Which of two crossings to split at: along an arc edge i the one met first
// after leaving V[i]; on a straight edge i the one nearer to V[i] for an
// adjacent arc (the other is their shared vertex), else the farther one.
const FcPoint2d& SplitPoint(const LoopEdge& ei, const LoopEdge& ej, bool adjacent, int count,
                            const FcPoint2d (&out)[2]) {
  if (count < 2) return out[0];
  if (ei.isArc) {
    double ref = NormalAngleAbout(ei.centre, ei.from) + ei.direction * 1e-7;
    double first = Sweep(ref, NormalAngleAbout(ei.centre, out[0]), ei.direction);
    double second = Sweep(ref, NormalAngleAbout(ei.centre, out[1]), ei.direction);
    return second < first ? out[1] : out[0];
  }
  if (!ej.isArc) return out[0];
  double first = DistanceBetween(ei.from, out[0]);
  double second = DistanceBetween(ei.from, out[1]);
  bool takeSecond = adjacent ? second < first : second > first;
  return takeSecond ? out[1] : out[0];
}

// Bulge of the part of an arc edge from one point to another; a part
// without length is straight.
double PartBulge(const LoopEdge& e, const FcPoint2d& from, const FcPoint2d& to) {
  double bulge = 0.0;
  return BulgeFromCenter(from, to, e.centre, e.direction, bulge) ? bulge : 0.0;
}

bool SplitBulgedAtFirstCrossing(const std::vector<PolylineVertex>& v,
                                std::vector<PolylineVertex>& one,
                                std::vector<PolylineVertex>& two) {
  int n = static_cast<int>(v.size());
  if (n <= 2) return false;
  std::span<const PolylineVertex> loop(v);
  for (int i = 0; i < n - 1; ++i) {
    LoopEdge ei = EdgeOf(loop, i);
    int endJ = i == 0 ? n - 1 : n;
    for (int j = i + 1; j < endJ; ++j) {
      LoopEdge ej = EdgeOf(loop, j);
      bool adjacent = j == i + 1;
      FcPoint2d out[2];
      int count = EdgeCrossings(ei, ej, adjacent, out);
      if (count == 0) continue;
      FcPoint2d x = SplitPoint(ei, ej, adjacent, count, out);
      bool atIEnd = IsSamePoint(x, ei.to);
      bool atJEnd = IsSamePoint(x, ej.to);

      one.assign(v.begin(), v.begin() + i + 1);
      if (ei.isArc && (!atIEnd || atJEnd)) one.back().bulge = PartBulge(ei, ei.from, x);
      if (!atJEnd) {
        PolylineVertex cut = VertexAt(x);
        if (ej.isArc) cut.bulge = PartBulge(ej, x, ej.to);
        one.push_back(cut);
      }
      one.insert(one.end(), v.begin() + j + 1, v.end());

      two.assign(v.begin() + i + 1, v.begin() + j + 1);
      if (atIEnd) {
        if (ej.isArc) two.back().bulge = PartBulge(ej, ej.from, x);
      } else {
        PolylineVertex cut = VertexAt(x);
        if (ei.isArc) cut.bulge = PartBulge(ei, x, ei.to);
        if (!atJEnd && ej.isArc) two.back().bulge = PartBulge(ej, ej.from, x);
        two.push_back(cut);
      }
      return true;
    }
  }
  return false;
}

// Whether some other edge crosses the chord of arc edge k away from its ends.
bool ChordIsCrossed(std::span<const PolylineVertex> loop, std::size_t k, const LoopEdge& ek) {
  for (std::size_t i = 0; i < loop.size(); ++i) {
    if (i == k) continue;
    LoopEdge ei = EdgeOf(loop, i);
    FcPoint2d out[2];
    int count = 0;
    if (ei.isArc) {
      count = IntersectLineArc(ek.from, ek.to, ei.centre, kSegmentWithArc, ei.start, ei.end,
                               ei.radius, out);
    } else {
      count = IntersectLines(kBothSegments, ei.from, ei.to, ek.from, ek.to, out[0]) ? 1 : 0;
    }
    for (int c = 0; c < count; ++c) {
      if (IsDifferentPoint(out[c], ek.from) && IsDifferentPoint(out[c], ek.to)) return true;
    }
  }
  return false;
}

}  // namespace

double PolylineArea(std::span<const PolylineVertex> vertices) {
  if (vertices.size() < 2) return 0.0;
  LoopList<PolylineVertex> loops;
  SplitBulgedLoopAtCrossings(vertices, loops);
  return SumOfLoopAreas(loops, BulgedLoopArea);
}

void SplitBulgedLoopAtCrossings(std::span<const PolylineVertex> vertices,
                                LoopList<PolylineVertex>& loops) {
  // A crossing between adjacent edges leaves one piece as long as its parent,
  // so unlike the straight splitter this one is given a bound: arcs cross
  // at most twice, and every cut removes a crossing.
  long long n = static_cast<long long>(vertices.size());
  SplitIntoLoops(vertices, loops, 4 * n * n + 16, SplitBulgedAtFirstCrossing);
}

double BulgedLoopArea(std::span<const PolylineVertex> vertices) {
  if (vertices.size() < 2) return 0.0;
  std::vector<PolylineVertex> loop(vertices.begin(), vertices.end());
  if (loop.size() > 2) {
    for (const PolylineVertex& v : loop) {
      if (v.bulge == 0.0) continue;
      PrepareBulgedLoop(loop);
      break;
    }
  }
  std::span<const PolylineVertex> chords(loop);
  double area = ShoelaceArea(chords);
  for (std::size_t k = 0; k < loop.size(); ++k) {
    double bulge = loop[k].bulge;
    if (bulge == 0.0) continue;
    FcPoint2d from = PlanePoint(loop[k]);
    FcPoint2d to = PlanePoint(loop[(k + 1) % loop.size()]);
    FcPoint2d centre;
    FcPoint2d mid;
    double R = 0.0;
    if (ArcFromChordBulge(from, bulge, to, centre, &mid, &R) == 0) continue;
    double sweep = bulge > 0.0 ? NormalAngleAbout(centre, to) - NormalAngleAbout(centre, from)
                               : NormalAngleAbout(centre, from) - NormalAngleAbout(centre, to);
    while (sweep <= 0.0) sweep += kTwoPi;
    double segment = R * (sweep * R) * 0.5;
    // A half circle's segment is its sector; otherwise the triangle between
    // centre and chord is taken off a small sector and added to a large one.
    if (std::fabs(sweep - kPi) >= 1e-7) {
      double triangle = PointLineDistance(centre, from, to) * DistanceBetween(from, to) * 0.5;
      segment += sweep < kPi ? -triangle : triangle;
    }
    if (PointInVertexPolygon(mid, chords) == -1) {
      area += segment;
    } else {
      area -= segment;
    }
  }
  return area;
}

void PrepareBulgedLoop(std::vector<PolylineVertex>& vertices) {
  std::size_t k = 0;
  while (k < vertices.size()) {
    std::span<const PolylineVertex> loop(vertices);
    LoopEdge ek = EdgeOf(loop, k);
    if (!ek.isArc || !ChordIsCrossed(loop, k, ek)) {
      ++k;
      continue;
    }
    double bulge = vertices[k].bulge;
    FcPoint2d mid;
    double R = 0.0;
    FcPoint2d centre;
    ArcFromChordBulge(ek.from, bulge, ek.to, centre, &mid, &R);
    // Halving stops where the arc is too short for its mid point to differ
    // from its ends; otherwise large coordinates could halve for ever.
    if (IsSamePoint(mid, ek.from) || IsSamePoint(mid, ek.to)) {
      ++k;
      continue;
    }
    double half =
        2.0 * (R - PointLineDistance(centre, ek.from, mid)) / DistanceBetween(ek.from, mid);
    if (bulge < 0.0) half = -half;
    vertices[k].bulge = half;
    PolylineVertex inserted = VertexAt(mid);
    inserted.bulge = half;
    vertices.insert(vertices.begin() + static_cast<std::ptrdiff_t>(k) + 1, inserted);
  }
}
