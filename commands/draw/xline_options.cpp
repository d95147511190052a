#include "commands/draw/xline_options.h"

#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/xline_support.h"
#include "commands/undo_section.h"
#include "core/angle_parse.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "shell/input_request.h"

namespace {

// A direction given in the current UCS, in world terms.
FcPoint2d UcsDirectionToWorld(const FcGraph& graph, double ucsAngle) {
  return TransformVector(graph.GetSysVars().UcsToWorld, {std::cos(ucsAngle), std::sin(ucsAngle)});
}

// The prompt gives a typed angle mirrored for ANGDIR 1; a reference angle
// is meant as typed, so the mirroring is taken back.
double AngleAsTyped(const FcGraph& graph, double answered, const std::string& typed) {
  double value = 0.0;
  int unitCode = -1;
  if (graph.GetSysVars().angdir != 1 || typed.empty() || !ParseAngle(typed, value, unitCode)) return answered;
  double angle = kTwoPi - answered;
  NormalizeAngle(angle);
  return angle;
}

// The direction of a picked line turned by a reference angle; false when
// the option ends instead.
bool ReferenceDirection(const FcGraph& graph, FcPoint2d& direction) {
  EntityPick pick;
  FcPoint2d first;
  FcPoint2d second;
  if (!PickStraightObject("Select line object", pick, first, second)) return false;
  double angle = 0.0;
  std::string text;
  const int status = GetAngle(&pick.ucsPoint, "Input reference angle<0>", angle, text);
  if (status == FC_INPUT_OK) {
    angle = AngleAsTyped(graph, angle, text);
  } else if (status != FC_INPUT_NONE) {
    return false;
  }
  const double turned = AngleFromTo(first, second) + angle;
  direction = {std::cos(turned), std::sin(turned)};
  return true;
}

}  // namespace

void XLineByAngle(FcUndoSection& section) {
  const FcGraph& graph = section.Graph();
  double angle = 0.0;
  std::string text;
  SetKeywords("Reference", 0);
  const int status = GetAbsoluteAngle(nullptr, "Input angle or [Reference]<0>", angle, text);
  FcPoint2d direction;
  if (status == FC_INPUT_OK) {
    direction = UcsDirectionToWorld(graph, angle);
  } else if (status == FC_INPUT_NONE) {
    direction = UcsDirectionToWorld(graph, graph.GetSysVars().angbase);
  } else if (status != FC_INPUT_KEYWORD || !ReferenceDirection(graph, direction)) {
    return;
  }
  XLinesThroughPoints(section, direction, "Input through point");
}

void XLineAlongUcsAxis(FcUndoSection& section, bool vertical) {
  const FcPoint2d direction = UcsDirectionToWorld(section.Graph(), vertical ? kHalfPi : 0.0);
  XLinesThroughPoints(section, direction, "Location");
}

void XLineOffset(FcUndoSection& section) {
  FcGraph& graph = section.Graph();
  double distance = 0.0;
  std::string text;
  SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
  const int status = GetDistance(nullptr, "Offset distance<Through>", distance, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return;
  const bool through = status == FC_INPUT_NONE;
  for (;;) {
    EntityPick pick;
    FcPoint2d first;
    FcPoint2d second;
    if (!PickStraightObject("Select line object", pick, first, second)) return;
    const FcPoint2d direction = second - first;
    FcPoint2d point;
    if (GetPoint(nullptr, through ? "Through point" : "Offset side", point, text) != FC_INPUT_OK) return;
    const FcPoint2d answered = UcsToWorldPoint(graph, point);
    if (through) {
      AddXLine(section, answered, direction);
      continue;
    }
    // A side point left of the line, where first, side, second turn
    // clockwise, moves it to the left.
    const double along = std::atan2(direction.y, direction.x);
    const double normal = Orientation3(first, answered, second) == 1 ? along + kHalfPi : along - kHalfPi;
    AddXLine(section, PointAtPolar(first, distance, normal), direction);
  }
}
