#include "core/point_parse.h"

#include <cmath>

#include "core/angle_parse.h"
#include "core/number_separators.h"
#include "core/point2d.h"
#include "core/value_parse.h"

int ParsePointText(std::string_view text, double& x, double& y, const UnitSettings& units) {
  int kind = 1;
  if (!text.empty() && text.front() == '@') {
    kind = 2;
    text.remove_prefix(1);
  }

  const std::size_t list = text.find(GetNumberSeparators().list);
  if (list != std::string_view::npos) {
    double px = 0.0;
    double py = 0.0;
    if (!ParseDistance(text.substr(0, list), px) || !ParseDistance(text.substr(list + 1), py)) {
      return 0;
    }
    x = px;
    y = py;
    return kind;
  }

  const std::size_t polar = text.find('<');
  if (polar == std::string_view::npos) return 0;
  double distance = 0.0;
  double angle = 0.0;
  int code = -1;
  if (!ParseDistance(text.substr(0, polar), distance) ||
      !ParseAngle(text.substr(polar + 1), angle, code)) {
    return 0;
  }
  if (code == -1) code = units.aunits;
  AngleToRadians(angle, code, angle);
  angle += units.angbase;
  if (units.angdir == 1) angle = kTwoPi - angle;
  x = std::cos(angle) * distance;
  y = std::sin(angle) * distance;
  return kind;
}
