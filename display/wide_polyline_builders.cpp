#include <cmath>
#include <vector>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "database/dash_applier.h"
#include "database/linetype.h"
#include "display/builder_support.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

namespace {

// Geometric constants of wide outlines.
constexpr double kMiterReach = 0.35;
constexpr double kCollinearTurn = 1e-10;
constexpr double kThinArcWidth = 0.1;
constexpr double kThinDashWidth = 0.05;

FcPoint2d PointOf(const PolylineVertex& v) { return {v.x, v.y}; }

FcPoint2d Offset(const FcPoint2d& p, double distance, double angle) {
  return {p.x + distance * std::cos(angle), p.y + distance * std::sin(angle)};
}

double Direction(const FcPoint2d& from, const FcPoint2d& to) {
  double angle = std::atan2(to.y - from.y, to.x - from.x);
  NormalizeAngle(angle);
  return angle;
}

// The turn between two directions, folded into [0, pi].
double TurnBetween(double a, double b) {
  double turn = a - b;
  NormalizeAngle(turn);
  return turn > kPi ? kTwoPi - turn : turn;
}

bool HasWidth(const PolylineVertex& v) { return v.startWidth > 0.0 || v.endWidth > 0.0; }

void EmitPolyline(FcDisplaySurface* surface, const std::vector<FcPoint2d>& points, FcHandle handle, int tag) {
  auto polyline = std::make_unique<FcDsPolyline>(handle, tag);
  polyline->SetPointArray(points.data(), static_cast<int>(points.size()));
  EmitPrimitive(surface, std::move(polyline));
}

void EmitPolygon(FcDisplaySurface* surface, std::unique_ptr<FcDsPolygon> polygon, const std::vector<FcPoint2d>& points) {
  polygon->SetPointArray(points.data(), static_cast<int>(points.size()));
  EmitPrimitive(surface, std::move(polygon));
}

// The ring of a wide arc piece: each vertex moved outward from the centre
// by half its width, then inward in reverse order.
std::vector<FcPoint2d> ArcBand(const PolylineVertex* vertices, int count, const FcPoint2d& centre) {
  std::vector<FcPoint2d> ring(static_cast<std::size_t>(count) * 2);
  for (int i = 0; i < count; ++i) {
    const FcPoint2d p = PointOf(vertices[i]);
    const double outward = std::atan2(p.y - centre.y, p.x - centre.x);
    const double half = vertices[i].startWidth / 2;
    ring[static_cast<std::size_t>(i)] = Offset(p, half, outward);
    ring[static_cast<std::size_t>(2 * count - 1 - i)] = Offset(p, -half, outward);
  }
  return ring;
}

// Two mitred corners where the edges of both neighbours meet; false when
// either miter is refused.
bool MiterCorners(const FcPoint2d& firstA, const FcPoint2d& firstB, const FcPoint2d& secondA,
                  const FcPoint2d& secondB, const FcPoint2d& thirdA, const FcPoint2d& thirdB,
                  const FcPoint2d& fourthA, const FcPoint2d& fourthB, FcPoint2d& first, FcPoint2d& second) {
  return MiterPoint(firstA, firstB, secondA, secondB, first) && MiterPoint(thirdA, thirdB, fourthA, fourthB, second);
}

// A thin stretch, a wide band or nothing for one run of a dashed wide arc.
void EmitArcPiece(FcDisplaySurface* surface, const std::vector<PolylineVertex>& run, bool wide, const FcPoint2d& centre,
                  FcHandle handle, int tag) {
  if (run.size() < 2) return;
  if (wide) {
    EmitPolygon(surface, std::make_unique<FcDsPolygon>(handle, tag),
                ArcBand(run.data(), static_cast<int>(run.size()), centre));
    return;
  }
  std::vector<FcPoint2d> points;
  for (const PolylineVertex& v : run) points.push_back(PointOf(v));
  EmitPolyline(surface, points, handle, tag);
}

void AddWideArcPiecesToSurface(FcDisplaySurface* surface, const VertexChain& chain, const FcPoint2d& centre,
                               FcHandle handle) {
  const FcViewTransform& view = SurfaceView(*surface);
  const auto isWide = [&](const PolylineVertex& v) {
    return view.WorldLengthToDevice(v.startWidth) > kThinDashWidth ||
           view.WorldLengthToDevice(v.endWidth) > kThinDashWidth;
  };
  const int count = chain.vertices.count;
  if (count <= 0) return;
  std::vector<PolylineVertex> run{chain.vertices[0]};
  bool wide = isWide(chain.vertices[0]);
  for (int i = 1; i < count; ++i) {
    const PolylineVertex& v = chain.vertices[i];
    run.push_back(v);
    if (isWide(v) == wide) continue;
    EmitArcPiece(surface, run, wide, centre, handle, v.index);
    run.assign(1, v);
    wide = !wide;
  }
  EmitArcPiece(surface, run, wide, centre, handle, run.front().index);
}

void AddDashedSegmentToSurface(FcDisplaySurface* surface, const PolylineVertex* previous, const PolylineVertex& a,
                               const PolylineVertex& b, const PolylineVertex* nextNext, FcHandle handle) {
  FcPoint2d ends[2] = {PointOf(a), PointOf(b)};
  const double length = std::hypot(ends[1].x - ends[0].x, ends[1].y - ends[0].y);
  if (surface->UseLinetypePattern(length)) {
    VertexChain* head = nullptr;
    ApplyLinetypeToPolyline(ends, 2, false, a.startWidth, a.endWidth, length, surface->entityLinetypeScale, a.index,
                            head, *surface->currentLinetype);
    const FcVertexChainList dashes(head);
    AddChainListToSurface(surface, dashes.get(), handle, a.index);
    return;
  }
  if (HasWidth(a)) {
    AddWidePolylineJoinsToSurface(surface, previous, a, b, nextNext, handle);
    return;
  }
  EmitPrimitive(surface, std::make_unique<FcDsLine>(handle, a.index, ends[0], ends[1]));
}

void AddWideArcToSurface(FcDisplaySurface* surface, const PolylineVertex& v1, const PolylineVertex& v2,
                         FcHandle handle) {
  const FcMatrix2d& matrix = surface->insertMatrix;
  FcPoint2d centre;
  double radius = 0.0;
  if (ArcFromChordBulge(PointOf(v1), v1.bulge, PointOf(v2), centre, nullptr, &radius) == 0) {
    PolylineVertex straight[2] = {v1, v2};
    TransformPolylineVertex(matrix, straight[0]);
    TransformPolylineVertex(matrix, straight[1]);
    AddVertexArrayToSurface(surface, straight, 2, false, handle, v1.index);
    return;
  }
  double start = Direction(centre, PointOf(v1));
  double end = Direction(centre, PointOf(v2));
  if (v1.bulge > 0.0) {
    if (start > end) start -= kTwoPi;
  } else {
    if (start < end) start += kTwoPi;
    std::swap(start, end);
  }
  const double sweep = end - start;
  const double worldRadius = TransformLength(matrix, radius);
  std::vector<PolylineVertex> chain = TessellateArc(*surface, centre, radius, ChordHeight(*surface, radius), start,
                                                    end, v1.startWidth, v1.endWidth);
  for (PolylineVertex& v : chain) {
    v.index = v1.index;
    TransformPolylineVertex(matrix, v);
  }
  FcPoint2d worldCentre = centre;
  TransformPoint(matrix, worldCentre);

  if (surface->UseLinetypePattern(sweep * worldRadius)) {
    VertexChain* head = nullptr;
    ApplyLinetypeToPolyline2(chain.data(), static_cast<int>(chain.size()), false, v1.startWidth, v1.endWidth,
                             sweep * worldRadius, surface->entityLinetypeScale, v1.index, head,
                             *surface->currentLinetype);
    const FcVertexChainList dashes(head);
    for (const VertexChain* dash = dashes.get(); dash != nullptr; dash = dash->next) {
      if (dash->vertices.count > 1) {
        AddWideArcPiecesToSurface(surface, *dash, worldCentre, handle);
        continue;
      }
      if (dash->vertices.count < 1) continue;
      const PolylineVertex& dot = dash->vertices[0];
      const FcPoint2d p = PointOf(dot);
      if (dot.startWidth > 0.0) {
        const double outward = std::atan2(p.y - worldCentre.y, p.x - worldCentre.x);
        EmitPrimitive(surface, std::make_unique<FcDsLine>(handle, v1.index, Offset(p, dot.startWidth / 2, outward),
                                                          Offset(p, -dot.startWidth / 2, outward)));
      } else {
        EmitPrimitive(surface, std::make_unique<FcDsPoint>(handle, v1.index, p));
      }
    }
    if (dashes) return;
  }
  const FcViewTransform& view = SurfaceView(*surface);
  const bool thin = view.WorldLengthToDevice(TransformLength(matrix, v1.startWidth)) <= kThinArcWidth &&
                    view.WorldLengthToDevice(TransformLength(matrix, v1.endWidth)) <= kThinArcWidth;
  if (thin) {
    std::vector<FcPoint2d> points;
    for (const PolylineVertex& v : chain) points.push_back(PointOf(v));
    EmitPolyline(surface, points, handle, v1.index);
    return;
  }
  EmitPolygon(surface, std::make_unique<FcDsPolygon>(handle, v1.index),
              ArcBand(chain.data(), static_cast<int>(chain.size()), worldCentre));
}

}  // namespace

bool MiterPoint(const FcPoint2d& p1, const FcPoint2d& q1, const FcPoint2d& p2, const FcPoint2d& q2, FcPoint2d& out) {
  const FcPoint2d d1{q1.x - p1.x, q1.y - p1.y};
  const FcPoint2d d2{q2.x - p2.x, q2.y - p2.y};
  const double det = d1.x * d2.y - d1.y * d2.x;
  if (det == 0.0) return false;
  const FcPoint2d between{p2.x - p1.x, p2.y - p1.y};
  const double t = (between.x * d2.y - between.y * d2.x) / det;
  const double u = (between.x * d1.y - between.y * d1.x) / det;
  const auto inReach = [](double s) { return s >= -kMiterReach && s <= 1.0 + kMiterReach; };
  if (!inReach(t) || !inReach(u)) return false;
  out = {p1.x + t * d1.x, p1.y + t * d1.y};
  return true;
}

void AddWidePolylineJoinsToSurface(FcDisplaySurface* surface, const PolylineVertex* previous, const PolylineVertex& a,
                                   const PolylineVertex& b, const PolylineVertex* nextNext, FcHandle handle) {
  if (surface == nullptr) return;
  const FcPoint2d pa = PointOf(a);
  const FcPoint2d pb = PointOf(b);
  const double ha = a.startWidth / 2;
  const double hb = a.endWidth / 2;
  const double d = Direction(pa, pb);
  const double left = d + kHalfPi;
  const double right = d - kHalfPi;
  std::vector<FcPoint2d> corners;

  if (a.startWidth <= 0.0) {
    corners.push_back(pa);
  } else {
    FcPoint2d leftMiter;
    FcPoint2d rightMiter;
    bool mitred = false;
    if (previous != nullptr && previous->endWidth > 0.0) {
      const FcPoint2d pp = PointOf(*previous);
      const double p = Direction(pp, pa);
      const double hps = previous->startWidth / 2;
      const double hpe = previous->endWidth / 2;
      mitred = TurnBetween(p, d) >= kCollinearTurn &&
               MiterCorners(Offset(pa, ha, left), Offset(pb, hb, left), Offset(pp, hps, p + kHalfPi),
                            Offset(pa, hpe, p + kHalfPi), Offset(pa, ha, right), Offset(pb, hb, right),
                            Offset(pp, hps, p - kHalfPi), Offset(pa, hpe, p - kHalfPi), leftMiter, rightMiter);
    }
    corners.push_back(mitred ? leftMiter : Offset(pa, ha, left));
    corners.push_back(mitred ? rightMiter : Offset(pa, ha, right));
  }

  if (a.endWidth <= 0.0) {
    corners.push_back(pb);
  } else {
    FcPoint2d leftMiter;
    FcPoint2d rightMiter;
    bool mitred = false;
    if (nextNext != nullptr && b.startWidth > 0.0) {
      const FcPoint2d pn = PointOf(*nextNext);
      const double n = Direction(pb, pn);
      const double hns = b.startWidth / 2;
      const double hne = b.endWidth / 2;
      mitred = TurnBetween(d, n) >= kCollinearTurn &&
               MiterCorners(Offset(pa, ha, right), Offset(pb, hb, right), Offset(pb, hns, n - kHalfPi),
                            Offset(pn, hne, n - kHalfPi), Offset(pa, ha, left), Offset(pb, hb, left),
                            Offset(pb, hns, n + kHalfPi), Offset(pn, hne, n + kHalfPi), rightMiter, leftMiter);
    }
    corners.push_back(mitred ? rightMiter : Offset(pb, hb, right));
    corners.push_back(mitred ? leftMiter : Offset(pb, hb, left));
  }

  // Mitred corners may cross over each other: drop the one that folds back.
  if (corners.size() == 4) {
    if (Orientation3(corners[0], corners[2], corners[1]) == -1) {
      corners[2] = corners[3];
      corners.pop_back();
    } else if (Orientation3(corners[0], corners[3], corners[1]) == -1) {
      corners.pop_back();
    }
  }
  EmitPolygon(surface, std::make_unique<FcDsConvexPolygon>(handle, a.index), corners);
}

void AddChainListToSurface(FcDisplaySurface* surface, const VertexChain* list, FcHandle handle, int partTag) {
  if (surface == nullptr) return;
  for (const VertexChain* chain = list; chain != nullptr; chain = chain->next) {
    const int count = chain->vertices.count;
    if (count > 1) {
      AddVertexArrayToSurface(surface, chain->vertices.items, count, false, handle, partTag);
      continue;
    }
    if (count < 1) continue;
    const PolylineVertex& dot = chain->vertices[0];
    const FcPoint2d p = PointOf(dot);
    const double width = dot.startWidth;
    // A dot on a wide line becomes a stroke across the width.
    if (width > 0.0) {
      const double t = dot.endWidth;
      EmitPrimitive(surface, std::make_unique<FcDsLine>(handle, partTag, Offset(p, width / 2, t + kHalfPi),
                                                        Offset(p, width / 2, t - kHalfPi)));
    } else {
      EmitPrimitive(surface, std::make_unique<FcDsPoint>(handle, partTag, p));
    }
  }
}

void AddVertexArrayToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                             FcHandle handle, int partTag) {
  if (surface == nullptr || vertices == nullptr || count <= 0) return;
  const PolylineVertex& last = vertices[count - 1];
  bool anyWide = closed && HasWidth(last);
  for (int i = 0; i + 1 < count && !anyWide; ++i) anyWide = HasWidth(vertices[i]);
  std::vector<FcPoint2d> run;
  if (!anyWide) {
    for (int i = 0; i < count; ++i) run.push_back(PointOf(vertices[i]));
    if (closed) run.push_back(PointOf(vertices[0]));
    EmitPolyline(surface, run, handle, partTag);
    return;
  }
  for (int i = 0; i + 1 < count; ++i) {
    const PolylineVertex& v = vertices[i];
    if (!HasWidth(v)) {
      run.push_back(PointOf(v));
      continue;
    }
    if (!run.empty()) {
      run.push_back(PointOf(v));
      EmitPolyline(surface, run, handle, partTag);
      run.clear();
    }
    const PolylineVertex* previous = i > 0 ? &vertices[i - 1] : closed ? &last : nullptr;
    const PolylineVertex* nextNext = i + 2 < count ? &vertices[i + 2] : closed ? &vertices[0] : nullptr;
    AddWidePolylineJoinsToSurface(surface, previous, v, vertices[i + 1], nextNext, handle);
  }
  if (!closed || count < 3) {
    if (run.empty()) return;
    run.push_back(PointOf(last));
    EmitPolyline(surface, run, handle, partTag);
    return;
  }
  if (HasWidth(last)) {
    if (!run.empty()) {
      run.push_back(PointOf(last));
      EmitPolyline(surface, run, handle, partTag);
    }
    AddWidePolylineJoinsToSurface(surface, &vertices[count - 2], last, vertices[0], &vertices[1], handle);
    return;
  }
  run.push_back(PointOf(last));
  run.push_back(PointOf(vertices[0]));
  EmitPolyline(surface, run, handle, partTag);
}

void AddWidePolylineToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                              FcHandle handle) {
  if (surface == nullptr || vertices == nullptr || count < 2) return;
  const FcViewTransform& view = SurfaceView(*surface);
  const double thin = IsXorPreview(*surface) ? 3.0 : 0.02;
  std::vector<PolylineVertex> copies(vertices, vertices + count);
  for (PolylineVertex& v : copies) {
    TransformPolylineVertex(surface->insertMatrix, v);
    if (TransformLength(view.forward, v.startWidth) < thin) v.startWidth = 0.0;
    if (TransformLength(view.forward, v.endWidth) < thin) v.endWidth = 0.0;
  }
  const int segments = closed ? count : count - 1;
  for (int i = 0; i < segments; ++i) {
    const int next = (i + 1) % count;
    if (copies[static_cast<std::size_t>(i)].bulge != 0.0) {
      AddWideArcToSurface(surface, vertices[i], vertices[next], handle);
      continue;
    }
    const PolylineVertex* previous = i > 0 ? &copies[static_cast<std::size_t>(i - 1)]
                                     : closed ? &copies.back()
                                              : nullptr;
    if (previous != nullptr && previous->bulge != 0.0) previous = nullptr;
    const PolylineVertex* nextNext = nullptr;
    if (copies[static_cast<std::size_t>(next)].bulge == 0.0) {
      if (i + 2 < count) {
        nextNext = &copies[static_cast<std::size_t>(i + 2)];
      } else if (closed) {
        nextNext = &copies[static_cast<std::size_t>((i + 2) % count)];
      }
    }
    AddDashedSegmentToSurface(surface, previous, copies[static_cast<std::size_t>(i)],
                              copies[static_cast<std::size_t>(next)], nextNext, handle);
  }
}
