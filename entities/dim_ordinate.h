#pragma once

#include "entities/dimension.h"

// A feature point (p13) labelled with its X or Y distance from a datum
// (p10), at the end of a leader that runs to p14.
class FcDimOrdinate : public FcDimension {
 public:
  static constexpr DwgObjectType kDwgType = 20;
  static constexpr const char* kOrdinateMarker = "AcDbOrdinateDimension";

  FcDimOrdinate();
  FcDimOrdinate(const FcDimOrdinate& other);
  FcDimOrdinate& operator=(const FcDimOrdinate&) = delete;
  static FcObject* Create();

  using FcDimension::Copy;
  using FcDimension::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // p13, p14, p10 and, unless there is no text, the text midpoint.
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  void RebuildBlock() override;

  bool MeasuresX() const { return (GetDimType() & kDimOrdinateX) != 0; }
  void SetMeasuresX(bool x);

 private:
  void Layout();
};
