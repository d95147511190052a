#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/point2d.h"
#include "database/entity.h"

// Opens a block definition: the block's name, base point and flags. Every
// block record owns one.
class FcBlockBegin : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 4;

  FcBlockBegin();
  static FcObject* Create();

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // Moves the base point only.
  void Transform(const FcMatrix2d& matrix) override;
  // Prints nothing.
  void List() override;
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  const std::string& GetBlockName() const { return blockName_; }
  void SetBlockName(std::string_view name) { blockName_.assign(name); }
  const FcPoint2d& GetBasePoint() const { return basePoint_; }
  void SetBasePoint(const FcPoint2d& point) { basePoint_ = point; }
  std::int32_t GetBlockFlags() const { return blockFlags_; }
  void SetBlockFlags(std::int32_t flags) { blockFlags_ = flags; }

 private:
  void CopyOwnFields(const FcBlockBegin& other);

  std::string blockName_;
  FcPoint2d basePoint_;
  std::int32_t blockFlags_ = 0;
};

// Closes a block definition. Every block record owns one.
class FcBlockEnd : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 5;

  FcBlockEnd();
  static FcObject* Create();

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void Transform(const FcMatrix2d& matrix) override;
  // Prints nothing.
  void List() override;
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;
};

// Closes a run of sub-entities: the attributes after a block reference, or
// the vertices of a polyline in files.
class FcSeqend : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 6;

  FcSeqend();
  static FcObject* Create();

  // Draws nothing and sets no pen.
  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void Transform(const FcMatrix2d& matrix) override;
  // Succeeds, producing nothing.
  bool Explode(FcEntitySets& target) override;
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;
};
