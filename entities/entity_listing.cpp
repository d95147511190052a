#include "entities/entity_listing.h"

#include <cmath>

#include "core/angle_format.h"
#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/value_format.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/system_var.h"

namespace {

const FcSystemVar& SettingsOf(const FcGraph* graph) {
  static const FcSystemVar kNewDrawing;
  return graph != nullptr ? graph->GetSysVars() : kNewDrawing;
}

}  // namespace

FcPoint2d WorldToUcsPoint(const FcPoint2d& point, const FcGraph* graph) {
  FcPoint2d ucs = point;
  TransformPoint(SettingsOf(graph).WorldToUcs, ucs);
  return ucs;
}

FormattedPoint FormatPoint(const FcPoint2d& point, const FcGraph* graph) {
  const FcPoint2d ucs = WorldToUcsPoint(point, graph);
  return {FormatDrawingDistance(ucs.x, graph), FormatDrawingDistance(ucs.y, graph)};
}

std::string FormatDrawingDistance(double value, const FcGraph* graph) {
  const FcSystemVar& vars = SettingsOf(graph);
  return FormatDistance(value, vars.lunits, vars.luprec);
}

std::string FormatDrawingAngle(double value, const FcGraph* graph) {
  const FcSystemVar& vars = SettingsOf(graph);
  return FormatAngle(vars.auprec, value, vars.aunits);
}

double UcsDirectionAngle(const FcPoint2d& from, const FcPoint2d& to, const FcGraph* graph) {
  const FcSystemVar& vars = SettingsOf(graph);
  const FcPoint2d a = WorldToUcsPoint(from, graph);
  const FcPoint2d b = WorldToUcsPoint(to, graph);
  double angle = std::atan2(b.y - a.y, b.x - a.x);
  NormalizeAngle(angle);
  angle -= vars.angbase;
  if (angle < 0.0) angle += kTwoPi;
  if (vars.angdir == 1) angle = kTwoPi - angle;
  return angle;
}
