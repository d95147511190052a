#include "entities/face3d.h"

#include <cstdint>
#include <new>

#include "database/entity_sets.h"
#include "entities/entity_clone.h"
#include "entities/line.h"
#include "filers/filer_dwg.h"

namespace {

using Corners = FcCornerEntity::Corners;

// R13 and R14: four corners of three BD each, then the invisible-edge
// flags.
bool ReadCornersR14(FcFilerDwg& filer, Corners& corners) {
  double z = 0.0;
  for (FcPoint2d& corner : corners) {
    if (!filer.ReadBitDouble(corner.x) || !filer.ReadBitDouble(corner.y) ||
        !filer.ReadBitDouble(z)) {
      return false;
    }
  }
  std::int16_t flags = 0;
  return filer.ReadBitShort(flags);
}

// Release 2000: the first corner raw, each other against the one before;
// the invisible-edge flags only when the record says it has them.
bool ReadCorners2000(FcFilerDwg& filer, Corners& corners) {
  std::uint8_t noFlags = 0;
  std::uint8_t zeroZ = 0;
  double z = 0.0;
  if (!filer.ReadBit(noFlags) || !filer.ReadBit(zeroZ) || !filer.ReadRawDouble(corners[0].x) ||
      !filer.ReadRawDouble(corners[0].y) || (zeroZ == 0 && !filer.ReadRawDouble(z))) {
    return false;
  }
  for (int k = 1; k < FcCornerEntity::kCornerCount; ++k) {
    if (!filer.ReadDefaultDouble(corners[k - 1].x, corners[k].x) ||
        !filer.ReadDefaultDouble(corners[k - 1].y, corners[k].y) ||
        !filer.ReadDefaultDouble(z, z)) {
      return false;
    }
  }
  std::int16_t flags = 0;
  return noFlags != 0 || filer.ReadBitShort(flags);
}

constexpr FcCornerEntity::Style kFaceStyle = {
    .recordName = Fc3DFace::kRecordName,
    .kind = kEntity3DFace,
    .dwgType = Fc3DFace::kDwgType,
    .subclassMarker = Fc3DFace::kSubclassMarker,
    .outline = FcCornerEntity::kStoredOrder,
    .fileOrder = FcCornerEntity::kStoredOrder,
    .filled = false,
    .outlineWhenPrinting = true,
    .labels = {"  At Point: ", "  At Point: ", "  At Point: ", "  At Point: "}};

}  // namespace

Fc3DFace::Fc3DFace() : FcCornerEntity(kFaceStyle) {}

Fc3DFace::Fc3DFace(const Fc3DFace& other) : Fc3DFace() { Copy(&other); }

FcObject* Fc3DFace::Create() { return new (std::nothrow) Fc3DFace; }

FcEntity* Fc3DFace::Clone() const { return new (std::nothrow) Fc3DFace(*this); }

FcEntity* Fc3DFace::CloneFromOtherGraph(FcGraph& target) const {
  return CloneEntityIntoGraph(*this, target);
}

bool Fc3DFace::Explode(FcEntitySets& target) {
  const Corners& corners = GetCorners();
  for (int k = 0; k < kCornerCount; ++k) {
    FcLine* edge = new (std::nothrow) FcLine;
    if (edge == nullptr) return false;
    edge->SetStartPoint(corners[k]);
    edge->SetEndPoint(corners[(k + 1) % kCornerCount]);
    edge->CopyProperties(this);
    target.Add(edge);
  }
  return true;
}

void Fc3DFace::WriteDwgData(FcFilerDwg& filer) {
  const Corners& corners = GetCorners();
  filer.WriteBit(1);
  filer.WriteBit(1);
  filer.WriteRawDouble(corners[0].x);
  filer.WriteRawDouble(corners[0].y);
  for (int k = 1; k < kCornerCount; ++k) {
    filer.WriteDefaultDouble(corners[k - 1].x, corners[k].x);
    filer.WriteDefaultDouble(corners[k - 1].y, corners[k].y);
    filer.WriteDefaultDouble(0.0, 0.0);
  }
}

int Fc3DFace::ReadDwgData(FcFilerDwg& filer) {
  Corners corners;
  const bool read = filer.GetVersion() >= FcFilerDwg::kVersion2000 ? ReadCorners2000(filer, corners)
                                                                   : ReadCornersR14(filer, corners);
  if (!read) return kFcStatusReadError;
  SetCorners(corners);
  return kFcStatusOk;
}
