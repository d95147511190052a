#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/drag_ellipse.h"
#include "database/system_var.h"
#include "entities/ellipse.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

constexpr const char* kInvalidAxisMessage = "Invalid axis point!";

// The centre and one axis end, both in the UCS (the base of later prompts)
// and in the world. False when the command ends.
struct FirstAxis {
  FcPoint2d ucsCentre;
  FcPoint2d centre;
  FcPoint2d axisEnd;
};

bool AskCentreRoute(const FcGraph& graph, FirstAxis& axis) {
  std::string text;
  FcPoint2d centre;
  FcPoint2d end;
  if (GetPoint(nullptr, "Center of ellipse", centre, text) != FC_INPUT_OK) return false;
  if (GetPoint(&centre, "End of axis", end, text) != FC_INPUT_OK) return false;
  if (IsSamePoint(centre, end)) {
    PrintMessage(kInvalidAxisMessage);
    return false;
  }
  axis = {centre, UcsToWorldPoint(graph, centre), UcsToWorldPoint(graph, end)};
  return true;
}

bool AskOtherAxisEnd(const FcGraph& graph, const FcPoint2d& first, FirstAxis& axis) {
  std::string text;
  FcPoint2d other;
  if (GetPoint(&first, "Other end of axis", other, text) != FC_INPUT_OK) return false;
  if (IsSamePoint(first, other)) {
    PrintMessage(kInvalidAxisMessage);
    return false;
  }
  const FcPoint2d middle = MidPoint(first, other);
  axis = {middle, UcsToWorldPoint(graph, middle), UcsToWorldPoint(graph, other)};
  return true;
}

// The first axis by its two ends or, after the keyword, by the centre and
// one end.
bool AskFirstAxis(const FcGraph& graph, bool& arc, FirstAxis& axis) {
  std::string text;
  FcPoint2d point;
  SetKeywords("Arc Center", 0);
  int status = GetPoint(nullptr, "Firest end of ellipse axis or [Arc/Center]", point, text);
  if (status == FC_INPUT_KEYWORD && text == "Arc") {
    arc = true;
    SetKeywords("Center", 0);
    status = GetPoint(nullptr, "First end of ellipse axis or [Cener]", point, text);
  }
  if (status == FC_INPUT_KEYWORD && text == "Center") return AskCentreRoute(graph, axis);
  if (status != FC_INPUT_OK) return false;
  return AskOtherAxisEnd(graph, point, axis);
}

// The start and end angle of an arc, absolute world directions.
bool AskArcAngles(const FcPoint2d& ucsCentre, double ucsAngle, double& start, double& end) {
  std::string text;
  double angle = 0.0;
  if (GetAngle(&ucsCentre, "Start angle", angle, text) != FC_INPUT_OK) return false;
  start = angle + ucsAngle;
  SetKeywords("Includeangle", 0);
  const int status = GetAngle(&ucsCentre, "End angle or [Includeangle]", angle, text);
  if (status == FC_INPUT_OK) {
    end = angle + ucsAngle;
    return true;
  }
  if (status != FC_INPUT_KEYWORD || text != "Includeangle") return false;
  if (GetAngle(&ucsCentre, "Include angle", angle, text) != FC_INPUT_OK) return false;
  NormalizeAngle(angle);
  end = start + angle;
  return true;
}

}  // namespace

int CmdEllipse() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Ellipse", FcUndoSection::Steps::kWholeRun);
  bool arc = false;
  FirstAxis axis;
  if (!AskFirstAxis(*graph, arc, axis)) return kStatusDone;
  const FcPoint2d vector{axis.axisEnd.x - axis.centre.x, axis.axisEnd.y - axis.centre.y};
  std::string text;
  double other = 0.0;
  SetKeywords("", kInputRefuseEmpty | kInputRefuseZero | kInputRefuseNegative);
  FcDragEllipse band = FcDragEllipse::OtherAxis(axis.centre, vector);
  SetDragObject(&band);
  if (GetDistance(&axis.ucsCentre, "Other axis length", other, text) != FC_INPUT_OK) return kStatusDone;
  const double first = std::hypot(vector.x, vector.y);
  FcPoint2d major = vector;
  double ratio = other / first;
  if (other >= first) {
    // The other axis is the longer one: it becomes the major axis.
    double angle = std::atan2(vector.y, vector.x) + kHalfPi;
    NormalizeAngle(angle);
    major = {other * std::cos(angle), other * std::sin(angle)};
    ratio = first / other;
  }
  double start = 0.0;
  double end = 0.0;
  const FcMatrix2d& toWorld = graph->GetSysVars().UcsToWorld;
  if (arc && !AskArcAngles(axis.ucsCentre, std::atan2(toWorld.d, toWorld.a), start, end)) return kStatusDone;
  section.AddNew<FcEllipse>([&](FcEllipse& ellipse) {
    ellipse.SetCenter(axis.centre);
    ellipse.SetMajorAxis(major);
    ellipse.SetRadiusRatio(ratio);
    if (!arc) return;
    ellipse.SetStartAngle(start);
    ellipse.SetEndAngle(end);
  });
  return kStatusDone;
}
