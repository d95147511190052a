#include "shell/coordinates_text.h"

#include <cmath>
#include <numbers>

#include "core/angle_format.h"
#include "core/value_format.h"
#include "database/system_var.h"

std::string CoordinatesText(const FcSystemVar& vars, const FcPoint2d& point, const FcPoint2d* base) {
  if (vars.coords == 0) return {};
  const auto distance = [&vars](double value) { return FormatDistance(value, vars.lunits, vars.luprec); };
  if (vars.coords != 2 || base == nullptr) return " " + distance(point.x) + ", " + distance(point.y);
  const double dx = point.x - base->x;
  const double dy = point.y - base->y;
  constexpr double kTurn = 2.0 * std::numbers::pi;
  double angle = std::atan2(dy, dx) - vars.angbase;
  if (vars.angdir == 1) angle = -angle;
  angle = std::fmod(angle, kTurn);
  if (angle < 0.0) angle += kTurn;
  return " " + distance(std::hypot(dx, dy)) + "<" + FormatAngle(vars.auprec, angle, vars.aunits);
}
