#include <algorithm>
#include <cstdint>

#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "entities/spline.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

// The spline's DXF and DWG records.

namespace {

// Counts read from a file are hints: room is made for at most this many
// items ahead, the rest grows as the data really arrive.
constexpr std::int32_t kMaxReserved = 4096;

std::size_t ReservedFor(std::int32_t count) { return static_cast<std::size_t>(std::clamp(count, 0, kMaxReserved)); }

bool Read2d(FcFilerDwg& filer, FcPoint2d& point) {
  double values[3] = {};
  if (!filer.Read3BitDouble(values)) return false;
  point = {values[0], values[1]};
  return true;
}

void Write2d(FcFilerDwg& filer, const FcPoint2d& point) {
  filer.WriteBitDouble(point.x);
  filer.WriteBitDouble(point.y);
  filer.WriteBitDouble(0.0);
}

void WriteDxfPoint3(FcFiler& filer, std::int16_t code, const FcPoint2d& point) {
  WriteDxfPoint(filer, code, point);
  filer.WriteReal(static_cast<std::int16_t>(code + 20), 0.0);
}

bool IsZero(const FcPoint2d& v) { return v.x == 0.0 && v.y == 0.0; }

}  // namespace

int FcSPline::WriteDxf(FcFiler& filer) {
  if (IsEmpty()) return kFcStatusOk;
  if (!fitPoints_.empty() && controlPoints_.size() <= 1) ComputeControlPoints();
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  filer.WriteReal(210, 0.0);
  filer.WriteReal(220, 0.0);
  filer.WriteReal(230, 1.0);
  filer.WriteInt(70, flags_);
  filer.WriteInt(71, degree_);
  filer.WriteInt(72, static_cast<std::int32_t>(knots_.size()));
  filer.WriteInt(73, static_cast<std::int32_t>(controlPoints_.size()));
  filer.WriteInt(74, static_cast<std::int32_t>(fitPoints_.size()));
  if (!fitPoints_.empty()) {
    if (!IsZero(startTangent_)) WriteDxfPoint3(filer, 12, startTangent_);
    if (!IsZero(endTangent_)) WriteDxfPoint3(filer, 13, endTangent_);
  }
  for (double knot : knots_) filer.WriteReal(40, knot);
  const std::size_t controls = controlPoints_.size();
  const bool weighted = std::any_of(weights_.begin(), weights_.begin() + std::min(weights_.size(), controls),
                                    [](double w) { return w != 1.0; });
  if (weighted) {
    for (std::size_t i = 0; i < controls; ++i) filer.WriteReal(41, i < weights_.size() ? weights_[i] : 1.0);
  }
  for (const FcPoint2d& p : controlPoints_) WriteDxfPoint3(filer, 10, p);
  for (const FcPoint2d& p : fitPoints_) WriteDxfPoint3(filer, 11, p);
  return kFcStatusOk;
}

int FcSPline::ReadSplineGroup(const FcResBuf& group) {
  switch (group.type) {
    case 10:
      controlPoints_.push_back({group.x, group.y});
      break;
    case 11:
      fitPoints_.push_back({group.x, group.y});
      break;
    case 12:
      startTangent_ = {group.x, group.y};
      break;
    case 13:
      endTangent_ = {group.x, group.y};
      break;
    case 40:
      knots_.push_back(group.realValue);
      break;
    case 41:
      weights_.push_back(group.realValue);
      break;
    case 70:
      flags_ = static_cast<std::int16_t>(group.intValue);
      break;
    case 71:
      degree_ = static_cast<std::int16_t>(group.intValue);
      break;
    case 72:
      knots_.reserve(ReservedFor(group.intValue));
      break;
    case 73:
      controlPoints_.reserve(ReservedFor(group.intValue));
      break;
    case 74:
      fitPoints_.reserve(ReservedFor(group.intValue));
      break;
    default:
      break;
  }
  return kFcStatusOk;
}

int FcSPline::ReadDxf(FcFiler& filer) {
  Clear();
  startTangent_ = {};
  endTangent_ = {};
  flags_ = kSplinePlanar;
  degree_ = 3;
  const int result =
      ReadEntityDxf(*this, filer, kSubclassMarker, [this](const FcResBuf& group) { return ReadSplineGroup(group); });
  if (result != kFcStatusOk) return result;
  return SettleReadData() ? kFcStatusOk : kFcStatusReadError;
}

void FcSPline::WriteDwgData(FcFilerDwg& filer) {
  RemoveDuplicateFitPoints();
  const bool byFitPoints = !fitPoints_.empty();
  filer.WriteBitShort(byFitPoints ? 2 : 1);
  filer.WriteBitShort(degree_);
  if (byFitPoints) {
    filer.WriteBitDouble(0.0);
    Write2d(filer, startTangent_);
    Write2d(filer, endTangent_);
    filer.WriteBitLong(static_cast<std::int32_t>(fitPoints_.size()));
    for (const FcPoint2d& p : fitPoints_) Write2d(filer, p);
    return;
  }
  FillWeights();
  if (HasWeightOtherThanOne()) flags_ = static_cast<std::int16_t>(flags_ | kSplineRational);
  const bool weighted = (flags_ & kSplineRational) != 0;
  filer.WriteBit(weighted ? 1 : 0);
  filer.WriteBit(IsClosed() ? 1 : 0);
  filer.WriteBit((flags_ & kSplinePeriodic) != 0 ? 1 : 0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitLong(static_cast<std::int32_t>(knots_.size()));
  filer.WriteBitLong(static_cast<std::int32_t>(controlPoints_.size()));
  filer.WriteBit(weighted ? 1 : 0);
  for (double knot : knots_) filer.WriteBitDouble(knot);
  for (std::size_t i = 0; i < controlPoints_.size(); ++i) {
    Write2d(filer, controlPoints_[i]);
    if (weighted) filer.WriteBitDouble(weights_[i]);
  }
}

int FcSPline::ReadDwgData(FcFilerDwg& filer) {
  Clear();
  startTangent_ = {};
  endTangent_ = {};
  std::int16_t scenario = 0;
  std::int16_t degree = 0;
  if (!filer.ReadBitShort(scenario) || !filer.ReadBitShort(degree)) return kFcStatusReadError;
  degree_ = degree;
  flags_ = kSplinePlanar;
  if (scenario == 1) {
    std::uint8_t rational = 0, closed = 0, periodic = 0, weighted = 0;
    double tolerance = 0.0;
    std::int32_t knotCount = 0;
    std::int32_t controlCount = 0;
    if (!filer.ReadBit(rational) || !filer.ReadBit(closed) || !filer.ReadBit(periodic) ||
        !filer.ReadBitDouble(tolerance) || !filer.ReadBitDouble(tolerance) || !filer.ReadBitLong(knotCount) ||
        !filer.ReadBitLong(controlCount) || !filer.ReadBit(weighted) || knotCount < 0 || controlCount < 0) {
      return kFcStatusReadError;
    }
    if (rational != 0 || weighted != 0) flags_ = static_cast<std::int16_t>(flags_ | kSplineRational);
    if (closed != 0) flags_ = static_cast<std::int16_t>(flags_ | kSplineClosed);
    if (periodic != 0) flags_ = static_cast<std::int16_t>(flags_ | kSplinePeriodic);
    knots_.reserve(ReservedFor(knotCount));
    for (std::int32_t i = 0; i < knotCount; ++i) {
      double knot = 0.0;
      if (!filer.ReadBitDouble(knot)) return kFcStatusReadError;
      knots_.push_back(knot);
    }
    controlPoints_.reserve(ReservedFor(controlCount));
    for (std::int32_t i = 0; i < controlCount; ++i) {
      FcPoint2d p;
      double weight = 1.0;
      if (!Read2d(filer, p) || (weighted != 0 && !filer.ReadBitDouble(weight))) return kFcStatusReadError;
      controlPoints_.push_back(p);
      weights_.push_back(weight);
    }
    return SettleReadData() ? kFcStatusOk : kFcStatusReadError;
  }
  if (scenario != 2) return kFcStatusOk;
  double tolerance = 0.0;
  std::int32_t fitCount = 0;
  if (!filer.ReadBitDouble(tolerance) || !Read2d(filer, startTangent_) || !Read2d(filer, endTangent_) ||
      !filer.ReadBitLong(fitCount) || fitCount < 0) {
    return kFcStatusReadError;
  }
  fitPoints_.reserve(ReservedFor(fitCount));
  for (std::int32_t i = 0; i < fitCount; ++i) {
    FcPoint2d p;
    if (!Read2d(filer, p)) return kFcStatusReadError;
    fitPoints_.push_back(p);
  }
  const auto same = [](const FcPoint2d& p, const FcPoint2d& q) {
    return std::fabs(p.x - q.x) <= 1e-7 && std::fabs(p.y - q.y) <= 1e-7;
  };
  if (fitPoints_.size() > 1 && same(fitPoints_.front(), fitPoints_.back()) && same(startTangent_, endTangent_)) {
    flags_ = static_cast<std::int16_t>(flags_ | kSplineClosed);
  }
  return SettleReadData() ? kFcStatusOk : kFcStatusReadError;
}
