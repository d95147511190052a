#include "entities/dim_angular.h"

#include <cmath>
#include <new>

#include "database/block.h"
#include "database/entity_dxf.h"
#include "entities/dimension_geometry.h"
#include "entities/entity_clone.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

FcDimAngular::FcDimAngular(std::uint8_t type, DwgObjectType dwgType, const char* marker, bool twoLines)
    : FcDimension(type, dwgType), marker_(marker), twoLines_(twoLines) {}

FcDimAngular::FcDimAngular(const FcDimAngular& other)
    : FcDimension(other), marker_(other.marker_), twoLines_(other.twoLines_) {}

int FcDimAngular::WriteDxf(FcFiler& filer) {
  FcDimension::WriteDxf(filer);
  filer.WriteString(100, marker_);
  WriteDxfPoint(filer, 13, GetDefPoint13());
  WriteDxfPoint(filer, 14, GetDefPoint14());
  WriteDxfPoint(filer, 15, GetDefPoint15());
  if (twoLines_) WriteDxfPoint(filer, 16, GetDefPoint16());
  return kFcStatusOk;
}

void FcDimAngular::Transform(const FcMatrix2d& matrix) {
  FcPoint2d points[5] = {GetDefPoint10(), GetDefPoint13(), GetDefPoint14(), GetDefPoint15(), GetDefPoint16()};
  for (FcPoint2d& p : points) TransformPoint(matrix, p);
  SetDefPoint10(points[0]);
  SetDefPoint13(points[1]);
  SetDefPoint14(points[2]);
  SetDefPoint15(points[3]);
  SetDefPoint16(points[4]);
  TransformTextMidpoint(matrix);
  FcBlock* block = GetDimBlock();
  if (block == nullptr) return;
  FcMatrix2d shifted = matrix;
  const FcPoint2d& offset = GetCloneInsertion();
  shifted.c += matrix.a * offset.x + matrix.b * offset.y - offset.x;
  shifted.f += matrix.d * offset.x + matrix.e * offset.y - offset.y;
  for (FcEntity* entity : block->GetEntities()) entity->Transform(shifted);
}

void FcDimAngular::GetGripPoints(FcPoint2dArray& points) {
  points.Add(GetDefPoint13());
  points.Add(GetDefPoint14());
  points.Add(GetDefPoint15());
  if (twoLines_) points.Add(GetDefPoint16());
  points.Add(GetDefPoint10());
  if (!HasNoText()) points.Add(GetTextMidpoint());
}

void FcDimAngular::RebuildBlock() {}

FcDim2LAng::FcDim2LAng() : FcDimAngular(kDimTypeAngular2Line, kDwgType, "AcDb2LineAngularDimension", true) {}

FcObject* FcDim2LAng::Create() { return new (std::nothrow) FcDim2LAng; }

FcEntity* FcDim2LAng::Clone() const { return new (std::nothrow) FcDim2LAng(*this); }

FcEntity* FcDim2LAng::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDim2LAng::List() {
  FcEntity::List();
  PrintMessage("type: angular");
  ListDimPoint("1st line defining point:", GetDefPoint13(), *this);
  ListDimPoint("1st line defining point:", GetDefPoint14(), *this);
  ListDimPoint("2nd line defining point:", GetDefPoint15(), *this);
  ListDimPoint("2nd line defining point:", GetDefPoint10(), *this);
  ListDimPoint("dimension line defining point:", GetDefPoint16(), *this);
  ListTextAndStyle();
}

void FcDim2LAng::WriteDwgData(FcFilerDwg& filer) {
  FcDimension::WriteDwgData(filer);
  WriteDwgRawPoint(filer, GetDefPoint16());
  WriteDwgPoint3(filer, GetDefPoint13());
  WriteDwgPoint3(filer, GetDefPoint14());
  WriteDwgPoint3(filer, GetDefPoint15());
  WriteDwgPoint3(filer, GetDefPoint10());
}

int FcDim2LAng::ReadDwgData(FcFilerDwg& filer) {
  if (FcDimension::ReadDwgData(filer) != kFcStatusOk) return kFcStatusReadError;
  FcPoint2d arc;
  FcPoint2d points[4];
  if (!ReadDwgRawPoint(filer, arc)) return kFcStatusReadError;
  for (FcPoint2d& p : points) {
    if (!ReadDwgPoint3(filer, p)) return kFcStatusReadError;
  }
  SetDefPoint16(arc);
  SetDefPoint13(points[0]);
  SetDefPoint14(points[1]);
  SetDefPoint15(points[2]);
  SetDefPoint10(points[3]);
  return kFcStatusOk;
}

FcDim3PAng::FcDim3PAng() : FcDimAngular(kDimTypeAngular3Point, kDwgType, "AcDb3PointAngularDimension", false) {}

FcObject* FcDim3PAng::Create() { return new (std::nothrow) FcDim3PAng; }

FcEntity* FcDim3PAng::Clone() const { return new (std::nothrow) FcDim3PAng(*this); }

FcEntity* FcDim3PAng::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDim3PAng::List() {
  FcEntity::List();
  PrintMessage("type: arc");
  ListDimPoint("1st extension  defining point:", GetDefPoint13(), *this);
  ListDimPoint("2nd extension  defining point:", GetDefPoint14(), *this);
  ListDimPoint("arc center    defining point:", GetDefPoint15(), *this);
  ListDimPoint("dimension arc defining point:", GetDefPoint10(), *this);
  ListTextAndStyle();
}

void FcDim3PAng::WriteDwgData(FcFilerDwg& filer) {
  FcDimension::WriteDwgData(filer);
  WriteDwgPoint3(filer, GetDefPoint10());
  WriteDwgPoint3(filer, GetDefPoint13());
  WriteDwgPoint3(filer, GetDefPoint14());
  WriteDwgPoint3(filer, GetDefPoint15());
}

int FcDim3PAng::ReadDwgData(FcFilerDwg& filer) {
  if (FcDimension::ReadDwgData(filer) != kFcStatusOk) return kFcStatusReadError;
  FcPoint2d points[4];
  for (FcPoint2d& p : points) {
    if (!ReadDwgPoint3(filer, p)) return kFcStatusReadError;
  }
  SetDefPoint10(points[0]);
  SetDefPoint13(points[1]);
  SetDefPoint14(points[2]);
  SetDefPoint15(points[3]);
  return kFcStatusOk;
}
