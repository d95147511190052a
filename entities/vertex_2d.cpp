#include "entities/vertex_2d.h"

#include <cmath>

#include "filers/filer_dwg.h"

Fc2DVertex::Fc2DVertex() {
  SetRecordName("VERTEX");
  SetKind(kEntityVertex);
  SetDwgType(kDwgType);
}

void Fc2DVertex::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteRawByte(flags);
  filer.WriteBitDouble(x);
  filer.WriteBitDouble(y);
  filer.WriteBitDouble(0.0);
  if (startWidth == endWidth && startWidth != 0.0) {
    filer.WriteBitDouble(-startWidth);
  } else {
    filer.WriteBitDouble(startWidth);
    filer.WriteBitDouble(endWidth);
  }
  filer.WriteBitDouble(bulge);
  filer.WriteBitDouble(0.0);
}

int Fc2DVertex::ReadDwgData(FcFilerDwg& filer) {
  double z = 0.0;
  double tangent = 0.0;
  if (!filer.ReadRawChar(flags) || !filer.ReadBitDouble(x) || !filer.ReadBitDouble(y) || !filer.ReadBitDouble(z) ||
      !filer.ReadBitDouble(startWidth)) {
    return kFcStatusReadError;
  }
  if (startWidth < 0.0) {
    startWidth = -startWidth;
    endWidth = startWidth;
  } else if (!filer.ReadBitDouble(endWidth)) {
    return kFcStatusReadError;
  }
  if (!filer.ReadBitDouble(bulge) || !filer.ReadBitDouble(tangent)) return kFcStatusReadError;
  const bool finite = std::isfinite(x) && std::isfinite(y) && std::isfinite(startWidth) && std::isfinite(endWidth) &&
                      std::isfinite(bulge);
  if (!finite) return kFcStatusReadError;
  endWidth = std::fabs(endWidth);
  return kFcStatusOk;
}
