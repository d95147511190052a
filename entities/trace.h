#pragma once

#include "entities/corner_entity.h"

// A filled quadrilateral made by the Trace command, which stores each
// segment's corners in outline order 1, 2, 3, 4. Its DXF and DWG records
// hold them in the solid's order (1, 2, 4, 3), as other programs write and
// expect them. Prints show the outline too.
class FcTrace : public FcCornerEntity {
 public:
  static constexpr DwgObjectType kDwgType = 32;
  static constexpr const char* kRecordName = "TRACE";
  static constexpr const char* kSubclassMarker = "AcDbTrace";

  FcTrace();
  // An entity with the other's common data and corners.
  FcTrace(const FcTrace& other);
  FcTrace& operator=(const FcTrace&) = delete;
  // Registered as "FcTrace" and "TRACE"; null when it cannot be allocated.
  static FcObject* Create();

  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
};
