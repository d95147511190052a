#include <algorithm>
#include <cmath>

#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/object.h"
#include "entities/hatch_pattern.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

// The pattern's records. A line may list more dash lengths than it keeps:
// the first six are kept and the rest read and dropped.

namespace {

double FiniteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

void FcHPLine::WriteDxf(FcFiler& filer) const {
  filer.WriteReal(53, angle * kRadToDeg);
  filer.WriteReal(43, base.x);
  filer.WriteReal(44, base.y);
  filer.WriteReal(45, offset.x);
  filer.WriteReal(46, offset.y);
  filer.WriteInt(79, dashCount);
  for (int i = 0; i < dashCount; ++i) filer.WriteReal(49, dashes[static_cast<std::size_t>(i)]);
}

int FcHPLine::ReadDxf(FcFiler& filer) {
  dashCount = 0;
  dashes.fill(0.0);
  std::int32_t expected = -1;
  std::int32_t read = 0;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 43:
        base.x = FiniteOr(group.realValue, 0.0);
        break;
      case 44:
        base.y = FiniteOr(group.realValue, 0.0);
        break;
      case 45:
        offset.x = FiniteOr(group.realValue, 0.0);
        break;
      case 46:
        offset.y = FiniteOr(group.realValue, 0.0);
        break;
      case 53:
        angle = FiniteOr(group.realValue, 0.0);
        NormalizeAngle(angle);
        break;
      case 79:
        expected = group.intValue;
        if (expected <= 0) return kFcStatusOk;
        break;
      case 49:
        if (expected < 0) return kFcStatusOk;
        if (read < FcHPLine::kMaxDashes) {
          dashes[static_cast<std::size_t>(read)] = FiniteOr(group.realValue, 0.0);
          dashCount = static_cast<std::int16_t>(read + 1);
        }
        if (++read >= expected) return kFcStatusOk;
        break;
      default:
        return kFcStatusEnd;
    }
  }
  return kFcStatusReadError;
}

void FcHPLine::WriteDwg(FcFilerDwg& filer) const {
  filer.WriteBitDouble(angle);
  filer.WriteBitDouble(base.x);
  filer.WriteBitDouble(base.y);
  filer.WriteBitDouble(offset.x);
  filer.WriteBitDouble(offset.y);
  filer.WriteBitShort(dashCount);
  for (int i = 0; i < dashCount; ++i) filer.WriteBitDouble(dashes[static_cast<std::size_t>(i)]);
}

int FcHPLine::ReadDwg(FcFilerDwg& filer) {
  std::int16_t count = 0;
  if (!filer.ReadBitDouble(angle) || !filer.ReadBitDouble(base.x) || !filer.ReadBitDouble(base.y) ||
      !filer.ReadBitDouble(offset.x) || !filer.ReadBitDouble(offset.y) || !filer.ReadBitShort(count)) {
    return kFcStatusReadError;
  }
  if (!std::isfinite(angle) || !std::isfinite(base.x) || !std::isfinite(base.y) || !std::isfinite(offset.x) ||
      !std::isfinite(offset.y)) {
    return kFcStatusReadError;
  }
  NormalizeAngle(angle);
  dashCount = 0;
  for (int i = 0; i < count; ++i) {
    double dash = 0.0;
    if (!filer.ReadBitDouble(dash)) return kFcStatusReadError;
    if (i < kMaxDashes) dashes[static_cast<std::size_t>(i)] = FiniteOr(dash, 0.0);
  }
  dashCount = static_cast<std::int16_t>(std::clamp<int>(count, 0, kMaxDashes));
  return kFcStatusOk;
}

void FcHPPattern::WriteDxf(FcFiler& filer, bool solid) const {
  filer.WriteInt(75, style_);
  filer.WriteInt(76, type_);
  if (solid) return;
  filer.WriteReal(52, angle_ * kRadToDeg);
  filer.WriteReal(41, scale_);
  filer.WriteInt(77, double_);
  filer.WriteInt(78, static_cast<std::int32_t>(lines_.size()));
  for (const FcHPLine& line : lines_) line.WriteDxf(filer);
}

int FcHPPattern::ReadDxf(FcFiler& filer) {
  Clear();
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 41:
        scale_ = FiniteOr(group.realValue, 1.0);
        break;
      case 52:
        angle_ = FiniteOr(group.realValue, 0.0);
        break;
      case 75:
        style_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 76:
        type_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 77:
        double_ = group.intValue != 0 ? 1 : 0;
        break;
      case 78:
        for (std::int32_t i = 0; i < group.intValue; ++i) {
          FcHPLine line;
          if (line.ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
          lines_.push_back(line);
        }
        return kFcStatusOk;
      case 0:
      case 47:
      case 98:
        filer.UnreadGroup();
        return kFcStatusOk;
      default:
        break;
    }
  }
  return kFcStatusReadError;
}

void FcHPPattern::WriteDwg(FcFilerDwg& filer, bool solid) const {
  filer.WriteBitShort(style_);
  filer.WriteBitShort(type_);
  if (solid) return;
  filer.WriteBitDouble(angle_);
  filer.WriteBitDouble(scale_);
  filer.WriteBit(double_ != 0 ? 1 : 0);
  filer.WriteBitShort(static_cast<std::int16_t>(lines_.size()));
  for (const FcHPLine& line : lines_) line.WriteDwg(filer);
}

int FcHPPattern::ReadDwg(FcFilerDwg& filer, bool solid) {
  Clear();
  if (!filer.ReadBitShort(style_) || !filer.ReadBitShort(type_)) return kFcStatusReadError;
  if (solid) return kFcStatusOk;
  std::uint8_t twice = 0;
  std::int16_t count = 0;
  if (!filer.ReadBitDouble(angle_) || !filer.ReadBitDouble(scale_) || !filer.ReadBit(twice) ||
      !filer.ReadBitShort(count)) {
    return kFcStatusReadError;
  }
  angle_ = FiniteOr(angle_, 0.0);
  scale_ = FiniteOr(scale_, 1.0);
  double_ = twice;
  for (int i = 0; i < count; ++i) {
    FcHPLine line;
    if (line.ReadDwg(filer) != kFcStatusOk) return kFcStatusReadError;
    lines_.push_back(line);
  }
  return kFcStatusOk;
}
