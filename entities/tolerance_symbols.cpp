#include "entities/tolerance_symbols.h"

#include <cmath>
#include <initializer_list>

#include "core/point2d.h"

namespace {

const double kDegree = kPi / 180.0;
const double kTan30 = std::tan(30.0 * kDegree);
const double kTan60 = std::tan(60.0 * kDegree);
const double kCos30 = std::cos(30.0 * kDegree);

// One step of a letter outline: a length (times the symbol size) at an
// angle in degrees.
struct Step {
  double length;
  double degrees;
};

std::vector<FcPoint2d> Walk(const FcPoint2d& start, double s, std::initializer_list<Step> steps) {
  std::vector<FcPoint2d> points{start};
  FcPoint2d at = start;
  for (const Step& step : steps) {
    at = {at.x + step.length * s * std::cos(step.degrees * kDegree), at.y + step.length * s * std::sin(step.degrees * kDegree)};
    points.push_back(at);
  }
  return points;
}

// The runout arrow: a line rising at 45 degrees with a closed arrowhead
// whose tip is at (x + 0.75s, y + 0.375s).
void Runout(double x, double y, double s, FcSymbolPainter& painter) {
  const FcPoint2d start{x, y - 0.375 * s};
  const double along = 0.465 * s * std::cos(45.0 * kDegree);
  const FcPoint2d end{start.x + along, start.y + along};
  painter.Line(start, end);
  const double side = 0.15 * s * std::cos(45.0 * kDegree);
  painter.Polyline({{end.x - side, end.y + side}, {end.x + side, end.y - side}, {x + 0.75 * s, y + 0.375 * s}}, true);
}

void SlantedLine(double x, double y, double s, FcSymbolPainter& painter) {
  painter.Line({x, y - 0.375 * s}, {x + 0.75 * s / kTan60, y + 0.375 * s});
}

}  // namespace

double DrawToleranceSymbol(char letter, const FcPoint2d& pen, double s, FcSymbolPainter& painter) {
  const double x = pen.x;
  const double y = pen.y;
  const FcPoint2d c{x + 0.375 * s, y};
  switch (letter) {
    case 'a':
      painter.Polyline({{x + 0.75 * s, y - 0.25 * s}, {x, y - 0.25 * s}, {x + 0.75 * s, y + s * (0.75 * kTan30 - 0.25)}}, false);
      return 0.75 * s;
    case 'b':
      painter.Line({x + s, y - 0.375 * s}, {x, y - 0.375 * s});
      painter.Line({x + 0.5 * s, y - 0.375 * s}, {x + 0.5 * s, y + 0.375 * s});
      return s;
    case 'c': {
      const double lean = 0.75 * s / kTan60;
      painter.Polyline({{x, y - 0.375 * s}, {x + lean, y + 0.375 * s}, {x + lean + 0.75 * s, y + 0.375 * s},
                        {x + 0.75 * s, y - 0.375 * s}},
                       true);
      return 0.75 * s + lean;
    }
    case 'd':
      painter.Line({x, y - 0.25 * s}, {x + s, y - 0.25 * s});
      painter.Arc({x + 0.5 * s, y - 0.25 * s}, 0.5 * s, 0.0, kPi);
      return s;
    case 'e':
      painter.Circle(c, 0.375 * s);
      return 0.75 * s;
    case 'f':
      SlantedLine(x, y, s, painter);
      SlantedLine(x + 0.3 * s, y, s, painter);
      return 0.3 * s + 0.75 * s / kTan60;
    case 'g': {
      const double second = 0.5 * s / kCos30;
      SlantedLine(x, y, s, painter);
      SlantedLine(x + second, y, s, painter);
      painter.Circle({x + 0.375 * s / kTan60 + 0.25 * s / kCos30, y}, 0.25 * s);
      return second + 0.75 * s / kTan60;
    }
    case 'h':
      Runout(x, y, s, painter);
      return 0.75 * s;
    case 'i':
      painter.Line({x + 0.75 * s, y}, {x, y});
      painter.Line({x + 0.225 * s, y - 0.25 * s}, {x + 0.525 * s, y - 0.25 * s});
      painter.Line({x + 0.225 * s, y + 0.25 * s}, {x + 0.525 * s, y + 0.25 * s});
      return 0.75 * s;
    case 'j':
      painter.Circle(c, 0.25 * s);
      painter.Line({x + 0.75 * s, y}, {x, y});
      painter.Line({c.x, y - 0.375 * s}, {c.x, y + 0.375 * s});
      return 0.75 * s;
    case 'k':
      painter.Arc({x + 0.5 * s, y - 0.25 * s}, 0.5 * s, 0.0, kPi);
      return s;
    case 'l':
      painter.Circle(c, 0.375 * s);
      painter.Polyline({{c.x - 0.1236 * s, c.y + 0.2 * s}, {c.x - 0.1236 * s, c.y - 0.2 * s}, {c.x + 0.1236 * s, c.y - 0.2 * s}},
                       false);
      return 0.75 * s;
    case 'm':
      painter.Circle(c, 0.375 * s);
      painter.Polyline({{c.x - 0.15 * s, c.y - 0.2 * s},
                        {c.x - 0.15 * s, c.y + 0.2 * s},
                        {c.x, c.y - 0.2 * s},
                        {c.x + 0.15 * s, c.y + 0.2 * s},
                        {c.x + 0.15 * s, c.y - 0.2 * s}},
                       false);
      return 0.75 * s;
    case 'n': {
      const FcPoint2d centre{x + 0.25 * s, y};
      painter.Circle(centre, 0.25 * s);
      const double lean = 0.375 * s / kTan60;
      painter.Line({centre.x - lean, y - 0.375 * s}, {centre.x + lean, y + 0.375 * s});
      return 0.5 * s;
    }
    case 'p':
      painter.Circle(c, 0.375 * s);
      painter.Polyline(Walk({c.x - 0.13333333 * s, c.y - 0.2 * s}, s,
                            {{0.4, 90.0}, {0.1714285715, 0.0}, {0.06023386, 341.5651}, {0.026937401, 315.0},
                             {0.042591771, 296.5651}, {0.057142857, 270.0}, {0.042591771, 243.4349},
                             {0.026937401, 225.0}, {0.06023386, 198.4349}, {0.1714285715, 180.0}}),
                       false);
      return 0.75 * s;
    case 'r':
      painter.Circle(c, 0.25 * s);
      painter.Circle(c, 0.375 * s);
      return 0.75 * s;
    case 's':
      painter.Circle(c, 0.375 * s);
      painter.Polyline(
          Walk({c.x + 0.13333333 * s, c.y + 0.13333333 * s}, s,
               {{0.0538748025, 135.0}, {0.06023386, 161.5651}, {0.076190476, 180.0}, {0.06023386, 198.4349},
                {0.0538748025, 225.0}, {0.038095238, 270.0}, {0.042591771, 296.5651}, {0.026937401, 315.0},
                {0.042591771, 333.4349}, {0.1204677205, 341.5651}, {0.042591771, 333.4349}, {0.026937401, 315.0},
                {0.042591771, 296.5651}, {0.057142857, 270.0}, {0.0538748025, 225.0}, {0.06023386, 198.434},
                {0.076190476, 180.0}, {0.06023386, 161.5651}, {0.0538748025, 135.0}}),
          false);
      return 0.75 * s;
    case 't':
      Runout(x, y, s, painter);
      painter.Line({x, y - 0.375 * s}, {x + 0.5 * s, y - 0.375 * s});
      Runout(x + 0.5 * s, y, s, painter);
      return 1.25 * s;
    case 'u':
      painter.Line({x, y}, {x + s, y});
      return s;
    default:
      return 0.0;
  }
}
