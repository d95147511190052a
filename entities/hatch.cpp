#include "entities/hatch.h"

#include <new>

#include "database/entity_sets.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "entities/line.h"
#include "platform/frame_link.h"

namespace {

// Where a sink has no view to say how fine the rings must be, a
// thousandth of the hatch's size is fine enough to see.
double FallbackTolerance(FcHatchEdgeList& loops) {
  FcPoint2d min;
  FcPoint2d max;
  loops.GetExtents(min, max);
  const double size = std::max(max.x - min.x, max.y - min.y);
  return size > 0.0 ? size * 1e-3 : 1e-3;
}

}  // namespace

FcHatch::FcHatch() {
  SetRecordName(kRecordName);
  SetKind(kEntityHatch);
  SetDwgType(kDwgType);
}

FcHatch::FcHatch(const FcHatch& other) : FcHatch() { Copy(&other); }

FcObject* FcHatch::Create() { return new (std::nothrow) FcHatch; }

void FcHatch::Clear() {
  loops_.RemoveAll();
  pattern_.Clear();
  seeds_.clear();
  FreeDisplayCache();
}

void FcHatch::FreeDisplayCache() {
  segments_.clear();
  FreeFillPolygons();
}

void FcHatch::FreeFillPolygons() {
  fillPoints_.clear();
  ringCounts_.clear();
}

void FcHatch::BuildFillPolygons(double tolerance) {
  FreeFillPolygons();
  std::vector<FcPoint2d> ring;
  for (const auto& loop : loops_.GetLoops()) {
    ring.clear();
    if (!loop->AppendPoints(tolerance, ring) || ring.size() <= 2) continue;
    fillPoints_.insert(fillPoints_.end(), ring.begin(), ring.end());
    ringCounts_.push_back(static_cast<std::int32_t>(ring.size()));
  }
}

void FcHatch::GenerateSegments() {
  segments_.clear();
  pattern_.GenerateSegments(loops_, segments_);
  segments_.shrink_to_fit();
}

bool FcHatch::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  const bool printing = sink->GetContext().printing;
  if (printing) FreeDisplayCache();
  if (solid_ != 0) {
    segments_.clear();
    if (ringCounts_.empty()) {
      const double tolerance = sink->CurveChordTolerance();
      BuildFillPolygons(tolerance > 0.0 ? tolerance : FallbackTolerance(loops_));
    }
    if (!ringCounts_.empty()) {
      sink->AddPolyPolygon(fillPoints_.data(), ringCounts_.data(), static_cast<int>(ringCounts_.size()),
                           GetHandle(), 0);
    }
  } else {
    if (segments_.empty()) GenerateSegments();
    if (pattern_.GetType() != kPatternUserDefined) sink->SetContinuousLinetype();
    for (std::size_t i = 0; i < segments_.size(); ++i) {
      sink->AddLine(segments_[i].start, segments_[i].end, static_cast<int>(i + 1), GetHandle());
    }
  }
  if (printing) FreeDisplayCache();
  return true;
}

FcEntity* FcHatch::Clone() const { return new (std::nothrow) FcHatch(*this); }

void FcHatch::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcHatch::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcHatch::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcHatch::CopyOwnFields(const FcEntity* other) {
  const auto* hatch = dynamic_cast<const FcHatch*>(other);
  if (hatch == nullptr || hatch == this) return;
  Clear();
  loops_.CopyFrom(hatch->loops_);
  pattern_.CopyFrom(hatch->pattern_);
  solid_ = hatch->solid_;
  seeds_ = hatch->seeds_;
  segments_ = hatch->segments_;
}

void FcHatch::Transform(const FcMatrix2d& matrix) {
  loops_.Transform(matrix);
  pattern_.Transform(matrix);
  for (HatchSegment& segment : segments_) {
    TransformPoint(matrix, segment.start);
    TransformPoint(matrix, segment.end);
  }
  for (FcPoint2d& seed : seeds_) TransformPoint(matrix, seed);
  FreeFillPolygons();
}

void FcHatch::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  PrintMessage("  Hatch pattern : " + pattern_.GetName());
  PrintMessage("  Hatch scale : " + FormatDrawingDistance(pattern_.GetScale(), graph));
  PrintMessage("  Hatch angle : " + FormatDrawingAngle(pattern_.GetAngle(), graph));
}

bool FcHatch::Explode(FcEntitySets& target) {
  if (solid_ != 0) return false;
  GenerateSegments();
  for (const HatchSegment& segment : segments_) {
    auto* line = new (std::nothrow) FcLine;
    if (line == nullptr) return false;
    line->SetStartPoint(segment.start);
    line->SetEndPoint(segment.end);
    line->CopyProperties(this);
    if (pattern_.GetType() != kPatternUserDefined) line->SetLinetype(nullptr);
    if (!target.Add(line)) delete line;
  }
  return true;
}

void FcHatch::GetGripPoints(FcPoint2dArray& points) {
  FcPoint2d min;
  FcPoint2d max;
  loops_.GetExtents(min, max);
  points.AddXY((min.x + max.x) / 2.0, (min.y + max.y) / 2.0);
}

void FcHatch::GetSnapSegments(int, const FcPoint2d&, int subIndex, const FcMatrix2d& matrix,
                              GeomSegmentList& segments) {
  if (subIndex < 1 || static_cast<std::size_t>(subIndex) > segments_.size()) return;
  const HatchSegment& segment = segments_[static_cast<std::size_t>(subIndex) - 1];
  AppendLineSegment(segments, segment.start, segment.end, kLineExtentSegment, kSnapTagPatternLine, matrix);
}
