#pragma once

#include "core/geom_segment.h"
#include "entities/circle.h"

// A circular arc running counter-clockwise from its start angle to its end
// angle (radians). After normalisation the start lies in [0, 2*pi) and the
// end above it, by less than a full turn unless the two were equal, which
// makes a full turn.
class FcArc : public FcCircle {
 public:
  static constexpr DwgObjectType kDwgType = 17;
  static constexpr const char* kRecordName = "ARC";
  static constexpr const char* kArcSubclassMarker = "AcDbArc";

  FcArc();
  FcArc(const FcArc& other);
  FcArc& operator=(const FcArc&) = delete;
  // Registered as "FcArc" and "ARC"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  // An arc whose extrusion is (0, 0, -1) runs clockwise in world
  // coordinates about a centre whose x is turned over: it is stored as the
  // same curve in world terms.
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  // The circle's fields, then the angles when the other is an arc.
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // Each angle follows the image of its radius vector; a mirror exchanges
  // start and end so that the arc still runs counter-clockwise.
  void Transform(const FcMatrix2d& matrix) override;
  // The circle's lines, then start angle, end angle and length.
  void List() override;
  double GetLength() const override;
  // The segment between the arc and its chord.
  double GetArea() const override;
  // Start (0), middle (1), end (2).
  void GetGripPoints(FcPoint2dArray& points) override;
  // One grip at a time: the arc is rebuilt through the moved grip and the
  // other two, and left as it is when they are collinear.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  // Start (0), end (1).
  void GetStretchPoints(FcPoint2dArray& points) override;
  // Both ends move the whole arc; one end is rebuilt as for grips.
  int MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  // One arc record, only under a matrix that keeps circles circular.
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // One arc record, or the centre and the quadrant points on the arc under
  // a matrix that does not keep circles circular.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  double GetStartAngle() const { return startAngle_; }
  double GetEndAngle() const { return endAngle_; }
  void SetStartAngle(double angle);
  void SetEndAngle(double angle);
  // Both angles into [0, 2*pi), then the end raised by whole turns until it
  // is above the start.
  void NormalizeAngles();
  FcPoint2d GetStartPoint() const;
  FcPoint2d GetEndPoint() const;

 private:
  void CopyOwnFields(const FcEntity* other);
  FcPoint2d PointAt(double angle) const;
  // The arc through the three points, ordered so that it passes through
  // the middle one; unchanged when they are collinear or coincide.
  void RebuildThrough(const FcPoint2d& start, const FcPoint2d& middle, const FcPoint2d& end);
  // The angles of a reversed extrusion's arc in world terms (the centre is
  // turned over by the circle's part).
  void MirrorAnglesOfReversedExtrusion();
  // Whether the angles are finite numbers.
  bool HasValidAngles() const;
  GeomSegment ArcRecord(int snapModes, const FcMatrix2d& matrix) const;

  double startAngle_ = 0.0;
  double endAngle_ = 0.0;
};
