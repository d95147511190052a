#pragma once

#include "entities/corner_entity.h"

// A four-sided face, drawn as its outline through corners 1, 2, 3, 4 and
// never filled.
class Fc3DFace : public FcCornerEntity {
 public:
  static constexpr DwgObjectType kDwgType = 28;
  static constexpr const char* kRecordName = "3DFACE";
  static constexpr const char* kSubclassMarker = "AcDbFace";

  Fc3DFace();
  // An entity with the other's common data and corners.
  Fc3DFace(const Fc3DFace& other);
  Fc3DFace& operator=(const Fc3DFace&) = delete;
  // Registered as "Fc3DFace" and "3DFACE"; null when it cannot be allocated.
  static FcObject* Create();

  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // Four lines along the edges, degenerate ones too, with the face's
  // layer, linetype, linetype scale, colour and visibility; true.
  bool Explode(FcEntitySets& target) override;
  // Without invisible-edge flags and with z 0: the first corner raw, the
  // others against the corner before.
  void WriteDwgData(FcFilerDwg& filer) override;
  // The R13/R14 or release 2000 layout by the filer's version: 0, or 2 when
  // the data ends first.
  int ReadDwgData(FcFilerDwg& filer) override;
};
