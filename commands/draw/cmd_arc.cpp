#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/arc_procedures.h"
#include "commands/draw/curve_prompts.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/arcs.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/drag_arc.h"
#include "entities/arc.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

// The arc previews are not drawn yet: where one would follow the cursor,
// the prompt draws a plain rubber line from the point answered last, which
// leaves LASTPOINT where that answer put it.

namespace {

// The prompts of the two ways that know centre and start point.
struct AboutCentrePrompts {
  const char* endPoint;
  const char* sweepAngle;
};

constexpr AboutCentrePrompts kAfterStartCentre{"Enter end point or[Angle/Chordlength]", "Enter sweep angle"};
constexpr AboutCentrePrompts kAfterCentreStart{"Enter end point or [Angle/Chordlength]", "Angle"};

// The arc about a centre from its start point, to an end direction, over a
// sweep angle or over a chord length.
void ArcAboutCentre(FcUndoSection& section, const FcPoint2d& centre, const FcPoint2d& start,
                    const FcPoint2d& lastAnswered, const AboutCentrePrompts& prompts) {
  FcGraph& graph = section.Graph();
  const FcPoint2d centreWorld = UcsToWorldPoint(graph, centre);
  const FcPoint2d startWorld = UcsToWorldPoint(graph, start);
  const double radius = DistanceBetween(centreWorld, startWorld);
  const double startAngle = NormalAngleAbout(centreWorld, startWorld);
  FcPoint2d point;
  std::string text;
  SetKeywords("Angle Chordlength", 0);
  FcDragArc band = FcDragArc::CentreStartEnd(centreWorld, startWorld);
  SetDragObject(&band);
  const int status = GetPoint(&lastAnswered, prompts.endPoint, point, text);
  if (status == FC_INPUT_OK) {
    const FcPoint2d endWorld = UcsToWorldPoint(graph, point);
    const double endAngle = NormalAngleAbout(centreWorld, endWorld);
    // An end point on the centre gives no direction at all.
    if (endAngle == startAngle || endWorld == centreWorld) {
      PrintMessage("Invalid point!");
      return;
    }
    AddArc(section, {centreWorld, radius, startAngle, endAngle});
    return;
  }
  if (status != FC_INPUT_KEYWORD) return;
  if (text == "Angle") {
    SetKeywords("", kInputRefuseZero);
    double sweep = 0.0;
    band = FcDragArc::CentreStartAngle(centreWorld, startWorld);
    SetDragObject(&band);
    if (GetAngle(&centre, prompts.sweepAngle, sweep, text) != FC_INPUT_OK) return;
    NormalizeAngle(sweep);
    double endAngle = startAngle + sweep;
    NormalizeAngle(endAngle);
    if (endAngle == startAngle) return;
    AddArc(section, OrientedArc(centreWorld, radius, startAngle, endAngle, IsClockwiseSweep(graph, text)));
    return;
  }
  SetKeywords("", kInputRefuseZero);
  double chord = 0.0;
  band = FcDragArc::CentreStartChord(centreWorld, startWorld);
  SetDragObject(&band);
  if (GetDistance(&start, "Chord length", chord, text) != FC_INPUT_OK) return;
  const bool clockwise = chord < 0.0;
  chord = std::fabs(chord);
  if (chord > 2.0 * radius) {
    PrintMessage("Invalid chord length!");
    return;
  }
  double included = 2.0 * std::asin(chord / (2.0 * radius));
  NormalizeAngle(included);
  AddArc(section, OrientedArc(centreWorld, radius, startAngle, startAngle + included, clockwise));
}

// The arc through the start point, a second point and the end point.
void ArcThroughSecondPoint(FcUndoSection& section, const FcPoint2d& start, const FcPoint2d& second) {
  FcGraph& graph = section.Graph();
  FcPoint2d end;
  std::string text;
  FcDragArc band = FcDragArc::ThreePoints(UcsToWorldPoint(graph, start), UcsToWorldPoint(graph, second));
  SetDragObject(&band);
  if (GetPoint(&second, "Enter end point", end, text) != FC_INPUT_OK) return;
  ArcPlacement arc;
  // Coincident or collinear points make no arc, and say nothing.
  if (!ArcThrough3Points(UcsToWorldPoint(graph, start), UcsToWorldPoint(graph, second), UcsToWorldPoint(graph, end),
                         arc.centre, arc.radius, arc.startAngle, arc.endAngle)) {
    return;
  }
  AddArc(section, arc);
}

}  // namespace

ArcPlacement OrientedArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                         bool clockwise) {
  if (clockwise) return {centre, radius, endAngle, startAngle};
  return {centre, radius, startAngle, endAngle};
}

void AddArc(FcUndoSection& section, const ArcPlacement& arc) {
  section.AddNew<FcArc>([&](FcArc& entity) {
    entity.SetCenter(arc.centre);
    entity.SetRadius(arc.radius);
    entity.SetStartAngle(arc.startAngle);
    entity.SetEndAngle(arc.endAngle);
  });
}

void ArcFromStartPoint(FcUndoSection& section, const FcPoint2d& start) {
  FcPoint2d point;
  std::string text;
  SetKeywords("Center Endpoint", 0);
  const int status = GetPoint(&start, "Enter 2nd point or [Center/Endpoint]", point, text);
  if (status == FC_INPUT_OK) {
    ArcThroughSecondPoint(section, start, point);
    return;
  }
  if (status != FC_INPUT_KEYWORD) return;
  const bool centre = text == "Center";
  if (GetPoint(&start, centre ? "Enter Center" : "Enter end point", point, text) != FC_INPUT_OK) return;
  if (centre) {
    ArcFromStartCenter(section, point, start);
  } else {
    ArcFromStartEnd(section, point, start);
  }
}

void ArcFromStartCenter(FcUndoSection& section, const FcPoint2d& centre, const FcPoint2d& start) {
  if (start == centre) return;
  ArcAboutCentre(section, centre, start, centre, kAfterStartCentre);
}

void ArcFromCenter(FcUndoSection& section, const FcPoint2d& centre) {
  FcPoint2d start;
  std::string text;
  if (GetPoint(&centre, "Enter start point", start, text) != FC_INPUT_OK) return;
  // A start point on the centre leaves no radius to draw with.
  if (start == centre) return;
  ArcAboutCentre(section, centre, start, start, kAfterCentreStart);
}

int CmdArc() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Arc", FcUndoSection::Steps::kEachEntity);
  FcPoint2d point;
  std::string text;
  SetKeywords("Center", 0);
  const int status = GetPoint(nullptr, "Enter first point or [Center]", point, text);
  if (status == FC_INPUT_OK) {
    ArcFromStartPoint(section, point);
  } else if (status == FC_INPUT_KEYWORD && GetPoint(nullptr, "Enter center", point, text) == FC_INPUT_OK) {
    ArcFromCenter(section, point);
  }
  return kStatusDone;
}
