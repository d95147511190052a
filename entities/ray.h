#pragma once

#include "entities/unbounded_line.h"

// A half-infinite line from its base point along its direction.
class FcRay : public FcUnboundedLine {
 public:
  static constexpr DwgObjectType kDwgType = 40;
  static constexpr const char* kRecordName = "RAY";
  static constexpr const char* kSubclassMarker = "AcDbRay";

  FcRay();
  // An entity with the other's common data, base point and direction.
  FcRay(const FcRay& other);
  FcRay& operator=(const FcRay&) = delete;
  // Registered as "FcRay" and "RAY"; null when it cannot be allocated.
  static FcObject* Create();

  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // The base point (0), and the point a grip length along the direction (1).
  void GetGripPoints(FcPoint2dArray& points) override;
};
