#include <cmath>
#include <new>
#include <utility>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "entities/dim_angular.h"
#include "entities/dimension_geometry.h"
#include "entities/entity_clone.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

// A side of one of the four angles between the two lines: along a line
// towards its points, or the opposite way from the centre.
struct AngularRay {
  double angle = 0.0;
  FcPoint2d first;
  FcPoint2d second;
  bool opposite = false;
};

// The angle the arc point picks: the rays at its start and end side,
// counter-clockwise, the end's angle above the start's.
struct Sector {
  FcPoint2d centre;
  AngularRay start;
  AngularRay end;
};

AngularRay MakeRay(double angle, const FcPoint2d& first, const FcPoint2d& second, bool opposite) {
  return {angle, first, second, opposite};
}

// The direction from the centre to a line's first point, or to its second
// when the first lies on the centre.
double LineAngle(const FcPoint2d& centre, const FcPoint2d& first, const FcPoint2d& second) {
  return NormalAngleAbout(centre, IsSamePoint(first, centre) ? second : first);
}

// False for lines that do not cross.
bool FindSector(const FcDimension& dimension, Sector& sector) {
  FcPoint2d start1 = dimension.GetDefPoint13();
  FcPoint2d start2 = dimension.GetDefPoint14();
  FcPoint2d end1 = dimension.GetDefPoint15();
  FcPoint2d end2 = dimension.GetDefPoint10();
  FcPoint2d& c = sector.centre;
  if (!IntersectLines(kInfiniteLines, start1, start2, end1, end2, c)) return false;
  double t1 = LineAngle(c, start1, start2);
  double t2 = LineAngle(c, end1, end2);
  double t3 = NormalAngleAbout(c, dimension.GetDefPoint16());
  if (t1 > t2) {
    std::swap(start1, end1);
    std::swap(start2, end2);
    std::swap(t1, t2);
  }
  if (t3 < t1) t3 += kTwoPi;
  auto above = [t1](double angle) {
    angle = NormalAngle(angle);
    return angle < t1 ? angle + kTwoPi : angle;
  };
  AngularRay rays[4] = {
      MakeRay(t1, start1, start2, false),
      MakeRay(t2, end1, end2, false),
      MakeRay(above(t1 + kPi), c, 2.0 * c - start1, true),
      MakeRay(above(t2 + kPi), c, 2.0 * c - end1, true),
  };
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      if (rays[j].angle < rays[i].angle) std::swap(rays[i], rays[j]);
    }
  }
  for (int k = 0; k < 3; ++k) {
    if (rays[k].angle <= t3 && t3 < rays[k + 1].angle) {
      sector.start = rays[k];
      sector.end = rays[k + 1];
      return true;
    }
  }
  sector.start = rays[3];
  sector.end = rays[0];
  sector.end.angle += kTwoPi;
  return true;
}

// Where the extension line of a side starts: the centre for an opposite
// ray, the line point nearer the arc end when the end lies off the line's
// segment; false when it lies on the segment.
bool ExtensionOrigin(const AngularRay& ray, const FcPoint2d& centre, const FcPoint2d& end, FcPoint2d& origin) {
  if (ray.opposite) {
    origin = centre;
    return true;
  }
  if (IsBetween(ray.first, ray.second, end)) return false;
  const FcPoint2d& l1 = ray.first;
  const FcPoint2d& l2 = ray.second;
  const bool beyondSecond = std::fabs(l1.x - l2.x) < kTolerance ? (end.y - l2.y) * (l1.y - l2.y) < 0.0
                                                                  : (end.x - l2.x) * (l1.x - l2.x) < 0.0;
  origin = beyondSecond ? l2 : l1;
  return true;
}

}  // namespace

FcDim2LAng::FcDim2LAng() : FcDimAngle(kDimTypeAngular2Line, kDwgType, "AcDb2LineAngularDimension") {}

FcDim2LAng::FcDim2LAng(const FcDim2LAng& other) : FcDimAngle(other, kDimTypeAngular2Line) {}

FcObject* FcDim2LAng::Create() { return new (std::nothrow) FcDim2LAng; }

FcEntity* FcDim2LAng::Clone() const { return new (std::nothrow) FcDim2LAng(*this); }

FcEntity* FcDim2LAng::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDim2LAng::RebuildBlock() {
  if (IsSamePoint(GetDefPoint13(), GetDefPoint14()) || IsSamePoint(GetDefPoint15(), GetDefPoint10())) return;
  if (!BeginRebuild()) return;
  Sector sector;
  if (!FindSector(*this, sector)) {
    EndRebuild();
    return;
  }
  for (const FcPoint2d& p : {GetDefPoint13(), GetDefPoint14(), GetDefPoint15(), GetDefPoint10()}) {
    AddDefPoint(kColorByBlock, p);
  }
  const FcPoint2d& c = sector.centre;
  const double sweep = sector.end.angle - sector.start.angle;
  SetMeasurement(sweep);
  const double radius = DistanceBetween(c, GetDefPoint16());
  SetStartLine(sector.start.first, sector.start.second);
  SetEndLine(sector.end.first, sector.end.second);
  SetArc(c, radius, sector.start.angle, sector.end.angle);
  startOrigin_ = endOrigin_ = false;
  if (radius == 0.0) {
    EndRebuild();
    return;
  }
  const double share = GetDimStyle()->GetDimjust() == 2 ? 2.0 / 3.0 : 1.0 / 3.0;
  SetDefPoint16(PointAtPolar(c, radius, sector.start.angle + share * sweep));
  AddDefPoint(kColorByBlock, GetDefPoint16());
  const FcDimStyle& style = *GetDimStyle();
  FcPoint2d origin;
  startOrigin_ = ExtensionOrigin(sector.start, c, GetArcStart(), origin);
  if (startOrigin_) AddExtensionLine(GetArcStart(), origin, style.GetDimse1() != 0);
  endOrigin_ = ExtensionOrigin(sector.end, c, GetArcEnd(), origin);
  if (endOrigin_) AddExtensionLine(GetArcEnd(), origin, style.GetDimse2() != 0);
  FinishAngularRebuild(GetDefPoint16());
}

double FcDim2LAng::ComputeDimLine() {
  Sector sector;
  if (!FindSector(*this, sector)) return 0.0;
  return sector.end.angle - sector.start.angle;
}

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

std::span<const int> FcDim2LAng::GripGroups() const {
  static constexpr int kGroups[] = {13, 14, 15, 16, 10, 11};
  return kGroups;
}

bool FcDim2LAng::FindCentre(FcPoint2d& centre) const {
  return IntersectLines(kInfiniteLines, GetDefPoint15(), GetDefPoint10(), GetDefPoint13(), GetDefPoint14(), centre);
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
