#include <cmath>

#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "entities/hatch.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

// The hatch's records. The hatch is written without associativity: its
// loops name no boundary objects, and those a file names are read and
// dropped.

int FcHatch::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  filer.WriteReal(10, 0.0);
  filer.WriteReal(20, 0.0);
  filer.WriteReal(30, 0.0);
  filer.WriteReal(210, 0.0);
  filer.WriteReal(220, 0.0);
  filer.WriteReal(230, 1.0);
  filer.WriteString(2, pattern_.GetName());
  filer.WriteInt(70, solid_ != 0 ? 1 : 0);
  filer.WriteInt(71, 0);
  loops_.WriteDxf(filer);
  pattern_.WriteDxf(filer, solid_ != 0);
  filer.WriteInt(98, static_cast<std::int32_t>(seeds_.size()));
  for (const FcPoint2d& seed : seeds_) {
    filer.WriteReal(10, seed.x);
    filer.WriteReal(20, seed.y);
  }
  return kFcStatusOk;
}

int FcHatch::ReadHatchGroup(FcFiler& filer, const FcResBuf& group) {
  switch (group.type) {
    case 2:
      pattern_.SetName(group.text != nullptr ? group.text : "");
      return kFcStatusOk;
    case 70:
      solid_ = group.intValue != 0 ? 1 : 0;
      return kFcStatusOk;
    case 75: {
      filer.UnreadGroup();
      return pattern_.ReadDxf(filer) == kFcStatusOk ? kFcStatusOk : kFcStatusReadError;
    }
    case 91:
      filer.UnreadGroup();
      return loops_.ReadDxf(filer);
    case 98: {
      FcResBuf seed;
      for (std::int32_t i = 0; i < group.intValue; ++i) {
        if (!filer.ReadGroup(seed)) return kFcStatusReadError;
        if (seed.type != 10 || !std::isfinite(seed.x) || !std::isfinite(seed.y)) return kFcStatusReadError;
        seeds_.push_back({seed.x, seed.y});
      }
      return kFcStatusOk;
    }
    default:
      return kFcStatusOk;
  }
}

int FcHatch::ReadDxf(FcFiler& filer) {
  Clear();
  return ReadEntityDxf(*this, filer, kSubclassMarker,
                       [this, &filer](const FcResBuf& group) { return ReadHatchGroup(filer, group); });
}

void FcHatch::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(1.0);
  filer.WriteText(pattern_.GetName());
  filer.WriteBit(solid_ != 0 ? 1 : 0);
  filer.WriteBit(0);
  loops_.WriteDwg(filer);
  pattern_.WriteDwg(filer, solid_ != 0);
  filer.WriteBitLong(static_cast<std::int32_t>(seeds_.size()));
  for (const FcPoint2d& seed : seeds_) {
    filer.WriteRawDouble(seed.x);
    filer.WriteRawDouble(seed.y);
  }
}

int FcHatch::ReadDwgData(FcFilerDwg& filer) {
  Clear();
  double ignored = 0.0;
  std::string name;
  std::uint8_t solid = 0;
  std::uint8_t associative = 0;
  if (!filer.ReadBitDouble(ignored) || !filer.ReadBitDouble(ignored) || !filer.ReadBitDouble(ignored) ||
      !filer.ReadBitDouble(ignored) || !filer.ReadText(name) || !filer.ReadBit(solid) ||
      !filer.ReadBit(associative)) {
    return kFcStatusReadError;
  }
  solid_ = solid;
  bool pixelSize = false;
  const int handles = loops_.ReadDwg(filer, pixelSize);
  if (handles < 0) return kFcStatusReadError;
  pendingHandles_ = handles;
  if (pattern_.ReadDwg(filer, solid_ != 0) != kFcStatusOk) return kFcStatusReadError;
  pattern_.SetName(name);
  if (pixelSize && !filer.ReadBitDouble(ignored)) return kFcStatusReadError;
  std::int32_t count = 0;
  if (!filer.ReadBitLong(count) || count < 0) return kFcStatusReadError;
  for (std::int32_t i = 0; i < count; ++i) {
    FcPoint2d seed;
    if (!filer.ReadRawDouble(seed.x) || !filer.ReadRawDouble(seed.y)) return kFcStatusReadError;
    if (!std::isfinite(seed.x) || !std::isfinite(seed.y)) return kFcStatusReadError;
    seeds_.push_back(seed);
  }
  return kFcStatusOk;
}

int FcHatch::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  for (; pendingHandles_ > 0; --pendingHandles_) {
    FcHandle dropped = 0;
    if (!filer.ReadHandleRef(dropped, GetHandle())) return kFcStatusReadError;
  }
  return kFcStatusOk;
}
