#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/arc_procedures.h"
#include "commands/draw/curve_prompts.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "display/drag_arc.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

// The arc from start to end about a centre, counter-clockwise unless asked
// otherwise.
ArcPlacement ArcAbout(const FcPoint2d& centre, const FcPoint2d& start, const FcPoint2d& end, bool clockwise) {
  return OrientedArc(centre, DistanceBetween(centre, start), NormalAngleAbout(centre, start),
                     NormalAngleAbout(centre, end), clockwise);
}

void ArcOverSweep(FcUndoSection& section, const FcPoint2d& startUcs, const FcPoint2d& start, const FcPoint2d& end) {
  std::string text;
  double sweep = 0.0;
  SetKeywords("", kInputRefuseZero);
  FcDragArc band = FcDragArc::StartEndAngle(start, end);
  SetDragObject(&band);
  if (GetAngle(&startUcs, "Sweep angle", sweep, text) != FC_INPUT_OK) return;
  NormalizeAngle(sweep);
  if (sweep == 0.0) return;
  const double phi = AngleFromTo(start, end);
  // The centre lies on the chord's left normal for a counter-clockwise
  // sweep below a half turn, on the chord for a half turn.
  const double height = sweep == kPi ? 0.0 : (DistanceBetween(start, end) / 2.0) / std::tan(sweep / 2.0);
  const FcPoint2d centre = PointAtPolar(MidPoint(start, end), height, phi + kHalfPi);
  AddArc(section, ArcAbout(centre, start, end, IsClockwiseSweep(section.Graph(), text)));
}

// The arc that leaves the start point in the direction of a picked point.
void ArcInDirection(FcUndoSection& section, const FcPoint2d& startUcs, const FcPoint2d& start, const FcPoint2d& end) {
  FcPoint2d point;
  std::string text;
  FcDragArc band = FcDragArc::StartEndDirection(start, end);
  SetDragObject(&band);
  if (GetPoint(&startUcs, "Enter direction", point, text) != FC_INPUT_OK) return;
  const FcPoint2d towards = UcsToWorldPoint(section.Graph(), point);
  const int side = Orientation3(towards, start, end);
  if (side == 0) {
    PrintMessage("Invalid direction!");
    return;
  }
  // From the start point to the centre: square to the direction, on the
  // side of the end point.
  double toCentre = AngleFromTo(start, towards) + (side == -1 ? -kHalfPi : kHalfPi);
  NormalizeAngle(toCentre);
  double alpha = toCentre - AngleFromTo(start, end);
  NormalizeAngle(alpha);
  if (alpha > kPi) alpha = kTwoPi - alpha;
  const double radius = (DistanceBetween(start, end) / 2.0) / std::cos(alpha);
  const FcPoint2d centre = PointAtPolar(start, radius, toCentre);
  AddArc(section, ArcAbout(centre, start, end, side == -1));
}

void ArcWithRadius(FcUndoSection& section, const FcPoint2d& endUcs, const FcPoint2d& start, const FcPoint2d& end) {
  FcGraph& graph = section.Graph();
  const double remembered = graph.GetSysVars().circlerad;
  SetKeywords("", remembered > 0.0 ? kInputRefuseZero : kInputRefuseZero | kInputRefuseEmpty);
  std::string text;
  double radius = 0.0;
  FcDragArc band = FcDragArc::StartEndRadius(start, end);
  SetDragObject(&band);
  const int status = GetDistance(&endUcs, WithRadiusDefault(graph, "Enter radius"), radius, text);
  if (status == FC_INPUT_OK) {
    graph.GetSysVars().SetCircleRad(std::fabs(radius));
  } else if (status == FC_INPUT_NONE && remembered > 0.0) {
    radius = remembered;
  } else {
    return;
  }
  // A negative radius puts the centre right of the chord, which gives the
  // larger of the two arcs.
  const double side = AngleFromTo(start, end) + (radius < 0.0 ? -kHalfPi : kHalfPi);
  radius = std::fabs(radius);
  const double half = DistanceBetween(start, end) / 2.0;
  if (radius < half) {
    PrintMessage("Radius is too small!");
    return;
  }
  const FcPoint2d centre = PointAtPolar(MidPoint(start, end), std::sqrt(radius * radius - half * half), side);
  AddArc(section, ArcAbout(centre, start, end, false));
}

}  // namespace

void ArcFromStartEnd(FcUndoSection& section, const FcPoint2d& end, const FcPoint2d& start) {
  if (start == end) return;
  FcGraph& graph = section.Graph();
  const FcPoint2d startWorld = UcsToWorldPoint(graph, start);
  const FcPoint2d endWorld = UcsToWorldPoint(graph, end);
  FcPoint2d point;
  std::string text;
  SetKeywords("Angle Direction Radius", 0);
  FcDragArc band = FcDragArc::StartEndCentre(startWorld, endWorld);
  SetDragObject(&band);
  const int status = GetPoint(&end, "Enter center point or[Angle/Direction/Radius]", point, text);
  if (status == FC_INPUT_OK) {
    const FcPoint2d centre = UcsToWorldPoint(graph, point);
    // The end point only gives the direction in which the arc ends, and
    // gives none from the centre itself.
    const bool noRadius = centre == startWorld;
    const bool noEnd = centre == endWorld;
    if (noRadius || noEnd || NormalAngleAbout(centre, startWorld) == NormalAngleAbout(centre, endWorld)) {
      PrintMessage("Invalid center point!");
      return;
    }
    AddArc(section, ArcAbout(centre, startWorld, endWorld, false));
    return;
  }
  if (status != FC_INPUT_KEYWORD) return;
  if (text == "Angle") {
    ArcOverSweep(section, start, startWorld, endWorld);
  } else if (text == "Direction") {
    ArcInDirection(section, start, startWorld, endWorld);
  } else {
    ArcWithRadius(section, end, startWorld, endWorld);
  }
}
