#include <cmath>
#include <string>

#include "commands/dimension/curve_pick.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/dimension/dimension_prompts.h"
#include "commands/undo_section.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_ordinate.h"
#include "entities/dim_radial.h"
#include "shell/command_registry.h"
#include "shell/drag_dimension.h"
#include "shell/input_request.h"

namespace {

// The picked arc or circle and the two points where the line from its
// centre through the pick meets its full circle.
bool PickArcOrCircle(GeomSegment& arc, FcPoint2d& first, FcPoint2d& second) {
  FcPoint2d pickPoint;
  if (!PickArcOrCircleSegment(arc, pickPoint)) return false;
  const double along = IsSamePoint(arc.centre, pickPoint) ? 0.0 : AngleFromTo(arc.centre, pickPoint);
  first = PointAtPolar(arc.centre, arc.radius, along);
  second = PointAtPolar(arc.centre, arc.radius, along + kPi);
  return true;
}

std::string StyleDistance(const FcGraph& graph, double value) {
  const FcDimStyle* style = graph.GetCurrentDimStyle();
  return FormatDistance(value, style != nullptr ? style->dimlunit : 2, style != nullptr ? style->dimdec : 4);
}

// The location prompt with its text and angle options: false when the
// dimension is not to be made.
bool AskLocation(FcDimDrag& band, DimTextChoice& choice, const std::string& measured, FcPoint2d& location) {
  for (;;) {
    SetDragObject(&band);
    SetKeywords("Text Angle", 0);
    std::string text;
    const int status = GetPoint(nullptr, "Dimension line location (Text/Angle)", location, text);
    if (status == FC_INPUT_OK) return true;
    if (status != FC_INPUT_KEYWORD || !AnswerTextOrAngle(text, choice, measured)) return false;
  }
}

int RunRadial(bool diameter) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, diameter ? "DimDiameter" : "DimRadius", FcUndoSection::Steps::kWholeRun);
  GeomSegment arc;
  FcPoint2d first;
  FcPoint2d second;
  if (!PickArcOrCircle(arc, first, second)) return kStatusDone;
  const FcPoint2d centre = MidPoint(first, second);
  const double radius = DistanceBetween(centre, first);
  const std::string measured = StyleDistance(*graph, diameter ? 2.0 * radius : radius);
  FcDimRadial* dimension = nullptr;
  if (diameter) {
    dimension = new FcDimDiameter;
    dimension->SetDefPoint10(first);
    dimension->SetDefPoint15(second);
  } else {
    dimension = new FcDimRadius;
    dimension->SetDefPoint10(centre);
    dimension->SetDefPoint15(first);
    PrintMessage("Dimension text = " + measured);
  }
  PrepareDimension(*graph, *dimension);
  FcDimDrag band(dimension);
  band.centre = centre;
  band.radius = radius;
  band.startAngle = arc.startAngle;
  band.endAngle = arc.endAngle;
  DimTextChoice choice;
  FcPoint2d location;
  if (!AskLocation(band, choice, measured, location)) {
    DiscardDimension(*graph, dimension);
    return kStatusDone;
  }
  const double a = IsSamePoint(location, centre) ? 0.0 : AngleFromTo(centre, location);
  if (diameter) {
    dimension->SetDefPoint10(PointAtPolar(centre, radius, a));
    dimension->SetDefPoint15(PointAtPolar(centre, radius, a + kPi));
  } else {
    dimension->SetDefPoint15(PointAtPolar(centre, radius, a));
    dimension->SetTextMidpoint(location);
  }
  FinishDimension(section, dimension, choice, measured, false);
  return kStatusDone;
}

}  // namespace

int CmdDimRadius() { return RunRadial(false); }
int CmdDimDiameter() { return RunRadial(true); }

int CmdDimOrdinate() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "DimOrdinate", FcUndoSection::Steps::kWholeRun);
  FcPoint2d feature;
  std::string text;
  if (GetPoint(nullptr, "Select feature", feature, text) != FC_INPUT_OK) return kStatusDone;
  auto* dimension = new FcDimOrdinate;
  const FcPoint2d featureWorld = UcsToWorldPoint(*graph, feature);
  const FcPoint2d origin = UcsToWorldPoint(*graph, {0.0, 0.0});
  dimension->SetDefPoint13(featureWorld);
  dimension->SetDefPoint10(origin);
  PrepareDimension(*graph, *dimension);
  DimTextChoice choice;
  bool automatic = true;
  FcPoint2d leaderEnd;
  FcDimDrag band(dimension);
  for (;;) {
    band.automatic = automatic;
    SetDragObject(&band);
    SetKeywords("Xdatum Ydatum Text Angle", 0);
    const int status = GetPoint(nullptr, "Leader endpoint (Xdatum/Ydatum/Text/Angle)", leaderEnd, text);
    if (status == FC_INPUT_OK) break;
    const std::string measured = StyleDistance(
        *graph, dimension->MeasuresX() ? feature.x : feature.y);
    if (status == FC_INPUT_KEYWORD && (EqualsNoCase(text, "Xdatum") || EqualsNoCase(text, "Ydatum"))) {
      automatic = false;
      dimension->SetMeasuresX(EqualsNoCase(text, "Xdatum"));
      continue;
    }
    if (status != FC_INPUT_KEYWORD || !AnswerTextOrAngle(text, choice, measured)) {
      DiscardDimension(*graph, dimension);
      return kStatusDone;
    }
  }
  // A leader drawn mainly sideways labels the y coordinate.
  if (automatic) dimension->SetMeasuresX(std::fabs(leaderEnd.y - feature.y) > std::fabs(leaderEnd.x - feature.x));
  dimension->SetDefPoint14(UcsToWorldPoint(*graph, leaderEnd));
  const std::string measured = StyleDistance(*graph, dimension->MeasuresX() ? feature.x : feature.y);
  FinishDimension(section, dimension, choice, measured, true);
  return kStatusDone;
}
