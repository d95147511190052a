#include "entities/polyline.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <span>

#include "core/arcs.h"
#include "core/bulged_areas.h"
#include "core/geometry_basics.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/arc.h"
#include "entities/line.h"

namespace {

FcHandle NextHandle() {
  FcGraph* graph = CurrentGraph();
  return graph != nullptr ? TakeHandle(graph->GetHandleSeed()) : 0;
}

FcPoint2d PointOf(const PolylineVertex& v) { return {v.x, v.y}; }

PolylineVertex MakeVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge) {
  PolylineVertex v;
  v.x = point.x;
  v.y = point.y;
  v.startWidth = std::fabs(startWidth);
  v.endWidth = std::fabs(endWidth);
  v.bulge = bulge;
  return v;
}

// The bulge of the arc through three points, 0 when they make none.
double BulgeThrough(const FcPoint2d& first, const FcPoint2d& middle, const FcPoint2d& last) {
  FcPoint2d centre;
  double bulge = 0.0;
  return CircleThrough3Points(first, middle, last, centre, nullptr, &bulge) ? bulge : 0.0;
}

// Arc segments explode into arcs unless a caller installs another maker.
FcEntity* NewArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle) {
  auto* arc = new (std::nothrow) FcArc;
  if (arc == nullptr) return nullptr;
  arc->SetCenter(centre);
  arc->SetRadius(radius);
  arc->SetStartAngle(startAngle);
  arc->SetEndAngle(endAngle);
  return arc;
}

PolylineArcMaker arcMaker = NewArc;

double Distance(const PolylineVertex& a, const PolylineVertex& b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

void SetPolylineArcMaker(PolylineArcMaker maker) { arcMaker = maker; }

FcPolyline::FcPolyline() {
  SetRecordName(kRecordNameLightweight);
  SetKind(kEntityPolyline);
  SetDwgType(kDwgTypeLightweight);
}

FcPolyline::FcPolyline(const FcPolyline& other) : FcPolyline() { Copy(&other); }

FcPolyline::~FcPolyline() = default;

FcObject* FcPolyline::Create() { return new (std::nothrow) FcPolyline; }

void FcPolyline::SetHeavy(bool heavy) {
  SetRecordName(heavy ? kRecordNameHeavy : kRecordNameLightweight);
  SetDwgType(heavy ? kDwgTypeHeavy : kDwgTypeLightweight);
  SetEntitiesFollow(heavy ? 1 : 0);
}

void FcPolyline::Reset() {
  vertices_.clear();
  fitVertices_.clear();
  MakeLightweight();
}

void FcPolyline::ReserveVertices(int n) {
  Reset();
  if (n > 0) vertices_.resize(static_cast<std::size_t>(n));
}

void FcPolyline::Renumber(int from) {
  for (int i = std::max(from, 0); i < GetVertexCount(); ++i) vertices_[static_cast<std::size_t>(i)].index = i;
}

int FcPolyline::AppendVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge) {
  PolylineVertex v = MakeVertex(point, startWidth, endWidth, bulge);
  v.index = GetVertexCount();
  v.handle = NextHandle();
  vertices_.push_back(v);
  return GetVertexCount();
}

int FcPolyline::AppendVertexCopy(const PolylineVertex& vertex) {
  AppendVertexWithoutHandle(vertex);
  PolylineVertex& v = vertices_.back();
  if (v.handle == 0) v.handle = NextHandle();
  return GetVertexCount();
}

void FcPolyline::AppendVertexWithoutHandle(const PolylineVertex& vertex) {
  PolylineVertex v = vertex;
  v.index = GetVertexCount();
  v.flags = 0;
  vertices_.push_back(v);
}

void FcPolyline::InsertVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge, int index) {
  InsertVertexCopy(MakeVertex(point, startWidth, endWidth, bulge), index);
}

void FcPolyline::InsertVertexCopy(const PolylineVertex& vertex, int index) {
  index = std::max(index, 0);
  PolylineVertex v = vertex;
  v.handle = 0;
  if (vertices_.empty() || index + 1 >= GetVertexCount()) {
    AppendVertexCopy(v);
    return;
  }
  v.flags = 0;
  v.handle = NextHandle();
  vertices_.insert(vertices_.begin() + index + 1, v);
  Renumber(index + 1);
}

void FcPolyline::PrependVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge) {
  PrependVertexCopy(MakeVertex(point, startWidth, endWidth, bulge));
}

void FcPolyline::PrependVertexCopy(const PolylineVertex& vertex) {
  PolylineVertex v = vertex;
  v.flags = 0;
  v.handle = NextHandle();
  vertices_.insert(vertices_.begin(), v);
  Renumber(0);
}

void FcPolyline::RemoveVertex(int index) {
  if (index < 0 || index >= GetVertexCount()) return;
  vertices_.erase(vertices_.begin() + index);
  Renumber(index);
}

void FcPolyline::SetVertexWidths(int index, double startWidth, double endWidth) {
  PolylineVertex* v = GetVertex(index);
  if (v == nullptr) return;
  v->startWidth = std::fabs(startWidth);
  v->endWidth = std::fabs(endWidth);
}

void FcPolyline::SetVertexBulge(int index, double bulge) {
  if (PolylineVertex* v = GetVertex(index)) v->bulge = bulge;
}

PolylineVertex* FcPolyline::GetVertex(int index) {
  return index >= 0 && index < GetVertexCount() ? &vertices_[static_cast<std::size_t>(index)] : nullptr;
}

const PolylineVertex* FcPolyline::GetVertex(int index) const {
  return index >= 0 && index < GetVertexCount() ? &vertices_[static_cast<std::size_t>(index)] : nullptr;
}

void FcPolyline::Reverse() {
  const int n = GetVertexCount();
  if (n < 2) return;
  std::vector<PolylineVertex> reversed(vertices_.rbegin(), vertices_.rend());
  for (int j = 0; j < n - 1; ++j) {
    const PolylineVertex& old = vertices_[static_cast<std::size_t>(n - 2 - j)];
    PolylineVertex& v = reversed[static_cast<std::size_t>(j)];
    v.bulge = -old.bulge;
    v.startWidth = old.endWidth;
    v.endWidth = old.startWidth;
  }
  if (IsClosed()) {
    const PolylineVertex& closing = vertices_.back();
    PolylineVertex& last = reversed.back();
    last.bulge = -closing.bulge;
    last.startWidth = closing.endWidth;
    last.endWidth = closing.startWidth;
  }
  vertices_ = std::move(reversed);
}

void FcPolyline::SetClosed(bool closed) {
  if (IsClosed() == closed) return;
  flags_ = closed ? (flags_ | kPolylineClosed) : (flags_ & ~kPolylineClosed);
  if ((flags_ & kPolylineSplineFit) != 0) {
    SplineFit();
  } else if ((flags_ & kPolylineCurveFit) != 0) {
    CurveFit();
  }
}

void FcPolyline::MakeLightweight() {
  flags_ &= ~(kPolylineCurveFit | kPolylineSplineFit);
  curveType_ = 0;
  SetHeavy(false);
}

void FcPolyline::Refit() {
  if (curveType_ != 0 && (flags_ & kPolylineSplineFit) != 0) {
    SplineFit();
  } else if ((flags_ & kPolylineCurveFit) != 0) {
    CurveFit();
  }
}

void FcPolyline::EnsureFit() {
  if (!IsFitted() || !fitVertices_.empty()) return;
  if ((flags_ & kPolylineSplineFit) != 0) {
    SplineFit();
  } else {
    CurveFit();
  }
}

const std::vector<PolylineVertex>& FcPolyline::DrawnVertices() {
  EnsureFit();
  return IsFitted() ? fitVertices_ : vertices_;
}

const PolylineVertex* FcPolyline::SegmentEnd(int index) const {
  const int n = GetVertexCount();
  if (index < 0 || index >= n) return nullptr;
  if (index + 1 < n) return &vertices_[static_cast<std::size_t>(index + 1)];
  return IsClosed() && n > 1 ? &vertices_[0] : nullptr;
}

bool FcPolyline::HasConstantWidth() const {
  for (std::size_t i = 0; i < vertices_.size(); ++i) {
    const PolylineVertex& v = vertices_[i];
    if (std::fabs(v.startWidth - v.endWidth) > 1e-7) return false;
    if (i > 0 && std::fabs(v.startWidth - vertices_[i - 1].startWidth) > 1e-7) return false;
  }
  return true;
}

void FcPolyline::SetConstantWidth(double width) {
  width = std::fabs(width);
  for (std::vector<PolylineVertex>* list : {&vertices_, &fitVertices_}) {
    for (PolylineVertex& v : *list) {
      v.startWidth = width;
      v.endWidth = width;
    }
  }
}

FcEntity* FcPolyline::Clone() const { return new (std::nothrow) FcPolyline(*this); }

void FcPolyline::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcPolyline::CloneFromOtherGraph(FcGraph& target) const {
  auto* clone = new (std::nothrow) FcPolyline;
  if (clone != nullptr) clone->CopyFromOtherGraph(this, target);
  return clone;
}

void FcPolyline::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcPolyline::CopyOwnFields(const FcEntity* other) {
  const auto* source = dynamic_cast<const FcPolyline*>(other);
  if (source == nullptr || source == this) return;
  vertices_ = source->vertices_;
  for (PolylineVertex& v : vertices_) v.handle = NextHandle();
  fitVertices_ = source->fitVertices_;
  for (PolylineVertex& v : fitVertices_) v.handle = NextHandle();
  flags_ = source->flags_;
  curveType_ = source->curveType_;
  SetRecordName(IsFitted() ? kRecordNameHeavy : kRecordNameLightweight);
  SetDwgType(source->GetDwgType());
  SetEntitiesFollow(IsFitted() ? 1 : 0);
  seqendHandle_ = 0;
}

void FcPolyline::Transform(const FcMatrix2d& matrix) {
  const std::vector<PolylineVertex> before = vertices_;
  const int n = GetVertexCount();
  for (int i = 0; i < n; ++i) {
    PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    const PolylineVertex& old = before[static_cast<std::size_t>(i)];
    TransformPolylineVertex(matrix, v);
    if (old.bulge == 0.0) continue;
    const PolylineVertex& oldEnd = before[static_cast<std::size_t>(i + 1 < n ? i + 1 : 0)];
    FcPoint2d centre;
    FcPoint2d mid;
    if (ArcFromChordBulge(PointOf(old), old.bulge, PointOf(oldEnd), centre, &mid, nullptr) == 0) continue;
    FcPoint2d end = PointOf(oldEnd);
    TransformPoint(matrix, end);
    TransformPoint(matrix, mid);
    v.bulge = BulgeThrough(PointOf(v), mid, end);
  }
  Refit();
}

double FcPolyline::GetLength() const {
  if (IsFitted()) {
    double length = 0.0;
    for (std::size_t i = 1; i < fitVertices_.size(); ++i) length += Distance(fitVertices_[i - 1], fitVertices_[i]);
    if (IsClosed() && fitVertices_.size() > 1) length += Distance(fitVertices_.back(), fitVertices_.front());
    return length;
  }
  double length = 0.0;
  for (int i = 0; i < GetVertexCount(); ++i) {
    const PolylineVertex* end = SegmentEnd(i);
    if (end == nullptr) break;
    const PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    length += BulgeSegmentLength(PointOf(v), PointOf(*end), v.bulge);
  }
  return length;
}

double FcPolyline::GetArea() const {
  return PolylineArea(std::span<const PolylineVertex>(IsFitted() ? fitVertices_ : vertices_));
}

bool FcPolyline::Explode(FcEntitySets& target) {
  auto makeArc = [](const PolylineVertex& a, const PolylineVertex& b, bool& noArc) -> FcEntity* {
    FcPoint2d centre;
    double radius = 0.0;
    noArc = ArcFromChordBulge(PointOf(a), a.bulge, PointOf(b), centre, nullptr, &radius) == 0;
    if (noArc || arcMaker == nullptr) return nullptr;
    double start = std::atan2(a.y - centre.y, a.x - centre.x);
    double end = std::atan2(b.y - centre.y, b.x - centre.x);
    if (a.bulge < 0.0) std::swap(start, end);
    NormalizeAngle(start);
    NormalizeAngle(end);
    return arcMaker(centre, radius, start, end);
  };
  auto emit = [this, &target](FcEntity* entity) {
    if (entity == nullptr) return;
    entity->SetLinetype(GetLinetype());
    if (GetLinetypeScale() > 0.0) entity->SetLinetypeScale(GetLinetypeScale());
    if (GetColor() >= 0 && GetColor() <= 256) entity->SetColor(GetColor());
    if (GetLayer() != nullptr) {
      entity->SetLayer(GetLayer());
      GetLayer()->AddEntityHandle(entity);
    }
    target.Add(entity);
  };
  auto makeLine = [](const PolylineVertex& a, const PolylineVertex& b) -> FcEntity* {
    auto* line = new (std::nothrow) FcLine;
    if (line == nullptr) return nullptr;
    line->SetStartPoint(PointOf(a));
    line->SetEndPoint(PointOf(b));
    return line;
  };
  const int before = target.GetCount();
  if (IsFitted() && !fitVertices_.empty()) {
    for (std::size_t i = 1; i < fitVertices_.size(); ++i) emit(makeLine(fitVertices_[i - 1], fitVertices_[i]));
    if (IsClosed() && fitVertices_.size() > 1) emit(makeLine(fitVertices_.back(), fitVertices_.front()));
    return target.GetCount() > before;
  }
  if (arcMaker == nullptr) {
    for (int i = 0; i < GetVertexCount(); ++i) {
      const PolylineVertex* end = SegmentEnd(i);
      FcPoint2d centre;
      if (end != nullptr && vertices_[static_cast<std::size_t>(i)].bulge != 0.0 &&
          ArcFromChordBulge(PointOf(vertices_[static_cast<std::size_t>(i)]), vertices_[static_cast<std::size_t>(i)].bulge,
                            PointOf(*end), centre, nullptr, nullptr) != 0) {
        return false;
      }
    }
  }
  for (int i = 0; i < GetVertexCount(); ++i) {
    const PolylineVertex* end = SegmentEnd(i);
    if (end == nullptr) break;
    const PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    bool noArc = true;
    FcEntity* arc = v.bulge != 0.0 ? makeArc(v, *end, noArc) : nullptr;
    emit(arc != nullptr ? arc : makeLine(v, *end));
  }
  return target.GetCount() > before;
}

void FcPolyline::GetGripPoints(FcPoint2dArray& points) {
  for (int i = 0; i < GetVertexCount(); ++i) {
    const PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    points.Add(PointOf(v));
    const PolylineVertex* end = SegmentEnd(i);
    if (IsFitted() || v.bulge == 0.0 || end == nullptr) continue;
    FcPoint2d centre;
    FcPoint2d mid;
    if (ArcFromChordBulge(PointOf(v), v.bulge, PointOf(*end), centre, &mid, nullptr) != 0) points.Add(mid);
  }
}

int FcPolyline::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  const int n = GetVertexCount();
  const std::vector<PolylineVertex> before = vertices_;
  auto oldMid = [&before, n, this](int i, FcPoint2d& mid) {
    const PolylineVertex& v = before[static_cast<std::size_t>(i)];
    const bool exists = i + 1 < n || IsClosed();
    if (!exists || v.bulge == 0.0) return false;
    const PolylineVertex& end = before[static_cast<std::size_t>(i + 1 < n ? i + 1 : 0)];
    FcPoint2d centre;
    return ArcFromChordBulge(PointOf(v), v.bulge, PointOf(end), centre, &mid, nullptr) != 0;
  };
  int grip = 0;
  for (int i = 0; i < n; ++i) {
    PolylineVertex& v = vertices_[static_cast<std::size_t>(i)];
    if (indices.Find(grip) >= 0) {
      const FcPoint2d moved{before[static_cast<std::size_t>(i)].x + offset.x,
                            before[static_cast<std::size_t>(i)].y + offset.y};
      const int previous = i > 0 ? i - 1 : (IsClosed() ? n - 1 : -1);
      FcPoint2d mid;
      if (previous >= 0 && previous != i && oldMid(previous, mid)) {
        vertices_[static_cast<std::size_t>(previous)].bulge =
            BulgeThrough(PointOf(vertices_[static_cast<std::size_t>(previous)]), mid, moved);
      }
      if (oldMid(i, mid)) {
        const PolylineVertex& end = vertices_[static_cast<std::size_t>(i + 1 < n ? i + 1 : 0)];
        v.bulge = BulgeThrough(moved, mid, PointOf(end));
      }
      v.x = moved.x;
      v.y = moved.y;
    }
    ++grip;
    FcPoint2d mid;
    if (!IsFitted() && oldMid(i, mid)) {
      if (indices.Find(grip) >= 0) {
        FcPoint2d currentMid;
        const PolylineVertex& end = vertices_[static_cast<std::size_t>(i + 1 < n ? i + 1 : 0)];
        FcPoint2d centre;
        if (ArcFromChordBulge(PointOf(v), v.bulge, PointOf(end), centre, &currentMid, nullptr) == 0) currentMid = mid;
        currentMid.x += offset.x;
        currentMid.y += offset.y;
        v.bulge = BulgeThrough(PointOf(v), currentMid, PointOf(end));
      }
      ++grip;
    }
  }
  Refit();
  return indices.count;
}

void FcPolyline::GetStretchPoints(FcPoint2dArray& points) {
  for (const PolylineVertex& v : vertices_) points.Add(PointOf(v));
}

int FcPolyline::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  for (int i = 0; i < indices.count; ++i) {
    if (PolylineVertex* v = GetVertex(indices[i])) {
      v->x += offset.x;
      v->y += offset.y;
    }
  }
  Refit();
  return indices.count;
}

void FcPolyline::AppendReadVertex(FcHandle handle, const FcPoint2d& point, double startWidth, double endWidth,
                                  double bulge) {
  if (!vertices_.empty() && vertices_.back().x == point.x && vertices_.back().y == point.y) return;
  PolylineVertex v;
  v.x = point.x;
  v.y = point.y;
  v.handle = handle;
  v.startWidth = startWidth;
  v.endWidth = endWidth;
  v.bulge = bulge;
  v.index = GetVertexCount();
  vertices_.push_back(v);
}
