#pragma once

#include "core/point2d.h"
#include "database/entity.h"

// A point, drawn as the marker figure that PDMODE and PDSIZE choose, turned
// clockwise by its angle. It has no length, area or boundary.
class FcPointEnt : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 27;
  static constexpr const char* kRecordName = "POINT";
  static constexpr const char* kSubclassMarker = "AcDbPoint";

  FcPointEnt();
  // An entity with the other's common data, location and angle.
  FcPointEnt(const FcPointEnt& other);
  FcPointEnt& operator=(const FcPointEnt&) = delete;
  // Registered as "FcPointEnt" and "POINT"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  // Continuous, whatever the linetype; a dot on a layer named "Defpoints".
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  // Location and angle are taken only from another point.
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // Maps the location; the angle stays.
  void Transform(const FcMatrix2d& matrix) override;
  // The common lines, then the location.
  void List() override;
  // The location (0).
  void GetGripPoints(FcPoint2dArray& points) override;
  // Moves the location when any grip is selected; the number of indices.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  // 0, or 2 when the data ends first.
  int ReadDwgData(FcFilerDwg& filer) override;
  // One node record whatever the mode, pick point and sub-index.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  const FcPoint2d& GetLocation() const { return location_; }
  void SetLocation(const FcPoint2d& location) { location_ = location; }
  // Radians.
  double GetAngle() const { return angle_; }
  void SetAngle(double angle) { angle_ = angle; }

 private:
  void CopyOwnFields(const FcEntity* other);

  FcPoint2d location_;
  double angle_ = 0.0;
};
