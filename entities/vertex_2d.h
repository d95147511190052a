#pragma once

#include <cstdint>

#include "database/entity.h"

// The VERTEX record of a heavy polyline in DWG files. Only the polyline's
// DWG reader and writer make one, as a temporary record: it is never part
// of a drawing.
class Fc2DVertex : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 10;

  Fc2DVertex();

  FcEntity* Clone() const override { return nullptr; }
  FcEntity* CloneFromOtherGraph(FcGraph&) const override { return nullptr; }
  void Transform(const FcMatrix2d&) override {}
  void GetGripPoints(FcPoint2dArray&) override {}
  void GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) override {}
  void WriteDwgData(FcFilerDwg& filer) override;
  // A negative start width stands for both widths, with no end width
  // following. 0, or 2 on a short or non-finite record.
  int ReadDwgData(FcFilerDwg& filer) override;

  double x = 0.0;
  double y = 0.0;
  double startWidth = 0.0;
  double endWidth = 0.0;
  double bulge = 0.0;
  std::uint8_t flags = 0;
};
