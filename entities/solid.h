#pragma once

#include "entities/corner_entity.h"

// A filled quadrilateral or triangle. Its outline runs corner 1, 2, 4, 3,
// as files store solids; a print shows the fill without the outline.
class FcSolid : public FcCornerEntity {
 public:
  static constexpr DwgObjectType kDwgType = 31;
  static constexpr const char* kRecordName = "SOLID";
  static constexpr const char* kSubclassMarker = "AcDbTrace";

  FcSolid();
  // An entity with the other's common data and corners.
  FcSolid(const FcSolid& other);
  FcSolid& operator=(const FcSolid&) = delete;
  // Registered as "FcSolid" and "SOLID"; null when it cannot be allocated.
  static FcObject* Create();

  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
};
