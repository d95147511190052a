#include "entities/ellipse.h"

#include <cmath>
#include <new>
#include <vector>

#include "core/areas.h"
#include "core/ellipses.h"
#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "entities/entity_clone.h"
#include "entities/geom_segment_ops.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

bool IsFinitePoint(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The fewest and most chords of a drawn ellipse; the view's tolerance
// decides between them.
constexpr int kMinChords = 8;
constexpr int kMaxChords = 6400;

// Chords for the sweep of a circle of the radius whose height stays within
// the tolerance.
int ChordCount(double radius, double tolerance, double sweep) {
  if (!(tolerance > 0.0) || !(tolerance < radius)) return tolerance > 0.0 ? kMinChords : kMaxChords;
  const double step = 2.0 * std::acos(1.0 - tolerance / radius);
  const double count = std::ceil(sweep / step);
  if (!(count >= kMinChords)) return kMinChords;
  return count >= kMaxChords ? kMaxChords : static_cast<int>(count);
}

}  // namespace

FcEllipse::FcEllipse() {
  SetRecordName(kRecordName);
  SetKind(kEntityEllipse);
  SetDwgType(kDwgType);
}

FcEllipse::FcEllipse(const FcEllipse& other) : FcEllipse() { Copy(&other); }

FcObject* FcEllipse::Create() { return new (std::nothrow) FcEllipse; }

void FcEllipse::SetMajorAxis(const FcPoint2d& axis) {
  if ((axis.x == 0.0 && axis.y == 0.0) || !IsFinitePoint(axis)) return;
  majorAxis_ = axis;
  rotation_ = std::atan2(axis.y, axis.x);
  NormalizeAngle(rotation_);
  majorRadius_ = std::hypot(axis.x, axis.y);
  minorRadius_ = majorRadius_ * ratio_;
}

void FcEllipse::SetRadiusRatio(double ratio) {
  // A ratio of 0 is a line, which every drawing and area formula divides
  // by; above 1 the major axis would not be the major one.
  if (!(ratio > 0.0 && ratio <= 1.0)) return;
  ratio_ = ratio;
  minorRadius_ = ratio * majorRadius_;
}

void FcEllipse::SetStartAngle(double angle) {
  startAngle_ = angle - rotation_;
  NormalizeAngles();
}

void FcEllipse::SetEndAngle(double angle) {
  endAngle_ = angle - rotation_;
  NormalizeAngles();
}

void FcEllipse::NormalizeAngles() {
  NormalizeAngle(startAngle_);
  NormalizeAngle(endAngle_);
  while (endAngle_ <= startAngle_) endAngle_ += kTwoPi;
}

void FcEllipse::SetAnglesFromParams(double startParameter, double endParameter) {
  startAngle_ = EllipseParameterToAngle(majorRadius_, minorRadius_, startParameter);
  endAngle_ = EllipseParameterToAngle(majorRadius_, minorRadius_, endParameter);
}

void FcEllipse::GetParams(double& startParameter, double& endParameter) const {
  startParameter = EllipseAngleToParameter(majorRadius_, minorRadius_, startAngle_);
  endParameter = EllipseAngleToParameter(majorRadius_, minorRadius_, endAngle_);
  NormalizeAngle(startParameter);
  NormalizeAngle(endParameter);
  while (endParameter <= startParameter) endParameter += kTwoPi;
}

bool FcEllipse::IsFull() const { return endAngle_ - startAngle_ > kTwoPi - 1e-7; }

FcPoint2d FcEllipse::GetPointAtAngle(double angle) const {
  FcPoint2d point = centre_;
  EllipsePointAtAngle(point, majorAxis_, centre_, ratio_, angle);
  return point;
}

int FcEllipse::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  WriteDxfPoint(filer, 10, centre_);
  WriteDxfPoint(filer, 11, majorAxis_);
  filer.WriteReal(40, ratio_);
  double start = 0.0;
  double end = 0.0;
  GetParams(start, end);
  filer.WriteReal(41, start);
  filer.WriteReal(42, end);
  return kFcStatusOk;
}

int FcEllipse::ReadEllipseGroup(const FcResBuf& group, FileForm& form) {
  switch (group.type) {
    case 10:
      form.centre = {group.x, group.y};
      break;
    case 11:
      form.major = {group.x, group.y};
      break;
    case 40:
      form.ratio = group.realValue;
      break;
    case 41:
      form.startParameter = group.realValue;
      break;
    case 42:
      form.endParameter = group.realValue;
      break;
    case 210:
      form.reversed = IsEqual(group.x, 0.0) && IsEqual(group.y, 0.0) && IsEqual(group.z, -1.0);
      break;
    default:
      break;
  }
  return kFcStatusOk;
}

bool FcEllipse::TakeFileForm(FileForm form) {
  if (!IsFinitePoint(form.centre) || !IsFinitePoint(form.major) || !std::isfinite(form.ratio) ||
      !std::isfinite(form.startParameter) || !std::isfinite(form.endParameter)) {
    return false;
  }
  if (std::hypot(form.major.x, form.major.y) == 0.0 || !(form.ratio > 0.0)) return false;
  if (form.ratio > 1.0) {
    // The minor axis is the longer one: it becomes the major axis, and a
    // point's parameter, counted from the new axis, is a quarter turn less.
    form.major = {-form.major.y * form.ratio, form.major.x * form.ratio};
    form.ratio = 1.0 / form.ratio;
    form.startParameter -= kHalfPi;
    form.endParameter -= kHalfPi;
  }
  if (form.reversed) {
    // Seen from below the parameters run the other way round; the centre
    // and axis are world vectors already.
    const double start = form.startParameter;
    form.startParameter = kTwoPi - form.endParameter;
    form.endParameter = kTwoPi - start;
  }
  centre_ = form.centre;
  ratio_ = form.ratio;
  SetMajorAxis(form.major);
  minorRadius_ = majorRadius_ * ratio_;
  SetAnglesFromParams(form.startParameter, form.endParameter);
  NormalizeAngles();
  return true;
}

int FcEllipse::ReadDxf(FcFiler& filer) {
  FileForm form;
  const int result = ReadEntityDxf(*this, filer, kSubclassMarker,
                                   [this, &form](const FcResBuf& group) { return ReadEllipseGroup(group, form); });
  if (result != kFcStatusOk) return result;
  return TakeFileForm(form) ? kFcStatusOk : kFcStatusReadError;
}

void FcEllipse::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitDouble(centre_.x);
  filer.WriteBitDouble(centre_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(majorAxis_.x);
  filer.WriteBitDouble(majorAxis_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(1.0);
  filer.WriteBitDouble(ratio_);
  double start = 0.0;
  double end = 0.0;
  GetParams(start, end);
  filer.WriteBitDouble(start);
  filer.WriteBitDouble(end);
}

int FcEllipse::ReadDwgData(FcFilerDwg& filer) {
  FileForm form;
  double centre[3] = {};
  double major[3] = {};
  double extrusion[3] = {};
  if (!filer.Read3BitDouble(centre) || !filer.Read3BitDouble(major) || !filer.Read3BitDouble(extrusion) ||
      !filer.ReadBitDouble(form.ratio) || !filer.ReadBitDouble(form.startParameter) ||
      !filer.ReadBitDouble(form.endParameter)) {
    return kFcStatusReadError;
  }
  form.centre = {centre[0], centre[1]};
  form.major = {major[0], major[1]};
  form.reversed = IsEqual(extrusion[0], 0.0) && IsEqual(extrusion[1], 0.0) && IsEqual(extrusion[2], -1.0);
  return TakeFileForm(form) ? kFcStatusOk : kFcStatusReadError;
}

bool FcEllipse::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  const std::vector<PolylineVertex> vertices = ChordVertices(sink->CurveChordTolerance());
  if (vertices.empty()) return true;
  sink->AddCurve(vertices.data(), static_cast<int>(vertices.size()), IsFull(), GetHandle(), 0);
  return true;
}

std::vector<PolylineVertex> FcEllipse::ChordVertices(double tolerance) const {
  // The ellipse is the circle of radius r = sqrt(a*b) stretched by
  // sqrt(a/b) along the major axis and shrunk by sqrt(b/a) across it; the
  // circle's chords are made fine enough for the stretched curve.
  const double a = majorRadius_;
  const double b = minorRadius_;
  if (!(a > 0.0) || !(b > 0.0)) return {};
  const double r = std::sqrt(a * b);
  const double k1 = std::sqrt(a / b);
  const double k2 = std::sqrt(b / a);
  const bool full = IsFull();
  double start = 0.0;
  double end = kTwoPi;
  if (!full) GetParams(start, end);
  const int chords = ChordCount(r, tolerance / k1, end - start);
  const double cosR = std::cos(rotation_);
  const double sinR = std::sin(rotation_);
  std::vector<PolylineVertex> vertices(static_cast<std::size_t>(full ? chords : chords + 1));
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const double u = start + (end - start) * static_cast<double>(i) / chords;
    const double x = r * std::cos(u);
    const double y = r * std::sin(u);
    vertices[i].x = cosR * k1 * x - sinR * k2 * y + centre_.x;
    vertices[i].y = sinR * k1 * x + cosR * k2 * y + centre_.y;
  }
  return vertices;
}

void FcEllipse::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  // Chords a thousandth of the major radius from the curve: close enough
  // for a hatch boundary, few enough for the search around a point.
  const std::vector<PolylineVertex> vertices = ChordVertices(majorRadius_ * 1e-3);
  AppendChordSegments(vertices.data(), static_cast<int>(vertices.size()), IsFull(), matrix, segments);
}

FcEntity* FcEllipse::Clone() const { return new (std::nothrow) FcEllipse(*this); }

void FcEllipse::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcEllipse::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcEllipse::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcEllipse::CopyOwnFields(const FcEntity* other) {
  const auto* ellipse = dynamic_cast<const FcEllipse*>(other);
  if (ellipse == nullptr) return;
  centre_ = ellipse->centre_;
  SetMajorAxis(ellipse->majorAxis_);
  ratio_ = ellipse->ratio_;
  minorRadius_ = ratio_ * majorRadius_;
  startAngle_ = ellipse->startAngle_;
  endAngle_ = ellipse->endAngle_;
}

double FcEllipse::GetLength() const { return 0.0; }

double FcEllipse::GetArea() const { return EllipseArcArea(majorRadius_, minorRadius_, startAngle_, endAngle_); }
