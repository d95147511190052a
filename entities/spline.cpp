#include "entities/spline.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <span>

#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/intersection_kinds.h"
#include "core/point_ops.h"
#include "core/splines.h"
#include "entities/entity_clone.h"

namespace {

// Higher degrees cost every evaluation the square of the order; no writer
// makes them, so a file that claims one is taken as damaged.
constexpr int kMaxDegree = 25;

bool SameWithin(const FcPoint2d& p, const FcPoint2d& q) {
  return std::fabs(p.x - q.x) <= 1e-7 && std::fabs(p.y - q.y) <= 1e-7;
}

bool IsFinitePoint(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The fit points without consecutive duplicates.
std::vector<FcPoint2d> WithoutRepeats(const std::vector<FcPoint2d>& points) {
  std::vector<FcPoint2d> kept;
  kept.reserve(points.size());
  for (const FcPoint2d& p : points) {
    if (kept.empty() || !SameWithin(kept.back(), p)) kept.push_back(p);
  }
  return kept;
}

}  // namespace

FcSPline::FcSPline() {
  SetRecordName(kRecordName);
  SetKind(kEntitySpline);
  SetDwgType(kDwgType);
}

FcSPline::FcSPline(const FcSPline& other) : FcSPline() { Copy(&other); }

FcObject* FcSPline::Create() { return new (std::nothrow) FcSPline; }

void FcSPline::Clear() {
  fitPoints_.clear();
  curvePoints_.clear();
  controlPoints_.clear();
  knots_.clear();
  weights_.clear();
}

void FcSPline::InvalidateCurve() {
  curvePoints_.clear();
  if (fitPoints_.size() <= 1) return;
  controlPoints_.clear();
  knots_.clear();
  weights_.clear();
}

void FcSPline::AppendFitPoint(const FcPoint2d& point) {
  fitPoints_.push_back(point);
  InvalidateCurve();
}

void FcSPline::InsertFitPoint(const FcPoint2d& point, int index) {
  if (index < 0) return;
  if (static_cast<std::size_t>(index) + 1 >= fitPoints_.size()) {
    AppendFitPoint(point);
  } else {
    fitPoints_.insert(fitPoints_.begin() + index + 1, point);
  }
  InvalidateCurve();
  knots_.clear();
  weights_.clear();
}

void FcSPline::RemoveFitPoint(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= fitPoints_.size() || fitPoints_.size() < 3) return;
  fitPoints_.erase(fitPoints_.begin() + index);
  InvalidateCurve();
  knots_.clear();
  weights_.clear();
}

void FcSPline::RemoveLastFitPoint() {
  if (fitPoints_.empty()) return;
  if (fitPoints_.size() == 1) {
    Clear();
    return;
  }
  fitPoints_.pop_back();
  InvalidateCurve();
}

void FcSPline::MoveLastFitPoint(const FcPoint2d& point) {
  if (fitPoints_.empty()) return;
  fitPoints_.back() = point;
  InvalidateCurve();
}

bool FcSPline::HasWeightOtherThanOne() const {
  return std::any_of(weights_.begin(), weights_.end(), [](double w) { return w != 1.0; });
}

void FcSPline::UpdateRationalFlag() {
  if (HasWeightOtherThanOne()) {
    flags_ = static_cast<std::int16_t>(flags_ | kSplineRational);
  } else {
    flags_ = static_cast<std::int16_t>(flags_ & ~kSplineRational);
  }
}

void FcSPline::SetWeight(double weight, int index) {
  const int count = static_cast<int>(weights_.size());
  if (!(weight >= 0.0) || !std::isfinite(weight) || index < 0 || index >= count) return;
  // An end weight of 0 would leave the curve without its end point.
  if ((index == 0 || index == count - 1) && weight <= 1e-7) return;
  weights_[static_cast<std::size_t>(index)] = weight;
  ClearFitPoints();
  InvalidateCurve();
  UpdateRationalFlag();
}

void FcSPline::MakeUniformKnots() {
  const int count = static_cast<int>(controlPoints_.size());
  knots_.assign(static_cast<std::size_t>(count) + 4, 0.0);
  for (int i = 0; i < count + 4; ++i) knots_[static_cast<std::size_t>(i)] = std::clamp(i - 3, 0, std::max(count - 3, 0));
  weights_.assign(controlPoints_.size(), 1.0);
  degree_ = 3;
  flags_ = kSplinePlanar;
}

bool FcSPline::CanClose() const {
  const std::size_t n = controlPoints_.size();
  if (n < 4) return false;
  const FcPoint2d& first = controlPoints_[0];
  const FcPoint2d& second = controlPoints_[1];
  const FcPoint2d& last = controlPoints_[n - 1];
  return Orientation3(first, second, last) != 0 || Orientation3(first, controlPoints_[n - 2], last) != 0;
}

void FcSPline::Close() {
  if (!CanClose()) return;
  const std::size_t n = controlPoints_.size();
  const FcPoint2d p0 = controlPoints_[0];
  const FcPoint2d p1 = controlPoints_[1];
  const FcPoint2d last = controlPoints_[n - 1];
  const FcPoint2d beforeLast = controlPoints_[n - 2];
  const FcPoint2d startExtension = p0 + (p0 - p1);
  const FcPoint2d endExtension = last + (last - beforeLast);
  FillWeights();
  const double lastKnot = knots_.empty() ? 0.0 : knots_.back();
  FcPoint2d crossing;
  const bool meets = IntersectLines(kInfiniteLines, p0, startExtension, last, endExtension, crossing);
  const auto dot = [](const FcPoint2d& u, const FcPoint2d& v) { return u.x * v.x + u.y * v.y; };
  FcPoint2d towardsEnd = endExtension;
  FcPoint2d towardsStart = startExtension;
  if (meets && dot(p0 - p1, crossing - p1) >= 0.0 && dot(last - beforeLast, crossing - beforeLast) >= 0.0) {
    towardsEnd = last + (2.0 / 3.0) * (crossing - last);
    towardsStart = p0 + (2.0 / 3.0) * (crossing - p0);
  }
  controlPoints_.push_back(towardsEnd);
  controlPoints_.push_back(towardsStart);
  controlPoints_.push_back(p0);
  weights_.resize(controlPoints_.size(), 1.0);
  knots_.resize(controlPoints_.size() + static_cast<std::size_t>(degree_) + 1, lastKnot);
  const double closedEnd = lastKnot + DistanceBetween(p0, last);
  for (std::size_t i = knots_.size() >= 4 ? knots_.size() - 4 : 0; i < knots_.size(); ++i) knots_[i] = closedEnd;
  flags_ = static_cast<std::int16_t>(flags_ | kSplineClosed);
  ClearFitPoints();
  InvalidateCurve();
}

void FcSPline::Open() {
  if (controlPoints_.size() < 7 || knots_.size() < 7) return;
  flags_ = static_cast<std::int16_t>(flags_ & ~kSplineClosed);
  controlPoints_.resize(controlPoints_.size() - 3);
  knots_.resize(knots_.size() - 3);
  if (weights_.size() > controlPoints_.size()) weights_.resize(controlPoints_.size());
  const double end = knots_[knots_.size() - 2];
  for (std::size_t i = knots_.size() - 4; i < knots_.size(); ++i) knots_[i] = end;
  ClearFitPoints();
  InvalidateCurve();
}

void FcSPline::RemoveDuplicateFitPoints() {
  if (fitPoints_.size() < 3) return;
  bool removed = true;
  while (removed && fitPoints_.size() >= 2) {
    removed = false;
    for (std::size_t i = fitPoints_.size() - 1; i > 0; --i) {
      if (i >= fitPoints_.size() || !SameWithin(fitPoints_[i], fitPoints_[i - 1])) continue;
      fitPoints_.erase(fitPoints_.begin() + static_cast<std::ptrdiff_t>(i));
      removed = true;
    }
  }
}

void FcSPline::ComputeControlPoints() {
  const std::vector<FcPoint2d> fit = WithoutRepeats(fitPoints_);
  if (fit.size() <= 1) return;
  const std::size_t n = fit.size();
  std::vector<double> knots(n + 6, 0.0);
  double length = 0.0;
  for (std::size_t k = 1; k < n; ++k) {
    length += DistanceBetween(fit[k], fit[k - 1]);
    knots[k + 3] = length;
  }
  for (std::size_t k = n + 3; k < n + 6; ++k) knots[k] = length;
  FcPoint2dArray control;
  if (SplineFromFitPoints(knots, fit, startTangent_, endTangent_, control) == 0) return;
  degree_ = 3;
  controlPoints_.assign(control.data, control.data + control.count);
  knots_ = std::move(knots);
  weights_.assign(controlPoints_.size(), 1.0);
}

void FcSPline::FillWeights() { weights_.resize(controlPoints_.size(), 1.0); }

bool FcSPline::HasValidControlData() const {
  const std::size_t n = controlPoints_.size();
  if (degree_ < 1 || degree_ > kMaxDegree || n < static_cast<std::size_t>(degree_) + 1) return false;
  if (knots_.size() != n + static_cast<std::size_t>(degree_) + 1) return false;
  for (std::size_t i = 0; i < knots_.size(); ++i) {
    if (!std::isfinite(knots_[i]) || (i > 0 && knots_[i] < knots_[i - 1])) return false;
  }
  if (!(knots_.back() > knots_.front())) return false;
  if (!std::all_of(controlPoints_.begin(), controlPoints_.end(), IsFinitePoint)) return false;
  return std::all_of(weights_.begin(), weights_.end(), [](double w) { return std::isfinite(w) && w >= 0.0; });
}

bool FcSPline::SettleReadData() {
  if (!std::all_of(fitPoints_.begin(), fitPoints_.end(), IsFinitePoint) || !IsFinitePoint(startTangent_) ||
      !IsFinitePoint(endTangent_)) {
    return false;
  }
  RemoveDuplicateFitPoints();
  if (IsEmpty()) {
    controlPoints_.clear();
    knots_.clear();
    weights_.clear();
    return true;
  }
  if (controlPoints_.empty() && knots_.empty()) return true;
  if (HasValidControlData()) {
    FillWeights();
    return true;
  }
  if (fitPoints_.size() <= 1) return false;
  controlPoints_.clear();
  knots_.clear();
  weights_.clear();
  degree_ = 3;
  return true;
}

bool FcSPline::GetCurveData(CurveData& data) const {
  if (IsEmpty()) return false;
  if (controlPoints_.size() > 1 && HasValidControlData()) {
    data.control = controlPoints_;
    data.knots = knots_;
    data.weights = weights_;
    data.weights.resize(controlPoints_.size(), 1.0);
    data.order = degree_ + 1;
    return true;
  }
  if (fitPoints_.size() <= 1) return false;
  FcSPline derived;
  derived.fitPoints_ = fitPoints_;
  derived.startTangent_ = startTangent_;
  derived.endTangent_ = endTangent_;
  derived.ComputeControlPoints();
  if (derived.controlPoints_.empty()) return false;
  data.control = std::move(derived.controlPoints_);
  data.knots = std::move(derived.knots_);
  data.weights = std::move(derived.weights_);
  data.order = 4;
  return true;
}

void FcSPline::Tessellate(double tolerance) {
  curvePoints_.clear();
  if (IsEmpty()) return;
  if (controlPoints_.size() <= 1) ComputeControlPoints();
  CurveData data;
  if (!GetCurveData(data)) return;
  if (!(tolerance > 0.0)) {
    // Without a view, a thousandth of the control polygon's size.
    double size = 0.0;
    for (std::size_t i = 1; i < data.control.size(); ++i) size += DistanceBetween(data.control[i - 1], data.control[i]);
    tolerance = size > 0.0 ? size * 1e-3 : 1e-3;
  }
  FillWeights();
  FcPoint2dArray points;
  TessellateNurbs(points, data.control, data.order, data.knots, data.weights, tolerance);
  curvePoints_.resize(static_cast<std::size_t>(points.count));
  for (int i = 0; i < points.count; ++i) {
    curvePoints_[static_cast<std::size_t>(i)].x = points[i].x;
    curvePoints_[static_cast<std::size_t>(i)].y = points[i].y;
  }
}

FcEntity* FcSPline::Clone() const { return new (std::nothrow) FcSPline(*this); }

void FcSPline::Copy(const FcEntity* other) {
  Clear();
  FcEntity::Copy(other);
  CopyOwnFields(other);
}

FcEntity* FcSPline::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcSPline::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  Clear();
  FcEntity::CopyFromOtherGraph(other, target);
  CopyOwnFields(other);
}

void FcSPline::CopyOwnFields(const FcEntity* other) {
  const auto* spline = dynamic_cast<const FcSPline*>(other);
  if (spline == nullptr) return;
  startTangent_ = spline->startTangent_;
  endTangent_ = spline->endTangent_;
  flags_ = spline->flags_;
  degree_ = spline->degree_;
  fitPoints_ = spline->fitPoints_;
  curvePoints_ = spline->curvePoints_;
  controlPoints_ = spline->controlPoints_;
  knots_ = spline->knots_;
  weights_ = spline->weights_;
}

void FcSPline::Transform(const FcMatrix2d& matrix) {
  for (FcPoint2d& p : fitPoints_) TransformPoint(matrix, p);
  for (PolylineVertex& v : curvePoints_) TransformPolylineVertex(matrix, v);
  for (FcPoint2d& p : controlPoints_) TransformPoint(matrix, p);
  // The end tangents turn with the curve, or the control points computed
  // again from the fit points would no longer match the drawn ones.
  startTangent_ = TransformVector(matrix, startTangent_);
  endTangent_ = TransformVector(matrix, endTangent_);
}
