#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/matrix2d.h"
#include "core/point2d.h"

class FcFiler;
class FcFilerDwg;

// Type bytes of boundary pieces: the DXF edge types of group 72, and the
// two loop kinds, which share the numbering of the DWG path flags.
inline constexpr std::uint8_t kHatchEdgeLoop = 0;
inline constexpr std::uint8_t kHatchLineEdge = 1;
inline constexpr std::uint8_t kHatchArcEdge = 2;
inline constexpr std::uint8_t kHatchPolylineLoop = 2;
inline constexpr std::uint8_t kHatchEllipseEdge = 3;
inline constexpr std::uint8_t kHatchSplineEdge = 4;

// The result of reading a spline edge: its data are passed over and the
// hatch that holds it is dropped.
inline constexpr int kHatchSplineDropped = -10;

// One piece of a hatch boundary, or a whole loop of them: what the hatch
// needs to cut pattern lines at the boundary, fill it, move it and keep it
// in files.
class FcHatchEdge {
 public:
  explicit FcHatchEdge(std::uint8_t type) : type_(type) {}
  virtual ~FcHatchEdge() = default;
  FcHatchEdge(const FcHatchEdge&) = default;
  FcHatchEdge& operator=(const FcHatchEdge&) = default;

  std::uint8_t GetType() const { return type_; }

  // Appends every point where the piece crosses the infinite line through
  // p1 and p2 (see CrossingLine for vertices and tangents on the line).
  virtual void IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const = 0;
  virtual std::unique_ptr<FcHatchEdge> Clone() const = 0;
  // The piece as a point chain from its start to its end, curves cut into
  // chords no farther than the tolerance from them; false when it cannot.
  virtual bool AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const = 0;
  // False, with the output untouched, when the piece has no such point.
  virtual bool StartPoint(FcPoint2d& out) const = 0;
  virtual bool EndPoint(FcPoint2d& out) const = 0;
  // The piece's box; false, outputs untouched, when it has none.
  virtual bool GetExtents(FcPoint2d& min, FcPoint2d& max) const = 0;
  virtual void Transform(const FcMatrix2d& matrix) = 0;
  // The same points, run the other way.
  virtual void Reverse() = 0;
  virtual void WriteDxf(FcFiler& filer) const = 0;
  // The groups after the piece's group 72 (or 92): 0 read, 1 end of data,
  // 2 an unexpected group, kHatchSplineDropped for a spline edge.
  virtual int ReadDxf(FcFiler& filer) = 0;
  // The data after the type byte: 0, or 2 on a failed read.
  virtual int ReadDwg(FcFilerDwg& filer) = 0;
  virtual void WriteDwg(FcFilerDwg& filer) const = 0;

 private:
  std::uint8_t type_;
};

// Chords of an arc of the radius over the span whose height stays within
// the tolerance, between 6 and 6400.
int HatchChordCount(double tolerance, double radius, double span);

// n + 1 points of the arc about the centre from the start to the end
// angle, counter-clockwise or clockwise; nothing for a negative n.
void AppendArcPoints(int n, double radius, double start, double end, bool counterClockwise,
                     std::vector<FcPoint2d>& points, const FcPoint2d& centre);

// Widens the box [min, max] by another one.
void UniteBoxes(FcPoint2d& min, FcPoint2d& max, const FcPoint2d& otherMin, const FcPoint2d& otherMax);

class FcLineEdge : public FcHatchEdge {
 public:
  FcLineEdge() : FcHatchEdge(kHatchLineEdge) {}
  FcLineEdge(const FcPoint2d& start, const FcPoint2d& end) : FcHatchEdge(kHatchLineEdge), start_(start), end_(end) {}

  void IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const override;
  std::unique_ptr<FcHatchEdge> Clone() const override;
  bool AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const override;
  bool StartPoint(FcPoint2d& out) const override;
  bool EndPoint(FcPoint2d& out) const override;
  bool GetExtents(FcPoint2d& min, FcPoint2d& max) const override;
  void Transform(const FcMatrix2d& matrix) override;
  void Reverse() override;
  void WriteDxf(FcFiler& filer) const override;
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  void WriteDwg(FcFilerDwg& filer) const override;

  const FcPoint2d& GetStart() const { return start_; }
  const FcPoint2d& GetEnd() const { return end_; }

 private:
  FcPoint2d start_;
  FcPoint2d end_;
};

// A circular or elliptic arc. Counter-clockwise arcs keep their true
// angles; clockwise ones keep the true angles negated, as the files do, so
// that the arc runs clockwise from 2*pi - start to 2*pi - end.
class FcCurvedEdge : public FcHatchEdge {
 public:
  using FcHatchEdge::FcHatchEdge;

  double GetStartAngle() const { return start_; }
  double GetEndAngle() const { return end_; }
  bool IsCounterClockwise() const { return counterClockwise_ != 0; }
  // The counter-clockwise range the arc covers, whatever its direction:
  // low in [0, 2*pi), high above it by at most a turn.
  void TrueRange(double& low, double& high) const;
  // The true angles at which the arc starts and ends.
  double TrueStart() const;
  double TrueEnd() const;
  void Reverse() override;

 protected:
  virtual void NormalizeAngles() = 0;
  // Both angles into [0, 2*pi); false, the arc made whole, when either is
  // no finite number.
  bool NormalizeBoth();

  double start_ = 0.0;
  double end_ = kTwoPi;
  std::int16_t counterClockwise_ = 1;
};

class FcArcEdge : public FcCurvedEdge {
 public:
  FcArcEdge() : FcCurvedEdge(kHatchArcEdge) {}
  // Angles as the files keep them (see FcCurvedEdge).
  FcArcEdge(const FcPoint2d& centre, double radius, double start, double end, bool counterClockwise);

  void IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const override;
  std::unique_ptr<FcHatchEdge> Clone() const override;
  bool AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const override;
  bool StartPoint(FcPoint2d& out) const override;
  bool EndPoint(FcPoint2d& out) const override;
  bool GetExtents(FcPoint2d& min, FcPoint2d& max) const override;
  void Transform(const FcMatrix2d& matrix) override;
  void WriteDxf(FcFiler& filer) const override;
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  void WriteDwg(FcFilerDwg& filer) const override;

  const FcPoint2d& GetCentre() const { return centre_; }
  double GetRadius() const { return radius_; }

 protected:
  // Both into [0, 2*pi), the end raised above the start.
  void NormalizeAngles() override;

 private:
  FcPoint2d PointAt(double angle) const;

  FcPoint2d centre_;
  double radius_ = 1.0;
};

// Angles are polar angles measured from the major axis.
class FcEllipseEdge : public FcCurvedEdge {
 public:
  FcEllipseEdge() : FcCurvedEdge(kHatchEllipseEdge) {}
  FcEllipseEdge(const FcPoint2d& centre, const FcPoint2d& majorAxis, double ratio, double start, double end,
                bool counterClockwise);

  void IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const override;
  std::unique_ptr<FcHatchEdge> Clone() const override;
  bool AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const override;
  bool StartPoint(FcPoint2d& out) const override;
  bool EndPoint(FcPoint2d& out) const override;
  // The true box of the arc, the axis's rotation included.
  bool GetExtents(FcPoint2d& min, FcPoint2d& max) const override;
  void Transform(const FcMatrix2d& matrix) override;
  void WriteDxf(FcFiler& filer) const override;
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  void WriteDwg(FcFilerDwg& filer) const override;

  const FcPoint2d& GetCentre() const { return centre_; }
  const FcPoint2d& GetMajorAxis() const { return majorAxis_; }
  double GetRatio() const { return ratio_; }

 protected:
  // Both into [0, 2*pi); a counter-clockwise arc's end raised above the
  // start, a clockwise one's lowered below it.
  void NormalizeAngles() override;

 private:
  FcPoint2d PointAt(double angle) const;
  // False for an axis or ratio that makes no ellipse.
  bool HasShape() const;
  // The counter-clockwise range of ellipse parameters the arc covers.
  void ParameterRange(double& first, double& last) const;

  FcPoint2d centre_;
  FcPoint2d majorAxis_;
  double ratio_ = 0.5;
};

// A spline edge is read only to be passed over: it keeps no geometry.
class FcSPLineEdge : public FcHatchEdge {
 public:
  FcSPLineEdge() : FcHatchEdge(kHatchSplineEdge) {}

  void IntersectLine(const FcPoint2d&, const FcPoint2d&, std::vector<FcPoint2d>&) const override {}
  std::unique_ptr<FcHatchEdge> Clone() const override;
  bool AppendPoints(double, std::vector<FcPoint2d>&) const override { return false; }
  bool StartPoint(FcPoint2d&) const override { return false; }
  bool EndPoint(FcPoint2d&) const override { return false; }
  bool GetExtents(FcPoint2d&, FcPoint2d&) const override { return false; }
  void Transform(const FcMatrix2d&) override {}
  void Reverse() override {}
  void WriteDxf(FcFiler&) const override {}
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  void WriteDwg(FcFilerDwg&) const override {}
};
