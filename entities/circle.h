#pragma once

#include "core/point2d.h"
#include "database/entity.h"

class FcFiler;
class FcFilerDwg;
struct FcResBuf;

// A full circle by centre and radius, in world coordinates. A zero radius
// is kept as read; a radius or centre that is not a finite number is
// refused by the readers.
class FcCircle : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 18;
  static constexpr const char* kRecordName = "CIRCLE";
  static constexpr const char* kSubclassMarker = "AcDbCircle";

  FcCircle();
  FcCircle(const FcCircle& other);
  FcCircle& operator=(const FcCircle&) = delete;
  // Registered as "FcCircle" and "CIRCLE"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  // Groups 10, 40 and 210; a circle whose extrusion is (0, 0, -1) was drawn
  // seen from below, so its centre's x is turned over into world x.
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  // Centre and radius of another circle or arc.
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // The radius follows the image of the unit x vector, so a non-uniform
  // matrix leaves a circle of that radius.
  void Transform(const FcMatrix2d& matrix) override;
  // The common lines, centre and radius; a circle adds circumference and
  // area.
  void List() override;
  double GetLength() const override;
  double GetArea() const override;
  // Centre (0), then the quadrant points at 0, 90, 180 and 270 degrees.
  void GetGripPoints(FcPoint2dArray& points) override;
  // The centre grip moves the centre; a quadrant grip sets the radius to the
  // distance of its moved point, unless that lands on the centre.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void GetStretchPoints(FcPoint2dArray& points) override;
  int MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  // 0, or 2 when the data end first or hold no finite circle.
  int ReadDwgData(FcFilerDwg& filer) override;
  // Two half circles, only under a matrix that keeps circles circular.
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // One full arc record, or the centre and quadrant points under a matrix
  // that does not keep circles circular.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  const FcPoint2d& GetCenter() const { return centre_; }
  void SetCenter(const FcPoint2d& centre) { centre_ = centre; }
  double GetRadius() const { return radius_; }
  void SetRadius(double radius) { radius_ = radius; }

 protected:
  FcCircle(const char* recordName, EntityKind kind, DwgObjectType dwgType);

  // The circle's own DXF groups; 210 only records whether the extrusion is
  // reversed.
  int ReadCircleGroup(const FcResBuf& group);
  // The circle's DWG data; false when it ends first. Tells whether the
  // extrusion read is (0, 0, -1).
  bool ReadDwgCircle(FcFilerDwg& filer, bool& reversedExtrusion);
  // Whether centre and radius are finite numbers and the radius not
  // negative.
  bool HasValidCircle() const;
  // Turns the centre from the coordinates of a reversed extrusion into
  // world coordinates.
  void FlipCentreX() { centre_.x = -centre_.x; }
  bool IsExtrusionReversed() const { return reversedExtrusion_; }
  void SetExtrusionReversed(bool reversed) { reversedExtrusion_ = reversed; }

 private:
  void CopyOwnFields(const FcEntity* other);
  // The record of the arc from start to end angle through a matrix that
  // keeps circles circles.
  GeomSegment ArcSegment(const FcMatrix2d& matrix, int snapModes, double startAngle, double endAngle) const;

  FcPoint2d centre_;
  double radius_ = 0.0;
  // Only while a DXF record is read.
  bool reversedExtrusion_ = false;
};

// Whether an extrusion read from a file is (0, 0, -1) within the tolerance.
bool IsReversedExtrusion(double x, double y, double z);
