#include <string>

#include "commands/command_support.h"
#include "commands/draw/curve_prompts.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/drag_circle.h"
#include "entities/circle.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

void AddCircle(FcUndoSection& section, const FcPoint2d& centre, double radius) {
  section.AddNew<FcCircle>([&](FcCircle& circle) {
    circle.SetCenter(centre);
    circle.SetRadius(radius);
  });
}

// The circle on the diameter between two points.
void CircleFrom2Points(FcUndoSection& section) {
  FcGraph& graph = section.Graph();
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  if (GetPoint(nullptr, "Input 1st point of diameter", first, text) != FC_INPUT_OK) return;
  FcDragCircle band = FcDragCircle::TwoPoints(UcsToWorldPoint(graph, first));
  SetDragObject(&band);
  if (GetPoint(&first, "Input 2nd point of diameter", second, text) != FC_INPUT_OK) return;
  const FcPoint2d firstWorld = UcsToWorldPoint(graph, first);
  const FcPoint2d secondWorld = UcsToWorldPoint(graph, second);
  // Two equal points would make a circle of no size, which nothing could
  // show or pick again; the radius prompt refuses zero for the same reason.
  if (firstWorld == secondWorld) return;
  const FcPoint2d centre = MidPoint(firstWorld, secondWorld);
  AddCircle(section, centre, DistanceBetween(centre, secondWorld));
}

void CircleFrom3Points(FcUndoSection& section) {
  FcGraph& graph = section.Graph();
  FcPoint2d first;
  FcPoint2d second;
  FcPoint2d third;
  std::string text;
  if (GetPoint(nullptr, "Input 1st point", first, text) != FC_INPUT_OK) return;
  const FcPoint2d firstWorld = UcsToWorldPoint(graph, first);
  // Points that can make no circle are refused where they are given, so
  // that the user gives another rather than losing the points before.
  for (;;) {
    if (GetPoint(&first, "Input 2nd point", second, text) != FC_INPUT_OK) return;
    if (!IsSamePoint(UcsToWorldPoint(graph, second), firstWorld)) break;
    PrintMessage("Invalid point!");
  }
  const FcPoint2d secondWorld = UcsToWorldPoint(graph, second);
  FcDragCircle band = FcDragCircle::ThreePoints(firstWorld, secondWorld);
  SetDragObject(&band);
  FcPoint2d centre;
  double radius = 0.0;
  for (;;) {
    if (GetPoint(&second, "Input 3rd point", third, text) != FC_INPUT_OK) return;
    if (CircleThrough3Points(firstWorld, secondWorld, UcsToWorldPoint(graph, third), centre, &radius, nullptr)) break;
    PrintMessage("Invalid point!");
  }
  AddCircle(section, centre, radius);
}

void CircleAboutCentre(FcUndoSection& section, const FcPoint2d& centreUcs) {
  FcGraph& graph = section.Graph();
  const FcPoint2d centre = UcsToWorldPoint(graph, centreUcs);
  const double remembered = graph.GetSysVars().circlerad;
  const std::int32_t positive = kInputRefuseZero | kInputRefuseNegative;
  SetKeywords("Diameter", remembered > 0.0 ? positive : positive | kInputRefuseEmpty);
  double length = 0.0;
  std::string text;
  FcDragCircle band = FcDragCircle::CentreRadius(centre);
  SetDragObject(&band);
  const int status = GetDistance(&centreUcs, WithRadiusDefault(graph, "Enter radius[Diameter]"), length, text);
  if (status == FC_INPUT_OK) {
    AddCircle(section, centre, length);
    graph.GetSysVars().SetCircleRad(length);
  } else if (status == FC_INPUT_NONE && remembered > 0.0) {
    AddCircle(section, centre, remembered);
  } else if (status == FC_INPUT_KEYWORD) {
    // A diameter leaves CIRCLERAD as it was.
    SetKeywords("", positive);
    band = FcDragCircle::CentreDiameter(centre);
    SetDragObject(&band);
    if (GetDistance(&centreUcs, "Diameter", length, text) != FC_INPUT_OK) return;
    AddCircle(section, centre, length / 2.0);
  }
}

}  // namespace

int CmdCircle() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Circle", FcUndoSection::Steps::kEachEntity);
  FcPoint2d point;
  std::string text;
  SetKeywords("3Points,3P 2Points,2P Tangent Arc", 0);
  const int status = GetPoint(nullptr, "Input center or [3Points/2Points/Arc/Tangent,tan,radius]", point, text);
  if (status == FC_INPUT_OK) {
    CircleAboutCentre(section, point);
  } else if (status == FC_INPUT_KEYWORD) {
    if (text == "2Points") {
      CircleFrom2Points(section);
    } else if (text == "3Points") {
      CircleFrom3Points(section);
    } else if (text == "Tangent") {
      return CmdCommonTangentCircle();
    } else {
      // Through the command table, so that the conversion runs as its own
      // command would, or says that it is not there yet.
      RunDrawingCommand("Arc2Circle");
    }
  }
  return kStatusDone;
}
