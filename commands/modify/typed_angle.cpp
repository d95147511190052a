#include "commands/modify/typed_angle.h"

#include <cmath>

#include "core/angle_parse.h"
#include "database/graph.h"

double TypedAngle(const FcGraph& graph, double answer, const std::string& text) {
  double value = 0.0;
  int unit = -1;
  if (!ParseAngle(text, value, unit)) return answer;
  double radians = answer;
  AngleToRadians(value, unit == -1 ? graph.GetSysVars().aunits : unit, radians);
  return std::isfinite(radians) ? radians : answer;
}
