#include "entities/leader.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "core/data_array.h"
#include "core/splines.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/annotation_style.h"
#include "entities/dimension_arrowheads.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "platform/frame_link.h"

namespace {

constexpr int kMinSpanSteps = 6;
constexpr int kMaxSpanSteps = 6400;

FcPoint2d Minus(const FcPoint2d& a, const FcPoint2d& b) { return {a.x - b.x, a.y - b.y}; }

FcPoint2d AlongVector(const FcPoint2d& from, const FcPoint2d& vector, double length) {
  return {from.x + length * vector.x, from.y + length * vector.y};
}

FcPoint2d MapVector(const FcMatrix2d& m, const FcPoint2d& v) { return {m.a * v.x + m.b * v.y, m.d * v.x + m.e * v.y}; }

// As many steps for one span of the spline path as keep its chords within
// the tolerance, judged by the span's middle control points.
int SpanSteps(const FcPoint2d& p1, const FcPoint2d& p2, double tolerance) {
  const double r = std::hypot(p1.x - p2.x, p1.y - p2.y) / 2.0;
  if (!(r > tolerance)) return kMinSpanSteps;
  const double a = 4.0 * std::atan(tolerance / std::sqrt(2.0 * r * tolerance - tolerance * tolerance));
  if (!(a > 0.0)) return kMinSpanSteps;
  const double steps = kPi / a;
  if (!(steps < kMaxSpanSteps)) return kMaxSpanSteps;
  return std::max(kMinSpanSteps, static_cast<int>(steps));
}

}  // namespace

FcLeader::FcLeader() {
  SetRecordName(kRecordName);
  SetKind(kEntityLeader);
  SetDwgType(kDwgType);
}

FcLeader::FcLeader(const FcLeader& other) : FcLeader() { Copy(&other); }

FcObject* FcLeader::Create() { return new (std::nothrow) FcLeader; }

void FcLeader::AppendVertex(const FcPoint2d& point) {
  GrowVertices(1);
  vertices_.push_back(point);
}

void FcLeader::SetVertex(int index, const FcPoint2d& point) {
  if (index < 0 || index >= GetVertexCount()) return;
  vertices_[static_cast<std::size_t>(index)] = point;
}

void FcLeader::RemoveLastVertex() {
  if (!vertices_.empty()) vertices_.pop_back();
}

void FcLeader::ClearVertices() {
  vertices_.clear();
  vertices_.shrink_to_fit();
}

void FcLeader::GrowVertices(std::size_t needed) {
  if (vertices_.size() + needed <= vertices_.capacity()) return;
  vertices_.reserve(vertices_.size() + (needed <= 4 ? 4 : needed + 4));
}

FcPoint2d FcLeader::HookVector() const {
  return hookDirection_ == 1 ? FcPoint2d{-horizontalDirection_.x, -horizontalDirection_.y} : horizontalDirection_;
}

bool FcLeader::Draw(FcDrawSink* sink) {
  FcDimStyle* style = ResolveDimStyle();
  if (sink == nullptr || style == nullptr) return true;
  FcPen pen;
  const FcPenContext context = sink->GetPenContext();
  if (!ResolvePen(*this, context, pen)) return true;
  FcStyleOverrideScope overrides(style, *this);
  pen = PenWithStyleColor(pen, style->GetDimClrd(), *this, context);
  sink->SetPen(pen);
  const int count = GetVertexCount();
  // The arrowhead and the hook need a segment to take their direction from.
  if (count < 2) return true;
  if (arrowhead_ == 1) DrawArrowhead(*sink, *style, pen);
  if (pathType_ == 1) {
    DrawSplinePath(*sink);
  } else {
    for (int i = 0; i + 1 < count; ++i) {
      sink->AddLine(vertices_[static_cast<std::size_t>(i)], vertices_[static_cast<std::size_t>(i) + 1], i, GetHandle());
    }
  }
  if (hookLine_ == 1) {
    const FcPoint2d& last = vertices_.back();
    sink->AddLine(last, AlongVector(last, HookVector(), annotationWidth_), count + 1, GetHandle());
  }
  return true;
}

void FcLeader::DrawArrowhead(FcDrawSink& sink, const FcDimStyle& style, const FcPen& pen) {
  FcGraph* graph = OwnerGraphOf(*this);
  if (graph == nullptr) return;
  const FcPoint2d& tip = vertices_[0];
  const FcPoint2d& second = vertices_[1];
  const double angle = std::atan2(tip.y - second.y, tip.x - second.x);
  // The arrowhead lives for this draw only: the handle it took goes back,
  // and it leaves the member list of the layer it is drawn on.
  const FcHandle seed = graph->GetHandleSeed();
  FcEntity* arrow = MakeArrowhead(*graph, style, 0, ArrowheadKind::kLeader, tip, angle);
  graph->GetHandleSeed() = seed;
  if (arrow == nullptr) return;
  if (GetLayer() != nullptr) arrow->SetLayer(GetLayer());
  if (FcLayer* layer = arrow->GetLayer()) layer->RemoveEntityHandle(arrow);
  arrow->SetHandle(GetHandle());
  arrow->SetLinetype(GetLinetype());
  arrow->SetColor(pen.color);
  arrow->Draw(&sink);
  delete arrow;
  sink.SetPen(pen);
}

void FcLeader::DrawSplinePath(FcDrawSink& sink) {
  const FcPoint2d startTangent = Minus(vertices_[1], vertices_[0]);
  const FcPoint2d& last = vertices_.back();
  const FcPoint2d& beforeLast = vertices_[vertices_.size() - 2];
  const double half = std::hypot(last.x - beforeLast.x, last.y - beforeLast.y) / 2.0;
  const FcPoint2d endTangent = AlongVector({}, HookVector(), half);
  FcPoint2dArray control;
  if (!InterpolatingSpline(vertices_, false, startTangent, endTangent, control)) return;
  const double tolerance = sink.CurveChordTolerance();
  FcPoint2dArray points;
  for (int i = 0; i + 3 < control.count; ++i) {
    CubicBSplineFit(control[i], control[i + 1], control[i + 2], control[i + 3],
                    SpanSteps(control[i + 1], control[i + 2], tolerance), points);
  }
  points.Add(last);
  sink.AddPolyline(points.data, points.count, false, GetHandle(), 0);
}

void FcLeader::MarkReferences() {
  FcEntity::MarkReferences();
  if (FcDimStyle* style = ResolveDimStyle()) {
    style->SetUnreferenced(false);
    style->MarkBlocksReferenced();
  }
}

FcEntity* FcLeader::Clone() const { return new (std::nothrow) FcLeader(*this); }

void FcLeader::CopyOwnFields(const FcLeader& other) {
  vertices_ = other.vertices_;
  arrowhead_ = other.arrowhead_;
  pathType_ = other.pathType_;
  creationFlag_ = other.creationFlag_;
  hookDirection_ = other.hookDirection_;
  hookLine_ = other.hookLine_;
  annotationWidth_ = other.annotationWidth_;
  annotationHeight_ = other.annotationHeight_;
  colorField_ = other.colorField_;
  horizontalDirection_ = other.horizontalDirection_;
  blockOffset_ = other.blockOffset_;
  annotationOffset_ = other.annotationOffset_;
}

void FcLeader::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* leader = dynamic_cast<const FcLeader*>(other);
  if (leader == nullptr) return;
  CopyOwnFields(*leader);
  style_ = leader->style_;
}

FcEntity* FcLeader::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcLeader::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* leader = dynamic_cast<const FcLeader*>(other);
  if (leader == nullptr) return;
  CopyOwnFields(*leader);
  style_.BindLike(leader->style_.style, target);
}

void FcLeader::Transform(const FcMatrix2d& matrix) {
  for (FcPoint2d& vertex : vertices_) TransformPoint(matrix, vertex);
  horizontalDirection_ = MapVector(matrix, horizontalDirection_);
  blockOffset_ = MapVector(matrix, blockOffset_);
  annotationOffset_ = MapVector(matrix, annotationOffset_);
  const FcPoint2d width = MapVector(matrix, {annotationWidth_, 0.0});
  const FcPoint2d height = MapVector(matrix, {0.0, annotationHeight_});
  annotationWidth_ = std::hypot(width.x, width.y);
  annotationHeight_ = std::hypot(height.x, height.y);
}

void FcLeader::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FormattedPoint direction = FormatPoint(horizontalDirection_, graph);
  PrintMessage("Horizontal direction : X= " + direction.x + "   Y=" + direction.y);
  for (const FcPoint2d& vertex : vertices_) {
    const FormattedPoint p = FormatPoint(vertex, graph);
    PrintMessage("  Vertex:   X= " + p.x + "   Y=" + p.y);
  }
  PrintMessage(hookLine_ == 1 ? "Hook Line: On" : "Hook Line: Off");
  PrintMessage(arrowhead_ == 1 ? "Arrow:     On" : "Arrow:     Off");
  PrintMessage(pathType_ == 1 ? "Path type: Spline" : "Path type: Straight");
  if (const FcDimStyle* style = ResolveDimStyle()) PrintMessage("dimension style: " + style->GetName());
}

void FcLeader::GetGripPoints(FcPoint2dArray& points) {
  const int hook = HasHookVertex() ? GetVertexCount() - 2 : -1;
  for (int i = 0; i < GetVertexCount(); ++i) {
    if (i != hook) points.Add(vertices_[static_cast<std::size_t>(i)]);
  }
}

int FcLeader::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  const int count = GetVertexCount();
  const int hook = HasHookVertex() ? count - 2 : -1;
  auto move = [this, &offset](int index) {
    FcPoint2d& vertex = vertices_[static_cast<std::size_t>(index)];
    vertex.x += offset.x;
    vertex.y += offset.y;
  };
  for (int i = 0; i < indices.count; ++i) {
    const int index = indices[i];
    if (index < 0 || index >= count) continue;
    move(index);
    if (index == hook) move(count - 1);
  }
  return indices.count;
}

void FcLeader::GetSnapSegments(int, const FcPoint2d&, int subIndex, const FcMatrix2d& matrix,
                               GeomSegmentList& segments) {
  const int count = GetVertexCount();
  if (count < 2) return;
  if (pathType_ == 1) {
    AppendLineSegment(segments, vertices_.front(), vertices_.back(), kLineExtentSegment, kOsnapEndpoint, matrix);
    return;
  }
  if (subIndex < 0 || subIndex >= count - 1) return;
  AppendLineSegment(segments, vertices_[static_cast<std::size_t>(subIndex)],
                    vertices_[static_cast<std::size_t>(subIndex) + 1], kLineExtentSegment, kSnapTagBoundedLine, matrix);
}
