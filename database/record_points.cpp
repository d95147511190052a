#include "database/record_points.h"

#include "database/entity_dxf.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

void WriteDxfPoint3(FcFiler& filer, std::int16_t code, const FcPoint2d& point) {
  WriteDxfPoint(filer, code, point);
  filer.WriteReal(static_cast<std::int16_t>(code + 20), 0.0);
}

void WriteDwgPoint3(FcFilerDwg& filer, const FcPoint2d& point, double z) {
  filer.WriteBitDouble(point.x);
  filer.WriteBitDouble(point.y);
  filer.WriteBitDouble(z);
}

bool ReadDwgPoint3(FcFilerDwg& filer, FcPoint2d& point) {
  double values[3] = {};
  if (!filer.Read3BitDouble(values)) return false;
  point = {values[0], values[1]};
  return true;
}

void WriteDwgRawPoint(FcFilerDwg& filer, const FcPoint2d& point) {
  filer.WriteRawDouble(point.x);
  filer.WriteRawDouble(point.y);
}

bool ReadDwgRawPoint(FcFilerDwg& filer, FcPoint2d& point) {
  double values[2] = {};
  if (!filer.Read2RawDouble(values)) return false;
  point = {values[0], values[1]};
  return true;
}

void WriteDxfUcs(FcFiler& filer, std::int16_t firstCode, const FcPoint2d& origin, const FcPoint2d& xAxis,
                 const FcPoint2d& yAxis) {
  WriteDxfPoint3(filer, firstCode, origin);
  WriteDxfPoint3(filer, static_cast<std::int16_t>(firstCode + 1), xAxis);
  WriteDxfPoint3(filer, static_cast<std::int16_t>(firstCode + 2), yAxis);
  filer.WriteInt(79, 0);
  filer.WriteReal(146, 0.0);
}

void WriteDwgUcs(FcFilerDwg& filer, const FcPoint2d& origin, const FcPoint2d& xAxis, const FcPoint2d& yAxis) {
  WriteDwgPoint3(filer, origin);
  WriteDwgPoint3(filer, xAxis);
  WriteDwgPoint3(filer, yAxis);
  filer.WriteBitDouble(0.0);
  filer.WriteBitShort(0);
}
