#pragma once

#include <new>

#include "core/matrix2d.h"
#include "database/entity.h"
#include "filers/filer_dwg.h"

// The smallest concrete entity: one point, and in its DWG data the kind and
// the sequence flags, so that a chain read back keeps its structure. It can
// stand for a block reference by naming a block.
class TestEntity : public FcEntity {
 public:
  static constexpr const char* kRecordName = "TESTENT";

  TestEntity() {
    SetRecordName(kRecordName);
    SetKind(kEntityLine);
  }
  static FcObject* Create() { return new (std::nothrow) TestEntity(); }

  using FcEntity::SetKind;

  FcEntity* Clone() const override {
    auto* clone = new TestEntity();
    clone->Copy(this);
    clone->point = point;
    return clone;
  }
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override {
    auto* clone = new TestEntity();
    clone->CopyFromOtherGraph(this, target);
    clone->point = point;
    return clone;
  }
  void Transform(const FcMatrix2d& matrix) override { TransformPoint(matrix, point); }
  void GetGripPoints(FcPoint2dArray& points) override { points.Add(point); }
  void GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) override {}
  FcBlock* GetReferencedBlock() const override { return referenced; }

  void WriteDwgData(FcFilerDwg& filer) override {
    filer.WriteBitShort(GetKind());
    filer.WriteBit(GetEntitiesFollow() == 1 ? 1 : 0);
    filer.WriteBit(IsSubEntity() ? 1 : 0);
    filer.WriteBitDouble(point.x);
  }
  int ReadDwgData(FcFilerDwg& filer) override {
    std::int16_t kind = 0;
    std::uint8_t follows = 0;
    std::uint8_t sub = 0;
    if (!filer.ReadBitShort(kind) || !filer.ReadBit(follows) || !filer.ReadBit(sub) ||
        !filer.ReadBitDouble(point.x)) {
      return kFcStatusReadError;
    }
    SetKind(kind);
    SetEntitiesFollow(follows);
    SetSubEntity(sub != 0);
    return kFcStatusOk;
  }
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle a, FcHandle b, FcHandle c) override {
    if (GetEntitiesFollow() != 1) return;
    for (FcHandle handle : {a, b, c}) filer.WriteHandleRef(4, 0, handle);
  }
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& a, FcHandle& b, FcHandle& c) override {
    if (GetEntitiesFollow() != 1) return kFcStatusOk;
    for (FcHandle* handle : {&a, &b, &c}) {
      if (!filer.ReadHandleRef(*handle, 0)) return kFcStatusReadError;
    }
    return kFcStatusOk;
  }

  FcPoint2d point;
  FcBlock* referenced = nullptr;
};
