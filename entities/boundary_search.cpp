#include "entities/boundary_search.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "entities/polyline.h"

// The walk: a ray from the pick point to the right finds the nearest
// boundary piece; from there the walk follows the pieces, cut at every
// crossing, always taking the sharpest left turn, and backs out of dead
// ends, until it closes on itself around the point. The chain of steps is
// kept in a vector rather than on the call stack, so a boundary of many
// pieces cannot exhaust the stack.

namespace {

using Segment = std::unique_ptr<GeomSegment>;
using Pool = std::vector<Segment>;

constexpr double kTol = 1e-7;
// Every step consumes a piece or finds a closure; the budget only guards
// against data that would keep the walk busy without end.
constexpr long kStepBudget = 2'000'000;

bool IsLine(const GeomSegment& s) { return s.type == kGeomSegmentLine; }

FcPoint2d StartOf(const GeomSegment& s) {
  return IsLine(s) ? s.first : PointAtPolar(s.centre, s.radius, s.startAngle);
}

FcPoint2d EndOf(const GeomSegment& s) {
  return IsLine(s) ? s.second : PointAtPolar(s.centre, s.radius, s.endAngle);
}

bool IsDegenerate(const GeomSegment& s) {
  if (IsLine(s)) return DistanceBetween(s.first, s.second) < kTol;
  return std::fabs(s.endAngle - s.startAngle) * s.radius < kTol;
}

Segment LinePiece(const FcPoint2d& a, const FcPoint2d& b, int extent) {
  auto piece = std::make_unique<GeomSegment>();
  piece->type = kGeomSegmentLine;
  piece->first = a;
  piece->second = b;
  piece->extent = extent;
  return piece;
}

Segment ArcPiece(const GeomSegment& arc, double start, double end) {
  auto piece = std::make_unique<GeomSegment>(arc);
  piece->startAngle = start;
  piece->endAngle = end;
  return piece;
}

// The two pieces of a record cut at a point: the one from the record's
// start first. Nothing when the point is an end of the record.
std::optional<std::pair<Segment, Segment>> SplitSegmentAt(const GeomSegment& s, const FcPoint2d& p) {
  if (IsLine(s)) {
    const FcPoint2d direction = s.second - s.first;
    switch (s.extent) {
      case kLineExtentInfinite:
        return std::make_pair(LinePiece(p, p - direction, kLineExtentRay), LinePiece(p, p + direction, kLineExtentRay));
      case kLineExtentRay:
        if (IsSamePoint(p, s.first)) return std::nullopt;
        return std::make_pair(LinePiece(s.first, p, kLineExtentSegment), LinePiece(p, p + direction, kLineExtentRay));
      default:
        if (IsSamePoint(p, s.first) || IsSamePoint(p, s.second)) return std::nullopt;
        return std::make_pair(LinePiece(s.first, p, kLineExtentSegment), LinePiece(p, s.second, kLineExtentSegment));
    }
  }
  double angle = NormalAngleAbout(s.centre, p);
  RaiseAngleTo(angle, s.startAngle - kTol);
  if (std::fabs(angle - s.startAngle) <= kTol || std::fabs(angle - s.endAngle) <= kTol) return std::nullopt;
  return std::make_pair(ArcPiece(s, s.startAngle, angle), ArcPiece(s, angle, s.endAngle));
}

double SegmentLeavingAngle(const FcPoint2d& p, const GeomSegment& s) {
  double angle = 0.0;
  if (IsLine(s)) {
    angle = IsSamePoint(p, s.first) ? AngleFromTo(s.first, s.second) : AngleFromTo(s.second, s.first);
  } else {
    const double radial = AngleFromTo(s.centre, p);
    double at = radial;
    NormalizeAngle(at);
    double start = s.startAngle;
    NormalizeAngle(start);
    const bool atStart = std::fabs(at - start) <= kTol || std::fabs(std::fabs(at - start) - kTwoPi) <= kTol;
    angle = atStart ? radial + kHalfPi : radial - kHalfPi;
  }
  NormalizeAngle(angle);
  return angle;
}

// The direction from the junction to where a circle of the distance about
// it cuts the arc, the cut ahead along the direction preferred; the
// direction itself for a line.
double ArcSegmentChordAngle(double direction, double distance, const GeomSegment& s, const FcPoint2d& junction) {
  if (IsLine(s)) return direction;
  FcPoint2d cuts[2];
  const int count =
      IntersectArcs(s.centre, cuts, junction, 2, s.startAngle, s.endAngle, s.radius, 0.0, kTwoPi, distance);
  if (count == 0) return direction;
  const FcPoint2d ahead{std::cos(direction), std::sin(direction)};
  const auto dot = [&](const FcPoint2d& p) { return (p.x - junction.x) * ahead.x + (p.y - junction.y) * ahead.y; };
  const FcPoint2d& chosen = dot(cuts[0]) > 0.0 || count == 1 ? cuts[0] : cuts[1];
  return AngleFromTo(junction, chosen);
}

bool PointOnSegment(const FcPoint2d& p, const GeomSegment& s) {
  if (IsLine(s)) {
    if (PointLineDistance(p, s.first, s.second) > kTol) return false;
    return IsBetween(s.first, s.second, p);
  }
  if (std::fabs(DistanceBetween(p, s.centre) - s.radius) > kTol) return false;
  double angle = NormalAngleAbout(s.centre, p);
  RaiseAngleTo(angle, s.startAngle - kTol);
  return angle <= s.endAngle + kTol;
}

bool PointInArcRegion(const GeomSegment& arc, const FcPoint2d& p) {
  return DistanceBetween(p, arc.centre) < arc.radius + kTol && Orientation3(StartOf(arc), EndOf(arc), p) != 1;
}

// Where a ray from the point to the right meets the record, the nearer
// of two.
bool RayHit(const FcPoint2d& pick, const GeomSegment& s, FcPoint2d& hit) {
  const FcPoint2d far{pick.x + 10000.0, pick.y};
  if (IsLine(s)) {
    if (s.extent == kLineExtentInfinite) return IntersectRayLine(pick, far, s.first, s.second, hit);
    if (s.extent == kLineExtentRay) return IntersectRays(pick, far, s.first, s.second, hit);
    return IntersectRaySegment(pick, far, s.first, s.second, hit);
  }
  FcPoint2d found[2];
  const int count = IntersectLineArc(pick, far, s.centre, 3, s.startAngle, s.endAngle, s.radius, found);
  if (count == 0) return false;
  hit = count == 2 && DistanceBetween(pick, found[1]) < DistanceBetween(pick, found[0]) ? found[1] : found[0];
  return true;
}

int FindNearestRayHit(const FcPoint2d& pick, const Pool& pool, FcPoint2d& hit) {
  int best = -1;
  double nearest = 0.0;
  for (int i = static_cast<int>(pool.size()) - 1; i >= 0; --i) {
    FcPoint2d found;
    if (!RayHit(pick, *pool[static_cast<std::size_t>(i)], found)) continue;
    const double distance = DistanceBetween(pick, found);
    if (best >= 0 && !(distance < nearest)) continue;
    best = i;
    nearest = distance;
    hit = found;
  }
  return best;
}

Segment TakeOut(Pool& pool, int index) {
  Segment taken = std::move(pool[static_cast<std::size_t>(index)]);
  pool.erase(pool.begin() + index);
  return taken;
}

bool LeavesUpward(const FcPoint2d& p, const GeomSegment& s) { return SegmentLeavingAngle(p, s) <= kPi; }

// The piece to the right of the point that leaves the ray's hit upward.
Segment FindStartSegment(const FcPoint2d& pick, Pool& pool, FcPoint2d& hit) {
  Pool setAside;
  Segment start;
  while (!start) {
    const int index = FindNearestRayHit(pick, pool, hit);
    if (index < 0) break;
    Segment record = TakeOut(pool, index);
    auto pieces = SplitSegmentAt(*record, hit);
    if (pieces) {
      auto& [first, second] = *pieces;
      if (!LeavesUpward(hit, *first)) std::swap(first, second);
      start = std::move(first);
      pool.push_back(std::move(second));
      continue;
    }
    if (LeavesUpward(hit, *record)) {
      start = std::move(record);
    } else {
      setAside.push_back(std::move(record));
    }
  }
  for (Segment& record : setAside) pool.push_back(std::move(record));
  return start;
}

struct Node {
  Segment segment;
  FcPoint2d start;
  bool rejected = false;
  double recorded = 0.0;
};

Node MakeNode(Segment segment, const FcPoint2d& start) {
  // A line runs from the node's start.
  if (IsLine(*segment) && segment->extent == kLineExtentSegment && IsSamePoint(segment->second, start)) {
    std::swap(segment->first, segment->second);
  }
  return Node{std::move(segment), start};
}

bool RunsForward(const Node& node) { return IsLine(*node.segment) || IsSamePoint(StartOf(*node.segment), node.start); }

FcPoint2d NodeEnd(const Node& node) {
  const GeomSegment& s = *node.segment;
  const FcPoint2d a = StartOf(s);
  return IsSamePoint(a, node.start) ? EndOf(s) : a;
}

// Cuts the node's piece at the point, keeping the part at its start; the
// other part, if any.
Segment SplitNodeAt(Node& node, const FcPoint2d& p) {
  auto pieces = SplitSegmentAt(*node.segment, p);
  if (!pieces) return nullptr;
  auto& [first, second] = *pieces;
  if (!RunsForward(node)) std::swap(first, second);
  node.segment = std::move(first);
  return std::move(second);
}

double WalkPosition(const Node& node, double angle) {
  const GeomSegment& s = *node.segment;
  double position = RunsForward(node) ? angle - s.startAngle : s.endAngle - angle;
  NormalizeAngle(position);
  return position;
}

// The nearest point ahead on the node's piece where other records meet
// it, with the pool indices of all records that meet it there.
bool FindJunction(const Node& node, const Pool& pool, FcPoint2d& junction, std::vector<int>& indices) {
  const GeomSegment& s = *node.segment;
  indices.clear();
  double best = 0.0;
  for (int i = static_cast<int>(pool.size()) - 1; i >= 0; --i) {
    const GeomSegment& other = *pool[static_cast<std::size_t>(i)];
    if (IsDegenerate(other)) continue;
    FcPoint2d found[2];
    int count = 0;
    if (IsLine(s)) {
      const bool ray = s.extent == kLineExtentRay;
      if (!IsLine(other)) {
        count = IntersectLineArc(s.first, s.second, other.centre, ray ? 3 : 1, other.startAngle, other.endAngle,
                                 other.radius, found);
      } else if (other.extent == kLineExtentInfinite) {
        count = (ray ? IntersectRayLine(s.first, s.second, other.first, other.second, found[0])
                     : IntersectLines(1, other.first, other.second, s.first, s.second, found[0]))
                    ? 1
                    : 0;
      } else if (other.extent == kLineExtentRay) {
        count = (ray ? IntersectRays(s.first, s.second, other.first, other.second, found[0])
                     : IntersectRaySegment(other.first, other.second, s.first, s.second, found[0]))
                    ? 1
                    : 0;
      } else {
        count = (ray ? IntersectRaySegment(s.first, s.second, other.first, other.second, found[0])
                     : IntersectLines(2, s.first, s.second, other.first, other.second, found[0]))
                    ? 1
                    : 0;
      }
    } else if (IsLine(other)) {
      const short kind = other.extent == kLineExtentInfinite ? 2 : other.extent == kLineExtentRay ? 3 : 1;
      count = IntersectLineArc(other.first, other.second, s.centre, kind, s.startAngle, s.endAngle, s.radius, found);
    } else {
      // Halves of one circle meet where the walk arrives: at the arc's
      // end going forward, at its start going back.
      const short kind = RunsForward(node) ? 3 : 4;
      count = IntersectArcs(s.centre, found, other.centre, kind, s.startAngle, s.endAngle, s.radius,
                            other.startAngle, other.endAngle, other.radius);
    }
    bool have = false;
    double nearest = 0.0;
    FcPoint2d hit;
    for (int k = 0; k < count; ++k) {
      const double position = IsLine(s) ? DistanceBetween(node.start, found[k])
                                        : WalkPosition(node, NormalAngleAbout(s.centre, found[k]));
      if (position < kTol) continue;
      if (have && !(position < nearest)) continue;
      have = true;
      nearest = position;
      hit = found[k];
    }
    if (!have) continue;
    if (!indices.empty() && std::fabs(nearest - best) < kTol) {
      indices.push_back(i);
      continue;
    }
    if (!indices.empty() && nearest > best) continue;
    indices.assign(1, i);
    best = nearest;
    junction = hit;
  }
  return !indices.empty();
}

int Quadrant(const FcPoint2d& p, const FcPoint2d& pick) {
  if (p.x > pick.x && p.y > pick.y - kTol) return 0;
  if (p.x < pick.x + kTol && p.y > pick.y) return 1;
  if (p.x < pick.x && p.y < pick.y + kTol) return 2;
  if (p.x > pick.x - kTol && p.y < pick.y) return 3;
  return -1;
}

int CrossingContribution(double x, int qa, const FcPoint2d& pick) {
  if (x > pick.x) return qa < 2 ? -2 : 2;
  return qa < 2 ? 2 : -2;
}

int WindingContribution(const Node& node, const FcPoint2d& pick) {
  const FcPoint2d a = node.start;
  const FcPoint2d b = NodeEnd(node);
  const int qa = Quadrant(a, pick);
  const int qb = Quadrant(b, pick);
  const int step = qb - qa;
  const GeomSegment& s = *node.segment;
  if (IsLine(s)) {
    if (step == 1 || step == -3) return 1;
    if (step == 3 || step == -1) return -1;
    if (step == 0) return 0;
    if (a.y == b.y) return 0;
    return CrossingContribution(b.x + (pick.y - b.y) / (a.y - b.y) * (a.x - b.x), qa, pick);
  }
  const bool inRegion = PointInArcRegion(s, pick);
  if (step == 1 || step == -3) return inRegion ? -3 : 1;
  if (step == 3 || step == -1) return inRegion ? 3 : -1;
  if (step == 0) return !inRegion ? 0 : (RunsForward(node) ? 4 : -4);
  FcPoint2d found[2];
  const int count = IntersectLineArc(pick, {pick.x + 1000.0, pick.y}, s.centre, 2, s.startAngle, s.endAngle,
                                     s.radius, found);
  if (count == 0) return 0;
  const bool skipFirst = count == 2 && (IsSamePoint(found[0], EndOf(s)) || IsSamePoint(found[0], b));
  return CrossingContribution(found[skipFirst ? 1 : 0].x, qa, pick);
}

class BoundaryWalk {
 public:
  BoundaryWalk(const FcPoint2d& pick, Pool& pool) : pick_(pick), pool_(pool) {}

  // The index of the node where the loop closes, or -1.
  int Trace(Segment start, const FcPoint2d& hit) {
    chain_.clear();
    chain_.push_back(MakeNode(std::move(start), hit));
    while (!chain_.empty() && ++steps_ < kStepBudget) {
      const int closure = Step();
      if (closure >= 0) return closure;
      if (closure == kFailed) chain_.pop_back();
    }
    return -1;
  }

  const std::vector<Node>& Chain() const { return chain_; }

 private:
  static constexpr int kFailed = -1;
  static constexpr int kDeeper = -2;

  // One step at the last node: a closure index, kDeeper after a new node
  // was linked, or kFailed when the node leads nowhere.
  int Step() {
    const int current = static_cast<int>(chain_.size()) - 1;
    FcPoint2d junction;
    std::vector<int> indices;
    if (!FindJunction(chain_.back(), pool_, junction, indices)) return FindClosure(current);
    Pool candidates;
    if (Segment rest = SplitNodeAt(chain_.back(), junction)) candidates.push_back(std::move(rest));
    const int closure = FindClosure(current);
    if (closure >= 0) {
      for (Segment& candidate : candidates) pool_.push_back(std::move(candidate));
      return closure;
    }
    std::sort(indices.rbegin(), indices.rend());
    for (int index : indices) {
      Segment record = TakeOut(pool_, index);
      auto pieces = SplitSegmentAt(*record, junction);
      if (!pieces) {
        candidates.push_back(std::move(record));
        continue;
      }
      candidates.push_back(std::move(pieces->first));
      candidates.push_back(std::move(pieces->second));
    }
    const int chosen = ChooseNext(chain_.back(), junction, candidates);
    if (chosen < 0) return kFailed;
    Segment next = std::move(candidates[static_cast<std::size_t>(chosen)]);
    for (Segment& candidate : candidates) {
      if (candidate) pool_.push_back(std::move(candidate));
    }
    chain_.push_back(MakeNode(std::move(next), junction));
    return kDeeper;
  }

  int FindClosure(int current) {
    Node& node = chain_[static_cast<std::size_t>(current)];
    const FcPoint2d end = NodeEnd(node);
    int found = -1;
    for (int r = 0; r < current && found < 0; ++r) {
      const FcPoint2d& start = chain_[static_cast<std::size_t>(r)].start;
      if (IsSamePoint(start, end)) {
        found = r;
      } else if (!IsSamePoint(start, node.start) && PointOnSegment(start, *node.segment)) {
        SplitNodeAt(node, start);
        found = r;
      }
    }
    if (found < 0) return -1;
    if (Encloses(found, current)) return found;
    node.rejected = true;
    const Node& closing = chain_[static_cast<std::size_t>(found)];
    const GeomSegment& arriving = found > 0 ? *chain_[static_cast<std::size_t>(found) - 1].segment : *closing.segment;
    node.recorded = SegmentLeavingAngle(closing.start, arriving);
    return -1;
  }

  bool Encloses(int from, int to) const {
    int winding = 0;
    for (int i = from; i <= to; ++i) winding += WindingContribution(chain_[static_cast<std::size_t>(i)], pick_);
    return winding != 0 && winding % 4 == 0;
  }

  int ChooseNext(const Node& node, const FcPoint2d& junction, const Pool& candidates) const {
    const double back = SegmentLeavingAngle(junction, *node.segment);
    double recorded = node.recorded;
    if (node.rejected) {
      while (recorded > back - kTol) recorded -= kTwoPi;
      while (recorded + kTwoPi <= back - kTol) recorded += kTwoPi;
    }
    int best = -1;
    double bestAngle = 0.0;
    for (int i = static_cast<int>(candidates.size()) - 1; i >= 0; --i) {
      const GeomSegment& candidate = *candidates[static_cast<std::size_t>(i)];
      double a = SegmentLeavingAngle(junction, candidate);
      if (std::fabs(a - back) >= kTol) {
        while (a > back) a -= kTwoPi;
      } else if (!ResolveBackTurn(node, junction, candidate, back, a)) {
        continue;
      }
      if (node.rejected && a < recorded - kTol) continue;
      if (best >= 0 && !Wins(node, junction, candidates, i, a, best, bestAngle, back)) continue;
      best = i;
      bestAngle = a;
    }
    return best;
  }

  // A candidate that leaves straight back along the arrival: whether it
  // turns the whole way round (b - 2*pi) or not at all (b); false skips it.
  static bool ResolveBackTurn(const Node& node, const FcPoint2d& junction, const GeomSegment& candidate, double back,
                              double& a) {
    const GeomSegment& own = *node.segment;
    const FcPoint2d ahead = PointAtPolar(junction, 1000.0, back) - junction;
    const auto side = [&](const FcPoint2d& centre) {
      return ahead.x * (centre.y - junction.y) - ahead.y * (centre.x - junction.x);
    };
    if (IsLine(own) && IsLine(candidate)) return false;
    if (IsLine(own)) {
      a = side(candidate.centre) >= -kTol ? back - kTwoPi : back;
      return true;
    }
    if (IsLine(candidate)) {
      a = side(own.centre) >= -kTol ? back : back - kTwoPi;
      return true;
    }
    if (IsSamePoint(own.centre, candidate.centre)) return false;
    const double reach = std::min(own.radius, candidate.radius) / 3.0;
    const double v = ArcSegmentChordAngle(back, reach, own, junction);
    double l = ArcSegmentChordAngle(back, reach, candidate, junction);
    while (l > v) l -= kTwoPi;
    a = l > v - kPi ? back : back - kTwoPi;
    return true;
  }

  bool Wins(const Node& node, const FcPoint2d& junction, const Pool& candidates, int index, double a, int best,
            double bestAngle, double back) const {
    if (std::fabs(a - bestAngle) >= kTol) return a > bestAngle;
    const GeomSegment& candidate = *candidates[static_cast<std::size_t>(index)];
    const GeomSegment& leader = *candidates[static_cast<std::size_t>(best)];
    const GeomSegment& own = *node.segment;
    if (IsLine(candidate) && IsLine(leader) && IsLine(own)) {
      return DistanceBetween(candidate.first, candidate.second) > DistanceBetween(leader.first, leader.second);
    }
    double reach = 0.0;
    for (const GeomSegment* s : {&own, &leader, &candidate}) {
      if (!IsLine(*s) && (reach == 0.0 || s->radius < reach)) reach = s->radius;
    }
    if (reach == 0.0) {
      return DistanceBetween(candidate.first, candidate.second) > DistanceBetween(leader.first, leader.second);
    }
    reach /= 3.0;
    const double v = ArcSegmentChordAngle(back, reach, own, junction);
    double w = ArcSegmentChordAngle(bestAngle, reach, candidate, junction);
    double u = ArcSegmentChordAngle(bestAngle, reach, leader, junction);
    while (w > v) w -= kTwoPi;
    while (u > v) u -= kTwoPi;
    return w > u;
  }

  FcPoint2d pick_;
  Pool& pool_;
  std::vector<Node> chain_;
  long steps_ = 0;
};

double NodeBulge(const Node& node) {
  const GeomSegment& s = *node.segment;
  if (IsLine(s)) return 0.0;
  double mid = (s.startAngle + s.endAngle) / 2.0;
  NormalizeAngle(mid);
  RaiseAngleTo(mid, s.startAngle);
  FcPoint2d centre;
  double bulge = 0.0;
  if (!CircleThrough3Points(node.start, PointAtPolar(s.centre, s.radius, mid), NodeEnd(node), centre, nullptr,
                            &bulge)) {
    return 0.0;
  }
  return bulge;
}

FcPolyline* PolylineOf(const std::vector<Node>& chain, int from) {
  auto* polyline = new (std::nothrow) FcPolyline;
  if (polyline == nullptr) return nullptr;
  polyline->AppendVertex(chain[static_cast<std::size_t>(from)].start, 0.0, 0.0, 0.0);
  for (std::size_t i = static_cast<std::size_t>(from); i < chain.size(); ++i) {
    polyline->SetVertexBulge(polyline->GetVertexCount() - 1, NodeBulge(chain[i]));
    polyline->AppendVertex(NodeEnd(chain[i]), 0.0, 0.0, 0.0);
  }
  polyline->SetClosed(true);
  return polyline;
}

}  // namespace

int BuildHatchBoundaryLoops(const FcPoint2d& pickPoint, const FcEntitySets& entities, FcEntitySets& result) {
  result.RemoveAll(false);
  GeomSegmentList records;
  FcMatrix2d identity;
  for (int i = entities.GetCount() - 1; i >= 0; --i) entities.GetAt(i)->GetBoundarySegments(identity, records);
  Pool pool;
  for (auto& record : records) {
    if (record && (record->type == kGeomSegmentLine || record->type == kGeomSegmentArc)) {
      pool.push_back(std::move(record));
    }
  }
  if (pool.empty()) return 5000;
  BoundaryWalk walk(pickPoint, pool);
  for (;;) {
    FcPoint2d hit;
    Segment start = FindStartSegment(pickPoint, pool, hit);
    if (!start) return 5000;
    const int closure = walk.Trace(std::move(start), hit);
    if (closure < 0) continue;
    FcPolyline* polyline = PolylineOf(walk.Chain(), closure);
    if (polyline == nullptr || !result.Add(polyline)) {
      delete polyline;
      return 5000;
    }
    return kStatusDone;
  }
}
