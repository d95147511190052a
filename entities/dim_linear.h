#pragma once

#include "entities/dimension.h"

// A dimension of the true distance between two points (p13, p14), its
// dimension line through definition point 10 parallel to them.
class FcDimAligned : public FcDimension {
 public:
  static constexpr DwgObjectType kDwgType = 22;
  static constexpr const char* kAlignedMarker = "AcDbAlignedDimension";

  FcDimAligned();
  FcDimAligned(const FcDimAligned& other);
  FcDimAligned& operator=(const FcDimAligned&) = delete;
  static FcObject* Create();

  using FcDimension::Copy;
  using FcDimension::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // The points through the matrix, the rotation and slant turned with it;
  // then the block is built again.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // p13, p14, definition point 10, the end on extension line 1 and, unless
  // there is no text, the text midpoint.
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  void RebuildBlock() override;

  // The ends of the dimension line on extension lines 1 (d1) and 2 (d2):
  // false, the points untouched, when a line is parallel to the
  // extension lines.
  bool ComputeDimLine(FcPoint2d& d1, FcPoint2d& d2);
  void SetExtLine1Point(const FcPoint2d& point) { SetDefPoint13(point); }
  void SetExtLine2Point(const FcPoint2d& point) { SetDefPoint14(point); }

 protected:
  FcDimAligned(std::uint8_t type, DwgObjectType dwgType);
  // The direction the dimension measures along.
  virtual double MeasuringDirection() const;
  virtual double Measure() const;
  // Applies one moved grip; true when it was the text's.
  bool MoveOneGrip(int index, const FcPoint2d& offset);
  // The grips moved, definition point 10 squared against extension line 2
  // and the block built again.
  int FinishGripMove(bool textMoved);
};

// A dimension of the distance between two points along a direction (the
// rotation): horizontal, vertical and rotated dimensions.
class FcDimRotate : public FcDimAligned {
 public:
  static constexpr DwgObjectType kDwgType = 21;
  static constexpr const char* kRotatedMarker = "AcDbRotatedDimension";

  FcDimRotate();
  FcDimRotate(const FcDimRotate& other);
  FcDimRotate& operator=(const FcDimRotate&) = delete;
  static FcObject* Create();

  using FcDimAligned::Copy;
  using FcDimAligned::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // Another kind's data; the copy stays a rotated dimension.
  void Copy(const FcEntity* other) override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void List() override;
  // Only the first grip of the set is applied.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;

 protected:
  double MeasuringDirection() const override;
  double Measure() const override;
};
