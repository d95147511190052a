#pragma once

#include "entities/unbounded_line.h"

// A construction line: without end both ways through its base point.
class FcXLine : public FcUnboundedLine {
 public:
  static constexpr DwgObjectType kDwgType = 41;
  static constexpr const char* kRecordName = "XLINE";
  static constexpr const char* kSubclassMarker = "AcDbXline";

  FcXLine();
  // An entity with the other's common data, base point and direction.
  FcXLine(const FcXLine& other);
  FcXLine& operator=(const FcXLine&) = delete;
  // Registered as "FcXLine" and "XLINE"; null when it cannot be allocated.
  static FcObject* Create();

  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // The base point (0), and the points a grip length along the direction
  // (1) and against it (2).
  void GetGripPoints(FcPoint2dArray& points) override;
};
