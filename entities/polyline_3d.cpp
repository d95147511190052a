#include "entities/polyline_3d.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "core/matrix2d.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "platform/frame_link.h"

namespace {

FcPoint2d PointOf(const Polyline3dVertex& v) { return {v.x, v.y}; }

}  // namespace

FcPolyline3d::FcPolyline3d() {
  SetRecordName(kRecordName);
  SetKind(kEntityPolyline3d);
  SetDwgType(kDwgType3d);
}

FcPolyline3d::FcPolyline3d(const FcPolyline3d& other) : FcPolyline3d() { Copy(&other); }

FcObject* FcPolyline3d::Create() { return new (std::nothrow) FcPolyline3d; }

void FcPolyline3d::SetFlags(std::int32_t flags) {
  flags_ = flags;
  if (IsPolyface()) {
    SetDwgType(kDwgTypePolyface);
  } else if (IsMesh()) {
    SetDwgType(kDwgTypeMesh);
  } else {
    SetDwgType(kDwgType3d);
  }
}

void FcPolyline3d::AppendVertex(const Polyline3dVertex& vertex) {
  vertices_.push_back(vertex);
  if (vertices_.back().handle != 0) return;
  FcGraph* graph = CurrentGraph();
  if (graph != nullptr) vertices_.back().handle = TakeHandle(graph->GetHandleSeed());
}

FcEntity* FcPolyline3d::Clone() const { return new (std::nothrow) FcPolyline3d(*this); }

FcEntity* FcPolyline3d::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcPolyline3d::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  if (const auto* source = dynamic_cast<const FcPolyline3d*>(other)) CopyOwnFields(*source);
}

void FcPolyline3d::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  if (const auto* source = dynamic_cast<const FcPolyline3d*>(other)) CopyOwnFields(*source);
}

// The copy's vertices are records of their own: they take new handles, as
// its SEQEND will when it is written.
void FcPolyline3d::CopyOwnFields(const FcPolyline3d& other) {
  if (&other == this) return;
  vertices_.clear();
  for (Polyline3dVertex v : other.vertices_) {
    v.handle = 0;
    AppendVertex(v);
  }
  SetFlags(other.flags_);
  for (int k = 0; k < 4; ++k) counts_[k] = other.counts_[k];
  surfaceType_ = other.surfaceType_;
  seqendHandle_ = 0;
}

std::vector<const Polyline3dVertex*> FcPolyline3d::PointVertices() const {
  std::vector<const Polyline3dVertex*> points;
  for (const Polyline3dVertex& v : vertices_) {
    if (!IsPolyface() || !v.IsFaceRecord()) points.push_back(&v);
  }
  return points;
}

std::vector<FcPolyline3d::Edge> FcPolyline3d::Edges() const {
  const std::vector<const Polyline3dVertex*> points = PointVertices();
  std::vector<Edge> edges;
  const int n = static_cast<int>(points.size());
  auto add = [&edges, &points](int a, int b) { edges.push_back({PointOf(*points[a]), PointOf(*points[b])}); };
  if (IsPolyface()) {
    for (const Polyline3dVertex& v : vertices_) {
      if (!v.IsFaceRecord()) continue;
      std::vector<int> corners;
      for (std::int16_t c : v.face) {
        if (c != 0) corners.push_back(c);
      }
      for (std::size_t k = 0; k < corners.size() && corners.size() > 1; ++k) {
        const int from = std::abs(corners[k]) - 1;
        const int to = std::abs(corners[(k + 1) % corners.size()]) - 1;
        if (corners[k] > 0 && from < n && to < n) add(from, to);
      }
    }
    return edges;
  }
  const std::int32_t m = counts_[0];
  const std::int32_t columns = counts_[1];
  if (IsMesh() && m > 0 && columns > 0 && static_cast<std::int64_t>(m) * columns == n) {
    const bool closedM = (flags_ & 1) != 0;
    const bool closedN = (flags_ & kPolylineMeshClosedN) != 0;
    for (int i = 0; i < m; ++i) {
      for (int j = 0; j + 1 < columns; ++j) add(i * columns + j, i * columns + j + 1);
      if (closedN && columns > 2) add(i * columns + columns - 1, i * columns);
    }
    for (int j = 0; j < columns; ++j) {
      for (int i = 0; i + 1 < m; ++i) add(i * columns + j, (i + 1) * columns + j);
      if (closedM && m > 2) add((m - 1) * columns + j, j);
    }
    return edges;
  }
  for (int i = 0; i + 1 < n; ++i) add(i, i + 1);
  if ((flags_ & 1) != 0 && n > 2) add(n - 1, 0);
  return edges;
}

bool FcPolyline3d::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  const std::vector<Edge> edges = Edges();
  for (std::size_t i = 0; i < edges.size(); ++i) sink->AddLine(edges[i].start, edges[i].end, static_cast<int>(i), GetHandle());
  return true;
}

void FcPolyline3d::Transform(const FcMatrix2d& matrix) {
  for (Polyline3dVertex& v : vertices_) {
    if (IsPolyface() && v.IsFaceRecord()) continue;
    FcPoint2d p = PointOf(v);
    TransformPoint(matrix, p);
    v.x = p.x;
    v.y = p.y;
  }
}

void FcPolyline3d::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  if (IsPolyface()) {
    PrintMessage("  Polyface mesh");
  } else if (IsMesh()) {
    PrintMessage("  Polygon mesh " + std::to_string(counts_[0]) + " by " + std::to_string(counts_[1]));
  } else {
    PrintMessage((flags_ & 1) != 0 ? "  Close" : "  Open");
  }
  for (const Polyline3dVertex* v : PointVertices()) {
    const FormattedPoint p = FormatPoint(PointOf(*v), graph);
    PrintMessage("  At point: X= " + p.x + "    Y= " + p.y + "    Z= " + FormatDrawingDistance(v->z, graph));
  }
  if (!IsMesh() && !IsPolyface()) PrintMessage("  Length " + FormatDrawingDistance(GetLength(), graph));
}

// A 3D polyline measures along its vertices in space; a mesh has no
// length.
double FcPolyline3d::GetLength() const {
  if (IsMesh() || IsPolyface()) return -1.0;
  const std::vector<const Polyline3dVertex*> points = PointVertices();
  double length = 0.0;
  const std::size_t n = points.size();
  const std::size_t segments = (flags_ & 1) != 0 && n > 2 ? n : (n > 0 ? n - 1 : 0);
  for (std::size_t i = 0; i < segments; ++i) {
    const Polyline3dVertex& a = *points[i];
    const Polyline3dVertex& b = *points[(i + 1) % n];
    length += std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + (b.z - a.z) * (b.z - a.z));
  }
  return length;
}

bool FcPolyline3d::Explode(FcEntitySets& target) {
  const int before = target.GetCount();
  for (const Edge& edge : Edges()) {
    auto* line = new (std::nothrow) FcLine;
    if (line == nullptr) break;
    line->SetStartPoint(edge.start);
    line->SetEndPoint(edge.end);
    line->SetLinetype(GetLinetype());
    line->SetLinetypeScale(GetLinetypeScale());
    line->SetColor(GetColor());
    if (GetLayer() != nullptr) {
      line->SetLayer(GetLayer());
      GetLayer()->AddEntityHandle(line);
    }
    target.Add(line);
  }
  return target.GetCount() > before;
}

void FcPolyline3d::GetGripPoints(FcPoint2dArray& points) {
  for (const Polyline3dVertex* v : PointVertices()) points.Add(PointOf(*v));
}

void FcPolyline3d::GetStretchPoints(FcPoint2dArray& points) { GetGripPoints(points); }

int FcPolyline3d::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  int index = 0;
  for (Polyline3dVertex& v : vertices_) {
    if (IsPolyface() && v.IsFaceRecord()) continue;
    if (indices.Find(index) >= 0) {
      v.x += offset.x;
      v.y += offset.y;
    }
    ++index;
  }
  return indices.count;
}

int FcPolyline3d::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  return MoveStretchPoints(indices, offset);
}

void FcPolyline3d::GetSnapSegments(int, const FcPoint2d&, int subIndex, const FcMatrix2d& matrix,
                                   GeomSegmentList& segments) {
  const std::vector<Edge> edges = Edges();
  if (subIndex < 0 || subIndex >= static_cast<int>(edges.size())) return;
  const Edge& edge = edges[static_cast<std::size_t>(subIndex)];
  AppendLineSegment(segments, edge.start, edge.end, kLineExtentSegment, kSnapTagBoundedLine, matrix);
}
