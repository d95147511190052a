#pragma once

#include "core/point2d.h"
#include "database/entity.h"

// A straight segment between two world points; a zero-length line is
// valid. Its DWG record always carries z 0, thickness 0 and extrusion
// (0, 0, 1); what a file holds of those is dropped.
class FcLine : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 19;
  static constexpr const char* kRecordName = "LINE";
  static constexpr const char* kSubclassMarker = "AcDbLine";

  FcLine();
  // A line with the other's common data and points.
  FcLine(const FcLine& other);
  FcLine& operator=(const FcLine&) = delete;
  // Registered as "FcLine" and "LINE"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  // The points are taken only from another line.
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void Transform(const FcMatrix2d& matrix) override;
  // The common lines, then from point, to point, length and angle, deltas.
  void List() override;
  double GetLength() const override;
  // Start (0), middle (1), end (2).
  void GetGripPoints(FcPoint2dArray& points) override;
  // The middle grip moves the whole line and nothing else; otherwise grip 0
  // moves the start and any other grip the end. The number of indices.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  // Start (0), end (1).
  void GetStretchPoints(FcPoint2dArray& points) override;
  int MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  // The R13/R14 or release 2000 layout by the filer's version: 0, or 2 when
  // the data ends first.
  int ReadDwgData(FcFilerDwg& filer) override;
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // One bounded line record whatever the mode, pick point and sub-index.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  const FcPoint2d& GetStartPoint() const { return start_; }
  const FcPoint2d& GetEndPoint() const { return end_; }
  void SetStartPoint(const FcPoint2d& point) { start_ = point; }
  void SetEndPoint(const FcPoint2d& point) { end_ = point; }

 private:
  // The points, when the other entity is a line.
  void CopyOwnFields(const FcEntity* other);

  FcPoint2d start_;
  FcPoint2d end_;
};
