#pragma once

#include "core/point2d.h"
#include "database/entity.h"

// What rays and construction lines share: a base point and a unit
// direction. The display surface clips their primitives to the view; the
// entities never compute an end. Neither has a length or an area, and
// stretching goes through the grips.
class FcUnboundedLine : public FcEntity {
 public:
  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // The subclass marker, then base point (10, 20) and direction (11, 21).
  int WriteDxf(FcFiler& filer) override;
  // Group 10 is the base point, 11 the direction (made unit length).
  int ReadDxf(FcFiler& filer) override;
  // Base point and direction are taken only from an entity of the same
  // class.
  void Copy(const FcEntity* other) override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // Maps the base point; the direction becomes the image of the base point
  // plus the direction less the image of the base point, made unit length.
  void Transform(const FcMatrix2d& matrix) override;
  // The common lines, then base point, unit direction and angle in the
  // current UCS (ANGBASE and ANGDIR not applied).
  void List() override;
  // Grip 0 among the selection, or several grips, move the base point; a
  // direction grip alone (1 ahead, 2 behind the base point) turns the line
  // about the base point, the direction pointing to where the grip is
  // dragged. The number of indices; nothing moves without one.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  // Base point and direction as six BD with z 0; the direction is read as
  // stored. 0, or 2 when the data ends first.
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  // The one line record, answering no snap mode.
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // The line record, then the base point with the class's snap mode.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  const FcPoint2d& GetBasePoint() const { return basePoint_; }
  void SetBasePoint(const FcPoint2d& point) { basePoint_ = point; }
  const FcPoint2d& GetDirection() const { return direction_; }
  // Stores the vector divided by its length, or (1, 0) when the length is
  // not positive.
  void SetDirection(const FcPoint2d& vector);

  // The distance of the direction grips from the base point: one fifteenth
  // of the width of the current drawing's view, in whole pixels, as a world
  // length. It follows the zoom; grips keep no place of their own.
  static double GripLength();

 protected:
  FcUnboundedLine(const char* recordName, EntityKind kind, DwgObjectType dwgType,
                  const char* subclassMarker, int lineExtent, int basePointSnapMode);

  // The point L along the direction from the base point (backwards for a
  // negative L).
  FcPoint2d PointAlong(double length) const;

 private:
  void CopyOwnFields(const FcEntity* other);

  const char* subclassMarker_;
  int lineExtent_;
  int basePointSnapMode_;
  FcPoint2d basePoint_;
  FcPoint2d direction_{1.0, 0.0};
};
