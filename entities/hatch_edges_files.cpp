#include <cmath>

#include "core/ellipses.h"
#include "core/resbuf.h"
#include "database/object.h"
#include "entities/hatch_edges.h"
#include "entities/hatch_file_groups.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

// The edges' records in DXF (angles in degrees, read back in radians by the
// group reader) and DWG (ellipse arcs by their parameters).

namespace {

bool IsFinite(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool ReadRawPoint(FcFilerDwg& filer, FcPoint2d& p) {
  return filer.ReadRawDouble(p.x) && filer.ReadRawDouble(p.y) && IsFinite(p);
}

bool ReadFiniteBitDouble(FcFilerDwg& filer, double& value) {
  return filer.ReadBitDouble(value) && std::isfinite(value);
}

void WriteRawPoint(FcFilerDwg& filer, const FcPoint2d& p) {
  filer.WriteRawDouble(p.x);
  filer.WriteRawDouble(p.y);
}

void WriteDxfXY(FcFiler& filer, std::int16_t code, const FcPoint2d& p) {
  filer.WriteReal(code, p.x);
  filer.WriteReal(static_cast<std::int16_t>(code + 10), p.y);
}

}  // namespace

int ReadHatchGroup(FcFiler& filer, FcResBuf& group, int code) {
  if (!filer.ReadGroup(group)) return kFcStatusEnd;
  return group.type == code ? kFcStatusOk : kFcStatusReadError;
}

int ReadHatchPoint(FcFiler& filer, int code, FcPoint2d& point) {
  FcResBuf group;
  const int result = ReadHatchGroup(filer, group, code);
  if (result != kFcStatusOk) return result;
  point = {group.x, group.y};
  return IsFinite(point) ? kFcStatusOk : kFcStatusReadError;
}

int ReadHatchReal(FcFiler& filer, int code, double& value) {
  FcResBuf group;
  const int result = ReadHatchGroup(filer, group, code);
  if (result != kFcStatusOk) return result;
  value = group.realValue;
  return std::isfinite(value) ? kFcStatusOk : kFcStatusReadError;
}

int ReadHatchInt(FcFiler& filer, int code, std::int32_t& value) {
  FcResBuf group;
  const int result = ReadHatchGroup(filer, group, code);
  if (result != kFcStatusOk) return result;
  value = group.intValue;
  return kFcStatusOk;
}

void FcLineEdge::WriteDxf(FcFiler& filer) const {
  filer.WriteInt(72, kHatchLineEdge);
  WriteDxfXY(filer, 10, start_);
  WriteDxfXY(filer, 11, end_);
}

int FcLineEdge::ReadDxf(FcFiler& filer) {
  int result = ReadHatchPoint(filer, 10, start_);
  if (result == kFcStatusOk) result = ReadHatchPoint(filer, 11, end_);
  return result;
}

int FcLineEdge::ReadDwg(FcFilerDwg& filer) {
  return ReadRawPoint(filer, start_) && ReadRawPoint(filer, end_) ? kFcStatusOk : kFcStatusReadError;
}

void FcLineEdge::WriteDwg(FcFilerDwg& filer) const {
  WriteRawPoint(filer, start_);
  WriteRawPoint(filer, end_);
}

void FcArcEdge::WriteDxf(FcFiler& filer) const {
  filer.WriteInt(72, kHatchArcEdge);
  WriteDxfXY(filer, 10, centre_);
  filer.WriteReal(40, radius_);
  filer.WriteReal(50, start_ * kRadToDeg);
  filer.WriteReal(51, end_ * kRadToDeg);
  filer.WriteInt(73, counterClockwise_);
}

int FcArcEdge::ReadDxf(FcFiler& filer) {
  std::int32_t counterClockwise = 1;
  int result = ReadHatchPoint(filer, 10, centre_);
  if (result == kFcStatusOk) result = ReadHatchReal(filer, 40, radius_);
  if (result == kFcStatusOk) result = ReadHatchReal(filer, 50, start_);
  if (result == kFcStatusOk) result = ReadHatchReal(filer, 51, end_);
  if (result == kFcStatusOk) result = ReadHatchInt(filer, 73, counterClockwise);
  if (result != kFcStatusOk) return result;
  if (radius_ < 0.0) return kFcStatusReadError;
  counterClockwise_ = counterClockwise != 0 ? 1 : 0;
  NormalizeAngles();
  return kFcStatusOk;
}

int FcArcEdge::ReadDwg(FcFilerDwg& filer) {
  std::uint8_t counterClockwise = 1;
  if (!ReadRawPoint(filer, centre_) || !ReadFiniteBitDouble(filer, radius_) || !ReadFiniteBitDouble(filer, start_) ||
      !ReadFiniteBitDouble(filer, end_) || !filer.ReadBit(counterClockwise) || radius_ < 0.0) {
    return kFcStatusReadError;
  }
  counterClockwise_ = counterClockwise;
  NormalizeAngles();
  return kFcStatusOk;
}

void FcArcEdge::WriteDwg(FcFilerDwg& filer) const {
  WriteRawPoint(filer, centre_);
  filer.WriteBitDouble(radius_);
  filer.WriteBitDouble(start_);
  filer.WriteBitDouble(end_);
  filer.WriteBit(counterClockwise_ != 0 ? 1 : 0);
}

void FcEllipseEdge::WriteDxf(FcFiler& filer) const {
  filer.WriteInt(72, kHatchEllipseEdge);
  WriteDxfXY(filer, 10, centre_);
  WriteDxfXY(filer, 11, majorAxis_);
  filer.WriteReal(40, ratio_);
  filer.WriteReal(50, start_ * kRadToDeg);
  filer.WriteReal(51, end_ * kRadToDeg);
  filer.WriteInt(73, counterClockwise_);
}

int FcEllipseEdge::ReadDxf(FcFiler& filer) {
  std::int32_t counterClockwise = 1;
  int result = ReadHatchPoint(filer, 10, centre_);
  if (result == kFcStatusOk) result = ReadHatchPoint(filer, 11, majorAxis_);
  if (result == kFcStatusOk) result = ReadHatchReal(filer, 40, ratio_);
  if (result == kFcStatusOk) result = ReadHatchReal(filer, 50, start_);
  if (result == kFcStatusOk) result = ReadHatchReal(filer, 51, end_);
  if (result == kFcStatusOk) result = ReadHatchInt(filer, 73, counterClockwise);
  if (result != kFcStatusOk) return result;
  counterClockwise_ = counterClockwise != 0 ? 1 : 0;
  NormalizeAngles();
  return kFcStatusOk;
}

int FcEllipseEdge::ReadDwg(FcFilerDwg& filer) {
  std::uint8_t counterClockwise = 1;
  double startParameter = 0.0;
  double endParameter = 0.0;
  if (!ReadRawPoint(filer, centre_) || !ReadRawPoint(filer, majorAxis_) || !ReadFiniteBitDouble(filer, ratio_) ||
      !ReadFiniteBitDouble(filer, startParameter) || !ReadFiniteBitDouble(filer, endParameter) ||
      !filer.ReadBit(counterClockwise)) {
    return kFcStatusReadError;
  }
  const double a = std::hypot(majorAxis_.x, majorAxis_.y);
  start_ = EllipseParameterToAngle(a, a * ratio_, startParameter);
  end_ = EllipseParameterToAngle(a, a * ratio_, endParameter);
  counterClockwise_ = counterClockwise;
  NormalizeAngles();
  return kFcStatusOk;
}

void FcEllipseEdge::WriteDwg(FcFilerDwg& filer) const {
  const double a = std::hypot(majorAxis_.x, majorAxis_.y);
  WriteRawPoint(filer, centre_);
  WriteRawPoint(filer, majorAxis_);
  filer.WriteBitDouble(ratio_);
  filer.WriteBitDouble(EllipseAngleToParameter(a, a * ratio_, start_));
  filer.WriteBitDouble(EllipseAngleToParameter(a, a * ratio_, end_));
  filer.WriteBit(counterClockwise_ != 0 ? 1 : 0);
}

int FcSPLineEdge::ReadDxf(FcFiler& filer) {
  const int header[] = {94, 73, 74, 95, 96};
  std::int32_t values[5] = {};
  for (int i = 0; i < 5; ++i) {
    const int result = ReadHatchInt(filer, header[i], values[i]);
    if (result != kFcStatusOk) return result;
  }
  FcResBuf group;
  for (std::int32_t i = 0; i < values[3]; ++i) {
    const int result = ReadHatchGroup(filer, group, 40);
    if (result != kFcStatusOk) return result;
  }
  for (std::int32_t i = 0; i < values[4]; ++i) {
    const int result = ReadHatchGroup(filer, group, 10);
    if (result != kFcStatusOk) return result;
  }
  while (filer.ReadGroup(group)) {
    if (group.type == 42) continue;
    filer.UnreadGroup();
    return kHatchSplineDropped;
  }
  return kFcStatusEnd;
}

int FcSPLineEdge::ReadDwg(FcFilerDwg& filer) {
  std::int32_t degree = 0;
  std::uint8_t rational = 0;
  std::uint8_t periodic = 0;
  std::int32_t knots = 0;
  std::int32_t controls = 0;
  if (!filer.ReadBitLong(degree) || !filer.ReadBit(rational) || !filer.ReadBit(periodic) ||
      !filer.ReadBitLong(knots) || !filer.ReadBitLong(controls) || knots < 0 || controls < 0) {
    return kFcStatusReadError;
  }
  double value = 0.0;
  for (std::int32_t i = 0; i < knots; ++i) {
    if (!filer.ReadBitDouble(value)) return kFcStatusReadError;
  }
  for (std::int32_t i = 0; i < controls; ++i) {
    if (!filer.ReadRawDouble(value) || !filer.ReadRawDouble(value)) return kFcStatusReadError;
    if (rational != 0 && !filer.ReadBitDouble(value)) return kFcStatusReadError;
  }
  return kFcStatusOk;
}
