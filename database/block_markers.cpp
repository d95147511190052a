#include "database/block_markers.h"

#include <functional>
#include <new>

#include "core/resbuf.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

// The marker readers: the common groups, their subclass marker, then the
// record's group loop.
int ReadMarkerGroups(FcEntity& entity, FcFiler& filer, std::string_view marker,
                     const std::function<int(const FcResBuf&)>& own) {
  if (entity.FcEntity::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  FcResBuf subclass;
  if (!filer.ReadGroup(subclass) || subclass.type != 100 || !EqualsNoCase(TextOf(subclass), marker)) {
    return kFcStatusEnd;
  }
  return ReadRecordGroups(entity, filer, own);
}

// Markers and sequence ends are copies of their common data alone.
template <typename Marker>
FcEntity* CloneMarker(const Marker& source) {
  auto* clone = new (std::nothrow) Marker();
  if (clone != nullptr) clone->Copy(&source);
  return clone;
}

template <typename Marker>
FcEntity* CloneMarkerInto(const Marker& source, FcGraph& target) {
  auto* clone = new (std::nothrow) Marker();
  if (clone != nullptr) clone->CopyFromOtherGraph(&source, target);
  return clone;
}

}  // namespace

FcBlockBegin::FcBlockBegin() {
  SetRecordName("BLOCK");
  SetKind(kEntityBlockBegin);
  SetDwgType(kDwgType);
}

FcObject* FcBlockBegin::Create() { return new (std::nothrow) FcBlockBegin(); }

int FcBlockBegin::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, "AcDbBlockBegin");
  filer.WriteString(2, blockName_);
  filer.WriteInt(70, blockFlags_);
  filer.WriteReal(10, basePoint_.x);
  filer.WriteReal(20, basePoint_.y);
  filer.WriteString(3, blockName_);
  filer.WriteString(1, "");
  return kFcStatusOk;
}

int FcBlockBegin::ReadDxf(FcFiler& filer) {
  return ReadMarkerGroups(*this, filer, "AcDbBlockBegin", [this](const FcResBuf& group) {
    switch (group.type) {
      case 2:
      case 3:
        blockName_ = TextOf(group);
        break;
      case 10:
        basePoint_ = {group.x, group.y};
        break;
      case 70:
        blockFlags_ = group.intValue;
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
}

FcEntity* FcBlockBegin::Clone() const { return CloneMarker(*this); }

void FcBlockBegin::CopyOwnFields(const FcBlockBegin& other) {
  blockName_ = other.blockName_;
  basePoint_ = other.basePoint_;
  blockFlags_ = other.blockFlags_;
}

void FcBlockBegin::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  if (const auto* begin = dynamic_cast<const FcBlockBegin*>(other)) CopyOwnFields(*begin);
}

FcEntity* FcBlockBegin::CloneFromOtherGraph(FcGraph& target) const { return CloneMarkerInto(*this, target); }

void FcBlockBegin::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  if (const auto* begin = dynamic_cast<const FcBlockBegin*>(other)) CopyOwnFields(*begin);
}

void FcBlockBegin::Transform(const FcMatrix2d& matrix) { TransformPoint(matrix, basePoint_); }

void FcBlockBegin::List() {}

void FcBlockBegin::GetGripPoints(FcPoint2dArray&) {}

int FcBlockBegin::MoveGripPoints(const CIntArray&, const FcPoint2d&) { return 0; }

void FcBlockBegin::WriteDwgData(FcFilerDwg& filer) { filer.WriteText(blockName_); }

int FcBlockBegin::ReadDwgData(FcFilerDwg& filer) {
  return filer.ReadText(blockName_) ? kFcStatusOk : kFcStatusReadError;
}

void FcBlockBegin::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) {}

FcBlockEnd::FcBlockEnd() {
  SetRecordName("ENDBLK");
  SetKind(kEntityBlockEnd);
  SetDwgType(kDwgType);
}

FcObject* FcBlockEnd::Create() { return new (std::nothrow) FcBlockEnd(); }

int FcBlockEnd::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, "AcDbBlockEnd");
  return kFcStatusOk;
}

int FcBlockEnd::ReadDxf(FcFiler& filer) {
  return ReadMarkerGroups(*this, filer, "AcDbBlockEnd", [](const FcResBuf&) { return kFcStatusOk; });
}

FcEntity* FcBlockEnd::Clone() const { return CloneMarker(*this); }

FcEntity* FcBlockEnd::CloneFromOtherGraph(FcGraph& target) const { return CloneMarkerInto(*this, target); }

void FcBlockEnd::Transform(const FcMatrix2d&) {}

void FcBlockEnd::List() {}

void FcBlockEnd::GetGripPoints(FcPoint2dArray&) {}

int FcBlockEnd::MoveGripPoints(const CIntArray&, const FcPoint2d&) { return 0; }

int FcBlockEnd::ReadDwgData(FcFilerDwg&) { return kFcStatusOk; }

void FcBlockEnd::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) {}

FcSeqend::FcSeqend() {
  SetRecordName("SEQEND");
  SetKind(kEntitySeqend);
  SetDwgType(kDwgType);
}

FcObject* FcSeqend::Create() { return new (std::nothrow) FcSeqend(); }

bool FcSeqend::Draw(FcDrawSink*) { return true; }

FcEntity* FcSeqend::Clone() const { return CloneMarker(*this); }

FcEntity* FcSeqend::CloneFromOtherGraph(FcGraph& target) const { return CloneMarkerInto(*this, target); }

void FcSeqend::Transform(const FcMatrix2d&) {}

bool FcSeqend::Explode(FcEntitySets&) { return true; }

void FcSeqend::GetGripPoints(FcPoint2dArray&) {}

int FcSeqend::MoveGripPoints(const CIntArray&, const FcPoint2d&) { return 0; }

int FcSeqend::ReadDwgData(FcFilerDwg&) { return kFcStatusOk; }

void FcSeqend::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) {}
