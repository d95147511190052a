#include "entities/line.h"

#include <cmath>
#include <new>

#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

void AddOffset(FcPoint2d& point, const FcPoint2d& offset) {
  point.x += offset.x;
  point.y += offset.y;
}

// Grip 0 and stretch point 0 are the start; every other index is the end.
int MoveEnds(FcPoint2d& start, FcPoint2d& end, const CIntArray& indices, const FcPoint2d& offset) {
  for (int i = 0; i < indices.count; ++i) AddOffset(indices[i] == 0 ? start : end, offset);
  return indices.count;
}

// The R13 and R14 layout: both points as three BD each, then thickness and
// extrusion.
bool ReadDwgPointsR14(FcFilerDwg& filer, FcPoint2d& start, FcPoint2d& end) {
  double z = 0.0;
  return filer.ReadBitDouble(start.x) && filer.ReadBitDouble(start.y) && filer.ReadBitDouble(z) &&
         filer.ReadBitDouble(end.x) && filer.ReadBitDouble(end.y) && filer.ReadBitDouble(z);
}

// The release 2000 layout: each end coordinate against the start's.
bool ReadDwgPoints2000(FcFilerDwg& filer, FcPoint2d& start, FcPoint2d& end) {
  std::uint8_t zeroZ = 0;
  if (!filer.ReadBit(zeroZ) || !filer.ReadRawDouble(start.x) ||
      !filer.ReadDefaultDouble(start.x, end.x) || !filer.ReadRawDouble(start.y) ||
      !filer.ReadDefaultDouble(start.y, end.y)) {
    return false;
  }
  if (zeroZ != 0) return true;
  double startZ = 0.0;
  double endZ = 0.0;
  return filer.ReadRawDouble(startZ) && filer.ReadDefaultDouble(startZ, endZ);
}

}  // namespace

FcLine::FcLine() {
  SetRecordName(kRecordName);
  SetKind(kEntityLine);
  SetDwgType(kDwgType);
}

FcLine::FcLine(const FcLine& other) : FcLine() { Copy(&other); }

FcObject* FcLine::Create() { return new (std::nothrow) FcLine; }

int FcLine::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  WriteDxfPoint(filer, 10, start_);
  WriteDxfPoint(filer, 11, end_);
  return kFcStatusOk;
}

int FcLine::ReadDxf(FcFiler& filer) {
  return ReadEntityDxf(*this, filer, kSubclassMarker, [this](const FcResBuf& group) {
    if (group.type == 10) start_ = {group.x, group.y};
    if (group.type == 11) end_ = {group.x, group.y};
    return kFcStatusOk;
  });
}

bool FcLine::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  sink->AddLine(start_, end_, 0, GetHandle());
  return true;
}

FcEntity* FcLine::Clone() const { return new (std::nothrow) FcLine(*this); }

void FcLine::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcLine::CloneFromOtherGraph(FcGraph& target) const {
  FcLine* clone = new (std::nothrow) FcLine;
  if (clone != nullptr) clone->CopyFromOtherGraph(this, target);
  return clone;
}

void FcLine::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcLine::CopyOwnFields(const FcEntity* other) {
  const auto* line = dynamic_cast<const FcLine*>(other);
  if (line == nullptr) return;
  start_ = line->start_;
  end_ = line->end_;
}

void FcLine::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, start_);
  TransformPoint(matrix, end_);
}

void FcLine::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const FormattedPoint from = FormatPoint(start_, graph);
  const FormattedPoint to = FormatPoint(end_, graph);
  PrintMessage("  From point: X= " + from.x + "    Y= " + from.y);
  PrintMessage("  To point: X= " + to.x + "    Y= " + to.y);
  PrintMessage("  Length = " + FormatDrawingDistance(GetLength(), graph) + "  ,  Angle = " +
               FormatDrawingAngle(UcsDirectionAngle(start_, end_, graph), graph));
  const FcPoint2d ucsStart = WorldToUcsPoint(start_, graph);
  const FcPoint2d ucsEnd = WorldToUcsPoint(end_, graph);
  PrintMessage("  Delta X = " + FormatDrawingDistance(ucsEnd.x - ucsStart.x, graph) +
               "  ,  Delta Y = " + FormatDrawingDistance(ucsEnd.y - ucsStart.y, graph));
}

double FcLine::GetLength() const {
  const double dx = start_.x - end_.x;
  const double dy = start_.y - end_.y;
  return std::sqrt(dx * dx + dy * dy);
}

void FcLine::GetGripPoints(FcPoint2dArray& points) {
  points.Add(start_);
  points.AddXY((start_.x + end_.x) / 2.0, (start_.y + end_.y) / 2.0);
  points.Add(end_);
}

int FcLine::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.Find(1) < 0) return MoveEnds(start_, end_, indices, offset);
  FcMatrix2d translation;
  TranslationMatrix(offset.x, offset.y, translation);
  Transform(translation);
  return indices.count;
}

void FcLine::GetStretchPoints(FcPoint2dArray& points) {
  points.Add(start_);
  points.Add(end_);
}

int FcLine::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  return MoveEnds(start_, end_, indices, offset);
}

void FcLine::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBit(1);
  filer.WriteRawDouble(start_.x);
  filer.WriteDefaultDouble(start_.x, end_.x);
  filer.WriteRawDouble(start_.y);
  filer.WriteDefaultDouble(start_.y, end_.y);
  filer.WriteBit(1);
  filer.WriteBit(1);
}

int FcLine::ReadDwgData(FcFilerDwg& filer) {
  FcPoint2d start;
  FcPoint2d end;
  const bool pointsRead = filer.GetVersion() >= FcFilerDwg::kVersion2000
                              ? ReadDwgPoints2000(filer, start, end)
                              : ReadDwgPointsR14(filer, start, end);
  double thickness = 0.0;
  double extrusion[3] = {};
  if (!pointsRead || !filer.ReadThickness(thickness) || !filer.ReadExtrusion(extrusion)) {
    return kFcStatusReadError;
  }
  start_ = start;
  end_ = end;
  return kFcStatusOk;
}

void FcLine::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  AppendLineSegment(segments, start_, end_, kLineExtentSegment, kSnapTagBoundary, matrix);
}

void FcLine::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix,
                             GeomSegmentList& segments) {
  AppendLineSegment(segments, start_, end_, kLineExtentSegment, kSnapTagBoundedLine, matrix);
}
