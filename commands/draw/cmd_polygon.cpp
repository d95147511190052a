#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/draw_settings.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "core/value_parse.h"
#include "database/graph.h"
#include "display/drag_polygon.h"
#include "entities/polyline.h"
#include "shell/input_request.h"

namespace {

constexpr int kFewestSides = 3;

struct RegularPolygon {
  FcPoint2d centre;
  double radius = 0.0;
  double start = 0.0;
};

// The number of sides; 0 when the command is to end.
int AskSides(FcGraph& graph) {
  int count = std::clamp<int>(graph.GetSysVars().polysides, kFewestSides, FcDragPolygon::kMostSides);
  for (;;) {
    SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
    int answer = 0;
    std::string text;
    const int status = GetInteger("Number of sides <" + std::to_string(count) + ">", answer, text);
    if (status == FC_INPUT_NONE) break;
    if (status != FC_INPUT_OK) return 0;
    if (answer >= kFewestSides && answer <= FcDragPolygon::kMostSides) {
      count = answer;
      break;
    }
    PrintMessage("Requires an integer between 3 and 1024.");
  }
  graph.GetSysVars().SetPolySides(static_cast<short>(count));
  return count;
}

// About a centre, through a vertex (inscribed) or an edge midpoint
// (circumscribed); false when the command is to end.
bool AboutCentre(FcGraph& graph, const FcPoint2d& centreUcs, int sides, RegularPolygon& polygon) {
  DrawCommandSettings settings = GetDrawCommandSettings();
  SetKeywords("Inscribed Circumscribed", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword(std::string("Inscribed in circle/Circumscribed about circle (I/C)<") +
                                    (settings.polygonInscribed ? "I" : "C") + ">",
                                keyword, text);
  if (status == FC_INPUT_OK || status == FC_INPUT_KEYWORD) {
    settings.polygonInscribed = keyword != "Circumscribed";
    SetDrawCommandSettings(settings);
  } else if (status != FC_INPUT_NONE) {
    return false;
  }
  const bool inscribed = settings.polygonInscribed;
  const double delta = 2.0 * std::numbers::pi / sides;
  polygon.centre = UcsToWorldPoint(graph, centreUcs);
  FcDragPolygon band = FcDragPolygon::AboutCentre(inscribed ? FcDragPolygon::kInscribed : FcDragPolygon::kCircumscribed,
                                                  polygon.centre, sides);
  for (;;) {
    SetDragObject(&band);
    SetKeywords("", kInputAnyText);
    FcPoint2d point;
    const int answer = GetPoint(&centreUcs, "Radius of circle", point, text);
    double radius = 0.0;
    const bool typedPoint = text.empty() || text.find_first_of(",<") != std::string::npos;
    if (answer == FC_INPUT_OK && typedPoint) {
      const FcPoint2d world = UcsToWorldPoint(graph, point);
      radius = DistanceBetween(polygon.centre, world);
      polygon.start = AngleFromTo(polygon.centre, world);
    } else if (answer == FC_INPUT_OK || answer == FC_INPUT_TEXT || answer == FC_INPUT_KEYWORD) {
      if (text.empty() || !ParseReal(text, radius)) {
        PrintMessage("Requires numeric distance or second point.");
        continue;
      }
      polygon.start = graph.GetSysVars().angbase + graph.GetSysVars().UcsAngle;
    } else {
      return false;
    }
    if (!(radius > 0.0)) {
      PrintMessage("Value must be positive and nonzero.");
      continue;
    }
    polygon.radius = radius;
    if (!inscribed) {
      polygon.radius = radius / std::cos(delta / 2.0);
      polygon.start += delta / 2.0;
    }
    return true;
  }
}

// On an edge from E1 to E2, the polygon to its left; false when the command
// is to end.
bool OnEdge(FcGraph& graph, int sides, RegularPolygon& polygon) {
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  if (GetPoint(nullptr, "First endpoint of edge", first, text) != FC_INPUT_OK) return false;
  const FcPoint2d e1 = UcsToWorldPoint(graph, first);
  FcDragPolygon band = FcDragPolygon::OnEdge(e1, sides);
  SetDragObject(&band);
  if (GetPoint(nullptr, "Second endpoint of edge", second, text) != FC_INPUT_OK) return false;
  const FcPoint2d e2 = UcsToWorldPoint(graph, second);
  if (IsSamePoint(e1, e2)) return false;
  const double alpha = (std::numbers::pi - 2.0 * std::numbers::pi / sides) / 2.0;
  polygon.radius = DistanceBetween(e1, e2) / (2.0 * std::cos(alpha));
  polygon.centre = PointAtPolar(e1, polygon.radius, alpha + AngleFromTo(e1, e2));
  polygon.start = AngleFromTo(polygon.centre, e1);
  return true;
}

}  // namespace

int CmdPolygon() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Polygon", FcUndoSection::Steps::kWholeRun);
  const int sides = AskSides(*graph);
  if (sides == 0) return kStatusDone;
  SetKeywords("Edge", 0);
  FcPoint2d centre;
  std::string text;
  const int status = GetPoint(nullptr, "Edge/<Center of polygon>", centre, text);
  RegularPolygon polygon;
  const bool placed = status == FC_INPUT_OK      ? AboutCentre(*graph, centre, sides, polygon)
                      : status == FC_INPUT_KEYWORD ? OnEdge(*graph, sides, polygon)
                                                   : false;
  if (!placed) return kStatusDone;
  const double delta = 2.0 * std::numbers::pi / sides;
  section.AddNew<FcPolyline>([&](FcPolyline& polyline) {
    for (int i = 0; i < sides; ++i) {
      polyline.AppendVertex(PointAtPolar(polygon.centre, polygon.radius, polygon.start + i * delta), 0.0, 0.0, 0.0);
    }
    polyline.SetClosed(true);
  });
  return kStatusDone;
}
