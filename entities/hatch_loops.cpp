#include "entities/hatch_loops.h"

#include <algorithm>
#include <cmath>

#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "entities/hatch_crossings.h"

namespace {

FcPoint2d At(const PolylineVertex& v) { return {v.x, v.y}; }

// The counter-clockwise range of the arc of a bulged segment; false when
// its ends coincide.
bool BulgeArc(const FcPoint2d& start, const FcPoint2d& end, double bulge, FcPoint2d& centre, double& radius,
              double& low, double& high) {
  if (ArcFromChordBulge(start, bulge, end, centre, nullptr, &radius) == 0) return false;
  low = NormalAngleAbout(centre, start);
  high = NormalAngleAbout(centre, end);
  if (bulge < 0.0) std::swap(low, high);
  while (high < low) high += kTwoPi;
  return true;
}

// The box of every piece that has one; false, outputs untouched, when
// none has.
bool UnitedExtents(const std::vector<std::unique_ptr<FcHatchEdge>>& pieces, FcPoint2d& min, FcPoint2d& max) {
  bool found = false;
  for (const auto& piece : pieces) {
    FcPoint2d pieceMin;
    FcPoint2d pieceMax;
    if (!piece->GetExtents(pieceMin, pieceMax)) continue;
    if (found) {
      UniteBoxes(min, max, pieceMin, pieceMax);
    } else {
      min = pieceMin;
      max = pieceMax;
      found = true;
    }
  }
  return found;
}

}  // namespace

std::unique_ptr<FcHatchEdge> NewHatchEdge(int type) {
  switch (type) {
    case kHatchLineEdge:
      return std::make_unique<FcLineEdge>();
    case kHatchArcEdge:
      return std::make_unique<FcArcEdge>();
    case kHatchEllipseEdge:
      return std::make_unique<FcEllipseEdge>();
    case kHatchSplineEdge:
      return std::make_unique<FcSPLineEdge>();
    default:
      return nullptr;
  }
}

// Polyline loop.

void FcPLineEdge::AddVertex(const FcPoint2d& point, double bulge) {
  PolylineVertex vertex;
  vertex.x = point.x;
  vertex.y = point.y;
  vertex.bulge = bulge;
  vertex.index = static_cast<std::int32_t>(vertices_.size());
  vertices_.push_back(vertex);
  if (bulge != 0.0) hasBulges_ = 1;
}

int FcPLineEdge::SegmentCount() const {
  const int count = static_cast<int>(vertices_.size());
  if (count < 2) return closed_ != 0 ? count : 0;
  return closed_ != 0 ? count : count - 1;
}

const PolylineVertex& FcPLineEdge::SegmentEnd(int index) const {
  const std::size_t next = static_cast<std::size_t>(index) + 1;
  return next < vertices_.size() ? vertices_[next] : vertices_[0];
}

void FcPLineEdge::IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const {
  const CrossingLine line(p1, p2);
  const int segments = SegmentCount();
  for (int i = 0; i < segments; ++i) {
    const PolylineVertex& from = vertices_[static_cast<std::size_t>(i)];
    const FcPoint2d a = At(from);
    const FcPoint2d b = At(SegmentEnd(i));
    FcPoint2d centre;
    double radius = 0.0;
    double low = 0.0;
    double high = 0.0;
    if (from.bulge != 0.0 && BulgeArc(a, b, from.bulge, centre, radius, low, high)) {
      line.AppendConicCrossings(centre, {radius, 0.0}, {0.0, radius}, low, high, hits);
      continue;
    }
    line.AppendSegmentCrossings(a, b, hits);
  }
}

std::unique_ptr<FcHatchEdge> FcPLineEdge::Clone() const { return std::make_unique<FcPLineEdge>(*this); }

bool FcPLineEdge::AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const {
  if (closed_ == 0) return false;
  for (int i = 0; i < static_cast<int>(vertices_.size()); ++i) {
    const PolylineVertex& from = vertices_[static_cast<std::size_t>(i)];
    const FcPoint2d a = At(from);
    FcPoint2d centre;
    double radius = 0.0;
    if (from.bulge == 0.0 || ArcFromChordBulge(a, from.bulge, At(SegmentEnd(i)), centre, nullptr, &radius) == 0) {
      points.push_back(a);
      continue;
    }
    double start = NormalAngleAbout(centre, a);
    double end = NormalAngleAbout(centre, At(SegmentEnd(i)));
    if (from.bulge > 0.0) {
      while (end <= start) end += kTwoPi;
    } else {
      while (end >= start) end -= kTwoPi;
    }
    const int n = HatchChordCount(tolerance, radius, end - start);
    AppendArcPoints(n, radius, start, end, from.bulge > 0.0, points, centre);
  }
  return true;
}

bool FcPLineEdge::StartPoint(FcPoint2d& out) const {
  if (vertices_.empty()) return false;
  out = At(vertices_.front());
  return true;
}

bool FcPLineEdge::EndPoint(FcPoint2d& out) const {
  if (vertices_.empty()) return false;
  out = At(vertices_.back());
  return true;
}

bool FcPLineEdge::GetExtents(FcPoint2d& min, FcPoint2d& max) const {
  if (vertices_.empty()) return false;
  min = At(vertices_.front());
  max = min;
  for (const PolylineVertex& v : vertices_) UniteBoxes(min, max, At(v), At(v));
  const int segments = SegmentCount();
  for (int i = 0; i < segments; ++i) {
    const PolylineVertex& from = vertices_[static_cast<std::size_t>(i)];
    FcPoint2d centre;
    double radius = 0.0;
    double low = 0.0;
    double high = 0.0;
    if (from.bulge == 0.0 || !BulgeArc(At(from), At(SegmentEnd(i)), from.bulge, centre, radius, low, high)) continue;
    FcPoint2d arcMin;
    FcPoint2d arcMax;
    ArcBoundingBox(centre, radius, low, high, arcMin, arcMax);
    UniteBoxes(min, max, arcMin, arcMax);
  }
  return true;
}

void FcPLineEdge::Transform(const FcMatrix2d& matrix) {
  const std::vector<PolylineVertex> before = vertices_;
  for (PolylineVertex& v : vertices_) TransformPolylineVertex(matrix, v);
  const int count = static_cast<int>(before.size());
  for (int i = 0; i < count; ++i) {
    const PolylineVertex& from = before[static_cast<std::size_t>(i)];
    if (from.bulge == 0.0) continue;
    const bool last = i + 1 == count;
    if (last && closed_ == 0) continue;
    FcPoint2d a = At(from);
    FcPoint2d b = At(before[last ? 0 : static_cast<std::size_t>(i) + 1]);
    FcPoint2d centre;
    FcPoint2d mid;
    if (ArcFromChordBulge(a, from.bulge, b, centre, &mid, nullptr) == 0) continue;
    TransformPoint(matrix, a);
    TransformPoint(matrix, b);
    TransformPoint(matrix, mid);
    double bulge = 0.0;
    if (!CircleThrough3Points(a, mid, b, centre, nullptr, &bulge)) bulge = 0.0;
    vertices_[static_cast<std::size_t>(i)].bulge = bulge;
  }
}

void FcPLineEdge::Reverse() {
  const std::vector<PolylineVertex> old = vertices_;
  const int count = static_cast<int>(old.size());
  for (int i = 0; i < count; ++i) {
    PolylineVertex v = old[static_cast<std::size_t>(count - 1 - i)];
    if (i < count - 1) {
      v.bulge = -old[static_cast<std::size_t>(count - i - 2)].bulge;
    } else {
      v.bulge = closed_ != 0 ? -old[static_cast<std::size_t>(count - 1)].bulge : old[0].bulge;
    }
    v.index = i;
    vertices_[static_cast<std::size_t>(i)] = v;
  }
}

// Edge loop.

FcOtherEdge::FcOtherEdge(const FcOtherEdge& other) : FcHatchEdge(other) {
  for (const auto& edge : other.edges_) AppendFlattened(edge->Clone());
}

void FcOtherEdge::AppendFlattened(std::unique_ptr<FcHatchEdge> edge) {
  if (!edge) return;
  if (auto* loop = dynamic_cast<FcOtherEdge*>(edge.get())) {
    for (auto& member : loop->edges_) AppendFlattened(std::move(member));
    return;
  }
  edges_.push_back(std::move(edge));
}

void FcOtherEdge::PrependFlattened(std::unique_ptr<FcHatchEdge> edge) {
  if (!edge) return;
  if (auto* loop = dynamic_cast<FcOtherEdge*>(edge.get())) {
    for (auto it = loop->edges_.rbegin(); it != loop->edges_.rend(); ++it) PrependFlattened(std::move(*it));
    return;
  }
  edges_.insert(edges_.begin(), std::move(edge));
}

void FcOtherEdge::IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const {
  for (const auto& edge : edges_) edge->IntersectLine(p1, p2, hits);
}

std::unique_ptr<FcHatchEdge> FcOtherEdge::Clone() const { return std::make_unique<FcOtherEdge>(*this); }

bool FcOtherEdge::AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const {
  if (edges_.empty()) return false;
  FcPoint2d first;
  FcPoint2d reached;
  const bool chained = [&] {
    if (!edges_[0]->StartPoint(first) || !edges_[0]->AppendPoints(tolerance, points) ||
        !edges_[0]->EndPoint(reached)) {
      return false;
    }
    for (std::size_t i = 1; i < edges_.size(); ++i) {
      FcPoint2d start;
      if (!edges_[i]->StartPoint(start) || !IsSamePoint(start, reached)) return false;
      if (!edges_[i]->AppendPoints(tolerance, points) || !edges_[i]->EndPoint(reached)) return false;
      if (IsSamePoint(reached, first)) return true;
    }
    return IsSamePoint(reached, first);
  }();
  if (!chained) points.clear();
  return chained;
}

bool FcOtherEdge::StartPoint(FcPoint2d& out) const { return !edges_.empty() && edges_.front()->StartPoint(out); }

bool FcOtherEdge::EndPoint(FcPoint2d& out) const { return !edges_.empty() && edges_.back()->EndPoint(out); }

bool FcOtherEdge::GetExtents(FcPoint2d& min, FcPoint2d& max) const { return UnitedExtents(edges_, min, max); }

void FcOtherEdge::Transform(const FcMatrix2d& matrix) {
  for (auto& edge : edges_) edge->Transform(matrix);
}

void FcOtherEdge::Reverse() {
  for (auto& edge : edges_) edge->Reverse();
  std::reverse(edges_.begin(), edges_.end());
}

// The list of loops.

void FcHatchEdgeList::RemoveAll() {
  loops_.clear();
  extentsValid_ = false;
}

void FcHatchEdgeList::Append(std::unique_ptr<FcHatchEdge> loop) {
  if (!loop) return;
  loops_.push_back(std::move(loop));
  extentsValid_ = false;
}

void FcHatchEdgeList::CopyFrom(const FcHatchEdgeList& other) {
  RemoveAll();
  for (const auto& loop : other.loops_) loops_.push_back(loop->Clone());
  min_ = other.min_;
  max_ = other.max_;
  extentsValid_ = other.extentsValid_;
}

void FcHatchEdgeList::Transform(const FcMatrix2d& matrix) {
  for (auto& loop : loops_) loop->Transform(matrix);
  extentsValid_ = false;
}

void FcHatchEdgeList::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (!extentsValid_ && !loops_.empty()) {
    UnitedExtents(loops_, min_, max_);
    extentsValid_ = true;
  }
  min = min_;
  max = max_;
}
