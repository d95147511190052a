#include <new>
#include <utility>

#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "entities/dim_angular.h"
#include "entities/dimension_geometry.h"
#include "entities/entity_clone.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

// The sweep about the vertex from one end point counter-clockwise to the
// other that holds the arc point's direction.
struct Sweep {
  double start = 0.0;
  double end = 0.0;
  bool swapped = false;
};

Sweep FindSweep(const FcDimension& dimension) {
  const FcPoint2d& c = dimension.GetDefPoint15();
  Sweep sweep{NormalAngleAbout(c, dimension.GetDefPoint13()), NormalAngleAbout(c, dimension.GetDefPoint14())};
  double through = NormalAngleAbout(c, dimension.GetDefPoint10());
  if (sweep.end < sweep.start) sweep.end += kTwoPi;
  if (through < sweep.start) through += kTwoPi;
  if (through > sweep.end) {
    // The arc point lies outside: the sweep runs the other way round.
    sweep.swapped = true;
    std::swap(sweep.start, sweep.end);
    sweep.start = NormalAngle(sweep.start);
    sweep.end = NormalAngle(sweep.end);
    if (sweep.end < sweep.start) sweep.end += kTwoPi;
  }
  return sweep;
}

}  // namespace

FcDim3PAng::FcDim3PAng() : FcDimAngle(kDimTypeAngular3Point, kDwgType, "AcDb3PointAngularDimension") {}

FcDim3PAng::FcDim3PAng(const FcDim3PAng& other) : FcDimAngle(other, kDimTypeAngular3Point) {}

FcObject* FcDim3PAng::Create() { return new (std::nothrow) FcDim3PAng; }

FcEntity* FcDim3PAng::Clone() const { return new (std::nothrow) FcDim3PAng(*this); }

FcEntity* FcDim3PAng::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDim3PAng::RebuildBlock() {
  const FcPoint2d& c = GetDefPoint15();
  if (IsSamePoint(c, GetDefPoint13()) || IsSamePoint(c, GetDefPoint14())) return;
  if (!BeginRebuild()) return;
  const Sweep sweep = FindSweep(*this);
  const FcPoint2d& first = sweep.swapped ? GetDefPoint14() : GetDefPoint13();
  const FcPoint2d& second = sweep.swapped ? GetDefPoint13() : GetDefPoint14();
  SetStartLine(first, {});
  SetEndLine(second, {});
  SetMeasurement(sweep.end - sweep.start);
  const double radius = DistanceBetween(c, GetDefPoint10());
  SetArc(c, radius, sweep.start, sweep.end);
  AddDefPoint(kColorByBlock, c);
  const double share = GetDimStyle()->GetDimjust() == 2 ? 2.0 / 3.0 : 1.0 / 3.0;
  SetDefPoint10(PointAtPolar(c, radius, sweep.start + share * (sweep.end - sweep.start)));
  AddDefPoint(kColorByBlock, GetDefPoint10());
  const FcDimStyle& style = *GetDimStyle();
  AddExtensionLine(GetArcStart(), first, style.GetDimse1() != 0);
  AddExtensionLine(GetArcEnd(), second, style.GetDimse2() != 0);
  FinishAngularRebuild(GetDefPoint10());
}

double FcDim3PAng::ComputeDimLine() {
  const Sweep sweep = FindSweep(*this);
  return sweep.end - sweep.start;
}

void FcDim3PAng::List() {
  FcEntity::List();
  PrintMessage("type: arc");
  ListDimPoint("1st extension  defining point:", GetDefPoint13(), *this);
  ListDimPoint("2nd extension  defining point:", GetDefPoint14(), *this);
  ListDimPoint("arc center    defining point:", GetDefPoint15(), *this);
  ListDimPoint("dimension arc defining point:", GetDefPoint10(), *this);
  ListTextAndStyle();
}

std::span<const int> FcDim3PAng::GripGroups() const {
  static constexpr int kGroups[] = {13, 14, 15, 10, 11};
  return kGroups;
}

bool FcDim3PAng::FindCentre(FcPoint2d& centre) const {
  centre = GetDefPoint15();
  return true;
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
