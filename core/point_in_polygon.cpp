#include "core/point_in_polygon.h"

#include <cmath>

namespace {

template <class T>
FcPoint2d PlanePoint(const T& p) {
  return {p.x, p.y};
}

// Sums the quarter turns of the ring around q; an edge that jumps two
// quadrants passes on one side of q or the other, which its crossing with
// the line y = q.y decides.
template <class T>
int Winding(const FcPoint2d& q, std::span<const T> ring) {
  if (ring.empty()) return -1;
  FcPoint2d prev = PlanePoint(ring[0]);
  int prevQuadrant = PointQuadrant(prev, q);
  if (prevQuadrant == -1) return 0;
  int total = 0;
  for (std::size_t i = 1; i <= ring.size(); ++i) {
    FcPoint2d cur = PlanePoint(ring[i % ring.size()]);
    int quadrant = PointQuadrant(cur, q);
    if (quadrant == -1) return 0;
    switch (quadrant - prevQuadrant) {
      case 1:
      case -3:
        total += 1;
        break;
      case 3:
      case -1:
        total -= 1;
        break;
      case 2:
      case -2: {
        double dy = cur.y - prev.y;
        if (std::fabs(dy) < 1e-7) return 0;
        double x = prev.x + (q.y - prev.y) * (cur.x - prev.x) / dy;
        if (x == q.x) return 0;
        bool fromAbove = prevQuadrant == 0 || prevQuadrant == 1;
        if (x > q.x) {
          total += fromAbove ? -2 : 2;
        } else {
          total += fromAbove ? 2 : -2;
        }
        break;
      }
      default:
        break;
    }
    prev = cur;
    prevQuadrant = quadrant;
  }
  if (total == 0) return -1;
  return total > 0 ? 1 : 2;
}

}  // namespace

int PointQuadrant(const FcPoint2d& p, const FcPoint2d& q) {
  if (p.x > q.x && p.y >= q.y) return 0;
  if (p.x <= q.x && p.y > q.y) return 1;
  if (p.x < q.x && p.y <= q.y) return 2;
  if (p.x >= q.x && p.y < q.y) return 3;
  return -1;
}

int PointInPolygon(const FcPoint2d& q, std::span<const FcPoint2d> ring) { return Winding(q, ring); }

int PointInVertexPolygon(const FcPoint2d& q, std::span<const PolylineVertex> ring) {
  return Winding(q, ring);
}
