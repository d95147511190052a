#include "entities/dim_linear.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/matrix2d.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_layouts.h"
#include "entities/dimension_text.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

FcDimAligned::FcDimAligned() : FcDimAligned(kDimTypeAligned, kDwgType) {}

FcDimAligned::FcDimAligned(std::uint8_t type, DwgObjectType dwgType) : FcDimension(type, dwgType) {}

FcDimAligned::FcDimAligned(const FcDimAligned& other) : FcDimension(other) {
  KeepKind(kDimTypeAligned);
  SetDwgType(kDwgType);
}

FcObject* FcDimAligned::Create() { return new (std::nothrow) FcDimAligned; }

FcEntity* FcDimAligned::Clone() const { return new (std::nothrow) FcDimAligned(*this); }

FcEntity* FcDimAligned::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

int FcDimAligned::WriteDxf(FcFiler& filer) {
  FcDimension::WriteDxf(filer);
  filer.WriteString(100, kAlignedMarker);
  WriteDxfPoint(filer, 13, GetDefPoint13());
  WriteDxfPoint(filer, 14, GetDefPoint14());
  if ((GetDimType() & 7) == kDimTypeRotated && GetRotation() != 0.0) {
    filer.WriteReal(50, GetRotation() * kDimDegreesPerRadian);
  }
  return kFcStatusOk;
}

double FcDimAligned::MeasuringDirection() const { return AngleFromTo(GetDefPoint13(), GetDefPoint14()); }

double FcDimAligned::Measure() const { return DistanceBetween(GetDefPoint13(), GetDefPoint14()); }

bool FcDimAligned::ComputeDimLine(FcPoint2d& d1, FcPoint2d& d2) {
  const double a = MeasuringDirection();
  const double x = GetObliqueAngle() != 0.0 ? GetObliqueAngle() : a + kHalfPi;
  const FcPoint2d& p10 = GetDefPoint10();
  const FcPoint2d along = PointAtPolar(p10, 100.0, a);
  const bool first = IntersectLines(kInfiniteLines, p10, along, GetDefPoint13(), PointAtPolar(GetDefPoint13(), 1000.0, x), d1);
  const bool second = IntersectLines(kInfiniteLines, p10, along, GetDefPoint14(), PointAtPolar(GetDefPoint14(), 1000.0, x), d2);
  return first && second;
}

void FcDimAligned::RebuildBlock() {
  if (!BeginRebuild()) return;
  SetCloneInsertion({0.0, 0.0});
  SetMeasurement(Measure());
  FcPoint2d d1;
  FcPoint2d d2 = GetDefPoint10();
  ComputeDimLine(d1, d2);
  SetDefPoint10(d2);
  const FcDimStyle& style = *GetDimStyle();
  AddExtensionLine(d1, GetDefPoint13(), style.GetDimse1() != 0);
  AddExtensionLine(d2, GetDefPoint14(), style.GetDimse2() != 0);
  if (std::unique_ptr<FcDimText> text = AddText()) {
    LayoutLineText(*this, d1, d2, GetDefPoint14(), *text, false);
  } else if (style.GetDimsd1() == 0 || style.GetDimsd2() == 0) {
    LayoutLineWithoutText(*this, d1, d2);
  }
  EndRebuild();
}

void FcDimAligned::Transform(const FcMatrix2d& matrix) {
  TransformDefinitionPoints(matrix);
  if ((GetDimType() & 7) == kDimTypeRotated) SetRotation(TransformedAngle(matrix, GetRotation()));
  if (GetObliqueAngle() != 0.0) SetObliqueAngle(TransformedAngle(matrix, GetObliqueAngle()));
  RebuildIfPlaced();
}

void FcDimAligned::List() {
  FcEntity::List();
  PrintMessage("type: aligned");
  ListLinearPoints(*this);
}

void FcDimAligned::GetGripPoints(FcPoint2dArray& points) {
  points.Add(GetDefPoint13());
  points.Add(GetDefPoint14());
  points.Add(GetDefPoint10());
  FcPoint2d d1;
  FcPoint2d d2 = GetDefPoint10();
  ComputeDimLine(d1, d2);
  points.Add(d1);
  if (!HasNoText()) points.Add(GetTextMidpoint());
}

bool FcDimAligned::MoveOneGrip(int index, const FcPoint2d& offset) {
  switch (index) {
    case 0:
      SetDefPoint13(GetDefPoint13() + offset);
      return false;
    case 1:
      SetDefPoint14(GetDefPoint14() + offset);
      return false;
    case 2:
    case 3:
      SetDefPoint10(GetDefPoint10() + offset);
      if (IsUserText() && ResolveDimStyle() != nullptr && GetDimStyle()->GetDimtmove() == 0) {
        SetTextMidpoint(GetTextMidpoint() + offset);
      }
      return false;
    case 4:
      SetTextMidpoint(GetTextMidpoint() + offset);
      return true;
    default:
      return false;
  }
}

int FcDimAligned::FinishGripMove(bool textMoved) {
  if (textMoved) {
    SetDimType(static_cast<std::uint8_t>(GetDimType() | kDimUserText));
    if (ResolveDimStyle() != nullptr && GetDimStyle()->GetDimtmove() != 0) {
      RebuildBlock();
      return 0;
    }
    SetDefPoint10(GetTextMidpoint());
  }
  const double d = MeasuringDirection();
  const FcPoint2d& p10 = GetDefPoint10();
  const FcPoint2d& p14 = GetDefPoint14();
  FcPoint2d squared = p10;
  if (IntersectLines(kInfiniteLines, p10, PointAtPolar(p10, 100.0, d), p14, PointAtPolar(p14, 100.0, d + kHalfPi), squared)) {
    SetDefPoint10(squared);
  }
  RebuildBlock();
  return 0;
}

int FcDimAligned::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  bool textMoved = false;
  for (int i = 0; i < indices.count; ++i) textMoved = MoveOneGrip(indices[i], offset) || textMoved;
  FinishGripMove(textMoved);
  return indices.count;
}

void FcDimAligned::WriteDwgData(FcFilerDwg& filer) {
  FcDimension::WriteDwgData(filer);
  for (const FcPoint2d& p : {GetDefPoint13(), GetDefPoint14(), GetDefPoint10()}) WriteDwgPoint3(filer, p);
  filer.WriteBitDouble(GetObliqueAngle());
}

int FcDimAligned::ReadDwgData(FcFilerDwg& filer) {
  if (FcDimension::ReadDwgData(filer) != kFcStatusOk) return kFcStatusReadError;
  FcPoint2d points[3];
  double oblique = 0.0;
  for (FcPoint2d& p : points) {
    if (!ReadDwgPoint3(filer, p)) return kFcStatusReadError;
  }
  if (!filer.ReadBitDouble(oblique)) return kFcStatusReadError;
  SetDefPoint13(points[0]);
  SetDefPoint14(points[1]);
  SetDefPoint10(points[2]);
  SetObliqueAngle(std::isfinite(oblique) ? oblique : 0.0);
  return kFcStatusOk;
}

FcDimRotate::FcDimRotate() : FcDimAligned(kDimTypeRotated, kDwgType) {}

FcDimRotate::FcDimRotate(const FcDimRotate& other) : FcDimAligned(other) {
  KeepKind(kDimTypeRotated);
  SetDwgType(kDwgType);
}

FcObject* FcDimRotate::Create() { return new (std::nothrow) FcDimRotate; }

FcEntity* FcDimRotate::Clone() const { return new (std::nothrow) FcDimRotate(*this); }

FcEntity* FcDimRotate::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDimRotate::Copy(const FcEntity* other) {
  FcDimAligned::Copy(other);
  KeepKind(kDimTypeRotated);
}

void FcDimRotate::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcDimAligned::CopyFromOtherGraph(other, target);
  KeepKind(kDimTypeRotated);
}

int FcDimRotate::WriteDxf(FcFiler& filer) {
  FcDimAligned::WriteDxf(filer);
  filer.WriteString(100, kRotatedMarker);
  return kFcStatusOk;
}

double FcDimRotate::MeasuringDirection() const { return GetRotation(); }

double FcDimRotate::Measure() const {
  const FcPoint2d& p14 = GetDefPoint14();
  return PointLineDistance(GetDefPoint13(), p14, PointAtPolar(p14, 1.0, GetRotation() + kHalfPi));
}

void FcDimRotate::List() {
  FcEntity::List();
  FcPoint2d d1;
  FcPoint2d d2 = GetDefPoint10();
  ComputeDimLine(d1, d2);
  double line = AngleFromTo(d1, d2);
  NormalizeAngle(line);
  double phi = line + GetHorizontalDirection();
  NormalizeAngle(phi);
  if (phi == 0.0 || phi == kPi) {
    PrintMessage("type: horizontal");
  } else if (phi == kHalfPi || phi == 3.0 * kHalfPi) {
    PrintMessage("type: vertical");
  } else {
    PrintMessage("type: rotated");
    PrintMessage("rotation: " + FormatDrawingAngle(phi, OwnerGraphOf(*this)));
  }
  ListLinearPoints(*this);
}

int FcDimRotate::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (indices.count == 0) return 0;
  FinishGripMove(MoveOneGrip(indices[0], offset));
  return indices.count;
}

void FcDimRotate::WriteDwgData(FcFilerDwg& filer) {
  FcDimAligned::WriteDwgData(filer);
  filer.WriteBitDouble(GetRotation());
}

int FcDimRotate::ReadDwgData(FcFilerDwg& filer) {
  if (FcDimAligned::ReadDwgData(filer) != kFcStatusOk) return kFcStatusReadError;
  double rotation = 0.0;
  if (!filer.ReadBitDouble(rotation)) return kFcStatusReadError;
  SetRotation(std::isfinite(rotation) ? rotation : 0.0);
  return kFcStatusOk;
}
