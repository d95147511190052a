#include <cmath>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "database/graph.h"

namespace {

// Rounds to the nearest multiple of the spacing, halves up. A spacing that
// is not positive leaves the value.
double SnapCoordinate(double value, double spacing) {
  if (!(spacing > 0.0)) return value;
  const double below = spacing * std::floor(value / spacing);
  return value - below >= spacing / 2.0 ? below + spacing : below;
}


// The record, when there is one, takes the current UCS.
FcUCS* HoldCurrentUcs(const FcSystemVar& vars, FcUCS* record) {
  if (record == nullptr) return nullptr;
  record->SetOrigin(vars.ucsorg);
  record->SetXAxis(vars.ucsxdir);
  record->SetYAxis(vars.ucsydir);
  return record;
}

void MakeUcsFrom(FcSystemVar& vars, const FcUCS& record) {
  const FcPoint2d& origin = record.GetOrigin();
  vars.SetUcs(origin, origin + record.GetXAxis(), origin + record.GetYAxis());
}

}  // namespace

void FcGraph::ToSnapFrame(FcPoint2d& point) const {
  point = {point.x - sysVars_.snapbase.x, point.y - sysVars_.snapbase.y};
  RotateVector(-sysVars_.snapang, point);
}

void FcGraph::SnapToGrid(FcPoint2d& point) const {
  ToSnapFrame(point);
  point = {SnapCoordinate(point.x, sysVars_.snapunit.x), SnapCoordinate(point.y, sysVars_.snapunit.y)};
  RotateVector(sysVars_.snapang, point);
  point = point + sysVars_.snapbase;
}

void FcGraph::OrthoConstrain(const FcPoint2d& base, FcPoint2d& point) const {
  FcPoint2d turnedBase = base;
  RotateVector(-sysVars_.snapang, turnedBase);
  RotateVector(-sysVars_.snapang, point);
  if (std::fabs(point.y - turnedBase.y) < std::fabs(point.x - turnedBase.x)) {
    point.y = turnedBase.y;
  } else {
    point.x = turnedBase.x;
  }
  RotateVector(sysVars_.snapang, point);
}

void FcGraph::ToUserAngle(double& angle) const {
  NormalizeAngle(angle);
  angle -= sysVars_.angbase;
  if (angle < 0.0) angle += kTwoPi;
  if (sysVars_.angdir == 1) angle = kTwoPi - angle;
}

void FcGraph::AngleToUcs(double& angle) const {
  FcPoint2d origin{0.0, 0.0};
  FcPoint2d direction{std::cos(angle), std::sin(angle)};
  TransformPoint(sysVars_.UcsToWorld, origin);
  TransformPoint(sysVars_.UcsToWorld, direction);
  angle = std::atan2(direction.y - origin.y, direction.x - origin.x);
  NormalizeAngle(angle);
}

FcUCS* FcGraph::SaveNamedUcs(std::string_view name) {
  if (name.empty()) return nullptr;
  return HoldCurrentUcs(sysVars_, namedUcs_.AddNamed(name));
}

FcUCS* FcGraph::PushPreviousUcs() {
  return HoldCurrentUcs(sysVars_, previousUcs_.AddNew());
}

bool FcGraph::RestoreNamedUcs(std::string_view name) {
  if (name.empty()) return false;
  const FcUCS* record = namedUcs_.FindByName(name);
  if (record == nullptr) return false;
  PushPreviousUcs();
  MakeUcsFrom(sysVars_, *record);
  return true;
}

void FcGraph::RestorePreviousUcs() {
  const int count = previousUcs_.GetCount();
  if (count == 0) return;
  const FcUCS* record = previousUcs_.GetAt(count - 1);
  if (record != nullptr) MakeUcsFrom(sysVars_, *record);
}

bool FcGraph::PopPreviousUcs() {
  if (previousUcs_.GetCount() == 0) return false;
  RestorePreviousUcs();
  previousUcs_.RemoveLast();
  return true;
}

void FcGraph::RotateUcs(double angle) {
  FcPoint2d xAxis = sysVars_.ucsxdir;
  FcPoint2d yAxis = sysVars_.ucsydir;
  RotateVector(angle, xAxis);
  RotateVector(angle, yAxis);
  const FcPoint2d origin = sysVars_.ucsorg;
  sysVars_.SetUcs(origin, origin + xAxis, origin + yAxis);
}

void FcGraph::MoveUcsOrigin(double dx, double dy) {
  const FcPoint2d origin{sysVars_.ucsorg.x + dx, sysVars_.ucsorg.y + dy};
  sysVars_.SetUcs(origin, origin + sysVars_.ucsxdir, origin + sysVars_.ucsydir);
}
