#pragma once

#include <vector>

#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "database/entity.h"

class FcFiler;
class FcFilerDwg;
struct FcResBuf;

// A full ellipse or an elliptic arc in world coordinates. It keeps the file
// form (major-axis vector and minor/major ratio) beside the derived radii
// and rotation. Its arc limits are polar angles measured counter-clockwise
// from the major axis; the files carry the eccentric-anomaly parameters,
// converted on the way in and out. The ellipse is full when the end angle
// lies a whole turn or more beyond the start.
class FcEllipse : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 35;
  static constexpr const char* kRecordName = "ELLIPSE";
  static constexpr const char* kSubclassMarker = "AcDbEllipse";

  // The unit circle as a full ellipse.
  FcEllipse();
  FcEllipse(const FcEllipse& other);
  FcEllipse& operator=(const FcEllipse&) = delete;
  // Registered as "FcEllipse" and "ELLIPSE"; null when it cannot be
  // allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  // A record whose major axis is zero or whose ratio is not positive, or
  // that holds a value that is no finite number, is refused (2). A ratio
  // above 1 exchanges the axes, which keeps the curve.
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // The centre and the end of the major axis follow the matrix; the ratio
  // stays, so a matrix that does not keep circles circular is approximated.
  // The arc's ends follow their images; a mirror exchanges them.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // 0: an ellipse gives no length.
  double GetLength() const override;
  // The whole area, or for an arc the area between the curve and its chord.
  double GetArea() const override;
  // The centre (0); then for a full ellipse the axis ends at 0, 90, 180 and
  // 270 degrees from the major axis, for an arc its start, its end and the
  // axis ends that lie on it.
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  // The centre, and for an arc its start and end.
  void GetStretchPoints(FcPoint2dArray& points) override;
  int MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  // 0, or 2 when the data end first or hold no ellipse (as for DXF).
  int ReadDwgData(FcFilerDwg& filer) override;
  // The touching point of the tangent from the base point that lies on the
  // curve, the one nearer the pick point of two.
  void GetTangentPoints(const FcPoint2d* basePoint, const FcPoint2d& pickPoint, int parameter,
                        const FcMatrix2d& matrix, FcPoint2d& out, int& mode) override;
  // The curve as chords, for the search of hatch boundaries.
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // One curve record, the centre, then the axis ends (and an arc's ends).
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;
  // Crossing with a line record, only under a matrix that keeps circles
  // circular; of two the one nearer the pick point.
  bool IntersectWithSegment(const FcPoint2d& pickPoint, int parameter, const FcMatrix2d& matrix,
                            const GeomSegment& other, FcPoint2d& out) override;

  const FcPoint2d& GetCenter() const { return centre_; }
  void SetCenter(const FcPoint2d& centre) { centre_ = centre; }
  const FcPoint2d& GetMajorAxis() const { return majorAxis_; }
  // Ignored for the zero vector or one that is not finite.
  void SetMajorAxis(const FcPoint2d& axis);
  double GetRadiusRatio() const { return ratio_; }
  // Ignored unless in (0, 1].
  void SetRadiusRatio(double ratio);
  double GetMajorRadius() const { return majorRadius_; }
  double GetMinorRadius() const { return minorRadius_; }
  double GetRotation() const { return rotation_; }
  // Polar angles from the major axis.
  double GetStartAngle() const { return startAngle_; }
  double GetEndAngle() const { return endAngle_; }
  // Absolute directions from the centre: stored less the rotation, then
  // normalised.
  void SetStartAngle(double angle);
  void SetEndAngle(double angle);
  // Both into [0, 2*pi), then the end raised by whole turns until it is
  // above the start (equal angles give a full ellipse).
  void NormalizeAngles();
  // Polar angles from the two file parameters; the caller normalises.
  void SetAnglesFromParams(double startParameter, double endParameter);
  // The file parameters: start in [0, 2*pi), end above it by at most a
  // whole turn (0 and 2*pi for a full ellipse).
  void GetParams(double& startParameter, double& endParameter) const;
  bool IsFull() const;
  // The point at a polar angle from the major axis.
  FcPoint2d GetPointAtAngle(double angle) const;

 private:
  // What a record holds before it is checked and made into an ellipse.
  struct FileForm {
    FcPoint2d centre;
    FcPoint2d major;
    double ratio = 1.0;
    double startParameter = 0.0;
    double endParameter = kTwoPi;
    bool reversed = false;
  };

  void CopyOwnFields(const FcEntity* other);
  // The chord chain of the curve within the tolerance (a closed ring for a
  // full ellipse, without its closing vertex); empty for no ellipse.
  std::vector<PolylineVertex> ChordVertices(double tolerance) const;
  int ReadEllipseGroup(const FcResBuf& group, FileForm& form);
  // False for data that make no ellipse.
  bool TakeFileForm(FileForm form);
  // The axis ends at polar angles 0, pi/2, pi, 3*pi/2 that the curve
  // passes (all four for a full ellipse), with their quadrant numbers.
  int AxisPointsOnCurve(FcPoint2d (&points)[4], int (&quadrants)[4]) const;
  bool HasAngleOnCurve(double angle) const;
  // The ellipse as the matrix maps it, the ratio kept.
  FcEllipse Mapped(const FcMatrix2d& matrix) const;
  // The arc end (0 start, 1 end) moved to the direction of the point.
  void MoveArcEnd(int which, const FcPoint2d& point);
  void MoveMajorAxisEnd(int quadrant, const FcPoint2d& point);
  void MoveMinorAxisEnd(int quadrant, const FcPoint2d& point);
  // Grip index to what it moves: -1 none, 0 centre, 1 start, 2 end, or
  // 10 + the quadrant of an axis end.
  int GripRole(int index) const;
  void MoveByRole(int role, const FcPoint2d& point);

  double majorRadius_ = 1.0;
  double minorRadius_ = 1.0;
  double rotation_ = 0.0;
  FcPoint2d centre_;
  FcPoint2d majorAxis_{1.0, 0.0};
  double ratio_ = 1.0;
  double startAngle_ = 0.0;
  double endAngle_ = kTwoPi;
};
