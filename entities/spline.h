#pragma once

#include <cstdint>
#include <vector>

#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "database/entity.h"

class FcFiler;
class FcFilerDwg;
struct FcResBuf;

// Bits of FcSPline's flags.
inline constexpr std::int16_t kSplineClosed = 1;
inline constexpr std::int16_t kSplinePeriodic = 2;
inline constexpr std::int16_t kSplineRational = 4;
inline constexpr std::int16_t kSplinePlanar = 8;

// A planar rational B-spline, given either by fit points (with optional end
// tangents), from which the control points, knots and weights are derived,
// or directly by control points, knots and weights. While it has more than
// one fit point the control data are derived: any change of the fit points
// drops them and the next use computes them again. A spline with at most
// one fit point and at most one control point is empty: it draws nothing
// and is not written.
class FcSPline : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 36;
  static constexpr const char* kRecordName = "SPLINE";
  static constexpr const char* kSubclassMarker = "AcDbSpline";

  FcSPline();
  FcSPline(const FcSPline& other);
  FcSPline& operator=(const FcSPline&) = delete;
  // Registered as "FcSPline" and "SPLINE"; null when it cannot be
  // allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // A fit-point spline is written with its derived control data as well,
  // so that every count written describes the groups that follow it.
  int WriteDxf(FcFiler& filer) override;
  // Control data that do not make a curve (degree, knot count, knot order,
  // values that are no finite numbers) are dropped when fit points give
  // the curve, and refuse the record (2) otherwise.
  int ReadDxf(FcFiler& filer) override;
  // The curve, and its control polygon while SPLFRAME is on.
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // Points through the matrix, tangents through its linear part; knots and
  // weights stay.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // Of the outline the curve closes with its chord, evaluated finer until
  // two results agree within 0.001.
  double GetArea() const override;
  // The fit points, then the control points when there are no fit points
  // or SPLFRAME is on.
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  // 0, or 2 when the data end first or the control data make no curve.
  int ReadDwgData(FcFilerDwg& filer) override;
  // The first control point, and the last one of an open spline. (A
  // spline gives no boundary records: hatch boundaries are searched along
  // lines and arcs only.)
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  void AppendFitPoint(const FcPoint2d& point);
  // After the fit point at the index; at or past the last one appends;
  // a negative index is ignored.
  void InsertFitPoint(const FcPoint2d& point, int index);
  // Only with at least three fit points.
  void RemoveFitPoint(int index);
  // Nothing without fit points; removing the only one empties the spline.
  void RemoveLastFitPoint();
  // Nothing without fit points.
  void MoveLastFitPoint(const FcPoint2d& point);
  void ClearFitPoints() { fitPoints_.clear(); }
  const FcPoint2d* FirstFitPoint() const { return fitPoints_.empty() ? nullptr : &fitPoints_.front(); }
  const FcPoint2d* LastFitPoint() const { return fitPoints_.empty() ? nullptr : &fitPoints_.back(); }
  // Ignored for a negative weight, an index out of range, or a weight of at
  // most 1e-7 at either end; otherwise the spline becomes a control-point
  // spline.
  void SetWeight(double weight, int index);
  void AppendControlPoint(const FcPoint2d& point) { controlPoints_.push_back(point); }
  // Knots of a clamped cubic over the control points, weights 1.
  void MakeUniformKnots();
  bool CanClose() const;
  void Close();
  void Open();
  // Drops the curve points, and the derived control data of a fit-point
  // spline.
  void InvalidateCurve();
  // Drops each fit point equal to its predecessor, only with three or more.
  void RemoveDuplicateFitPoints();
  // The cubic through the fit points (consecutive duplicates ignored).
  void ComputeControlPoints();
  // As many weights as control points, missing ones 1.0.
  void FillWeights();
  void Clear();

  const std::vector<FcPoint2d>& GetFitPoints() const { return fitPoints_; }
  const std::vector<FcPoint2d>& GetControlPoints() const { return controlPoints_; }
  const std::vector<double>& GetKnots() const { return knots_; }
  const std::vector<double>& GetWeights() const { return weights_; }
  const std::vector<PolylineVertex>& GetCurvePoints() const { return curvePoints_; }
  const FcPoint2d& GetStartTangent() const { return startTangent_; }
  const FcPoint2d& GetEndTangent() const { return endTangent_; }
  void SetStartTangent(const FcPoint2d& tangent) { startTangent_ = tangent; }
  void SetEndTangent(const FcPoint2d& tangent) { endTangent_ = tangent; }
  std::int16_t GetFlags() const { return flags_; }
  std::int16_t GetDegree() const { return degree_; }
  bool IsEmpty() const { return fitPoints_.size() <= 1 && controlPoints_.size() <= 1; }
  bool IsClosed() const { return (flags_ & kSplineClosed) != 0; }
  // Marks a fit-point spline whose last fit point repeats its first as
  // closed.
  void SetClosedFitCurve() { flags_ = static_cast<std::int16_t>(flags_ | kSplineClosed); }
  // Marks a fit-point spline as open again.
  void SetOpenFitCurve() { flags_ = static_cast<std::int16_t>(flags_ & ~kSplineClosed); }
  // Marks a control-point spline that wraps round on itself.
  void SetClosedPeriodic() { flags_ = static_cast<std::int16_t>(flags_ | kSplineClosed | kSplinePeriodic); }

 private:
  // The control data of the curve, derived from the fit points when the
  // spline keeps none.
  struct CurveData {
    std::vector<FcPoint2d> control;
    std::vector<double> knots;
    std::vector<double> weights;
    int order = 4;
  };
  // False when there is no curve.
  bool GetCurveData(CurveData& data) const;
  // Whether the control data make a curve TessellateNurbs can walk.
  bool HasValidControlData() const;
  // After a file's data are in: drops control data that make no curve
  // when fit points give it; false when nothing is left to give it.
  bool SettleReadData();
  // Fills the curve points at the chord tolerance.
  void Tessellate(double tolerance);
  void CopyOwnFields(const FcEntity* other);
  int ReadSplineGroup(const FcResBuf& group);
  void UpdateRationalFlag();
  bool HasWeightOtherThanOne() const;

  std::vector<FcPoint2d> fitPoints_;
  FcPoint2d startTangent_;
  FcPoint2d endTangent_;
  std::vector<PolylineVertex> curvePoints_;
  std::vector<FcPoint2d> controlPoints_;
  std::vector<double> knots_;
  std::vector<double> weights_;
  std::int16_t flags_ = kSplinePlanar;
  std::int16_t degree_ = 3;
};
