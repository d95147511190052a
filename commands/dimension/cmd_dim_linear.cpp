#include <cmath>
#include <string>

#include "commands/dimension/curve_pick.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/dimension/dimension_prompts.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_linear.h"
#include "entities/entity_listing.h"
#include "shell/command_registry.h"
#include "shell/drag_dimension.h"
#include "shell/input_request.h"

namespace {

enum class LinearKind { kLinear, kHorizontal, kVertical, kAligned };

struct Origins {
  FcPoint2d first;
  FcPoint2d second;
  bool circle = false;
  FcPoint2d centre;
};

FcPoint2d TurnedAbout(const FcPoint2d& p, const FcPoint2d& centre, double angle) {
  const FcPoint2d d = p - centre;
  return centre + FcPoint2d{d.x * std::cos(angle) - d.y * std::sin(angle), d.x * std::sin(angle) + d.y * std::cos(angle)};
}

// The two extension-line origins a picked line, arc or circle stands for.
bool PickDimensionObject(const FcGraph& graph, Origins& origins, bool circleAlongUcs) {
  GeomSegment segment;
  FcPoint2d pickPoint;
  if (!PickCurveSegment("Select object to dimension", true, "Object selected is not a line, arc, or circle.", segment,
                        pickPoint)) {
    return false;
  }
  if (segment.type == kGeomSegmentLine) {
    origins.first = segment.first;
    origins.second = segment.second;
    return true;
  }
  double sweep = segment.endAngle - segment.startAngle;
  NormalizeAngle(sweep);
  if (sweep != 0.0) {
    origins.first = PointAtPolar(segment.centre, segment.radius, segment.startAngle);
    origins.second = PointAtPolar(segment.centre, segment.radius, segment.endAngle);
    return true;
  }
  origins.centre = segment.centre;
  const double along = circleAlongUcs ? UcsAngle(graph) : AngleFromTo(segment.centre, pickPoint);
  origins.first = PointAtPolar(segment.centre, segment.radius, along);
  origins.second = PointAtPolar(segment.centre, segment.radius, along + kPi);
  origins.circle = circleAlongUcs;
  return true;
}

bool AskOrigins(const FcGraph& graph, Origins& origins, bool circleAlongUcs) {
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  const int status = GetPoint(nullptr, "First extension line origin or RETURN to select", first, text);
  if (status == FC_INPUT_NONE) return PickDimensionObject(graph, origins, circleAlongUcs);
  if (status != FC_INPUT_OK) return false;
  if (GetPoint(&first, "Second extension line origin", second, text) != FC_INPUT_OK) return false;
  origins.first = UcsToWorldPoint(graph, first);
  origins.second = UcsToWorldPoint(graph, second);
  return true;
}

// The distance between the origins along the angle.
double Projected(const FcPoint2d& first, const FcPoint2d& second, double angle) {
  return PointLineDistance(first, second, PointAtPolar(second, 1000.0, angle + kHalfPi));
}

const char* UndoName(LinearKind kind) {
  switch (kind) {
    case LinearKind::kHorizontal: return "DimHor";
    case LinearKind::kVertical: return "DimVertical";
    case LinearKind::kAligned: return "DimAligned";
    default: return "DimLinear";
  }
}

std::string Measured(const FcGraph& graph, LinearKind kind, const Origins& origins, double angle) {
  if (kind != LinearKind::kAligned) return FormatDrawingDistance(Projected(origins.first, origins.second, angle), &graph);
  const FcDimStyle* style = graph.GetCurrentDimStyle();
  const int unit = style != nullptr ? style->dimlunit : 2;
  const int precision = style != nullptr ? style->dimdec : 4;
  return FormatDistance(DistanceBetween(origins.first, origins.second), unit, precision);
}

int RunLinear(LinearKind kind) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, UndoName(kind), FcUndoSection::Steps::kWholeRun);
  Origins origins;
  if (!AskOrigins(*graph, origins, kind == LinearKind::kLinear)) return kStatusDone;
  const double ucs = UcsAngle(*graph);
  double angle = ucs;
  if (kind == LinearKind::kVertical) angle += kHalfPi;
  if (kind == LinearKind::kAligned) angle = AngleFromTo(origins.first, origins.second);
  NormalizeAngle(angle);
  bool automatic = kind == LinearKind::kLinear;
  const Origins picked = origins;
  FcDimAligned* dimension = kind == LinearKind::kAligned ? new FcDimAligned : new FcDimRotate;
  PrepareDimension(*graph, *dimension);
  FcDimDrag band(dimension);
  band.baseAngle = ucs;
  band.first = picked.first;
  band.second = picked.second;
  band.circle = origins.circle;
  if (origins.circle) {
    band.turnedFirst = TurnedAbout(picked.first, picked.centre, kHalfPi);
    band.turnedSecond = TurnedAbout(picked.second, picked.centre, kHalfPi);
  }
  DimTextChoice choice;
  FcPoint2d location;
  for (;;) {
    dimension->SetDefPoint13(origins.first);
    dimension->SetDefPoint14(origins.second);
    band.angle = angle;
    band.automatic = automatic;
    SetDragObject(&band);
    const bool allOptions = automatic || kind == LinearKind::kLinear;
    SetKeywords(allOptions ? "Text Angle Horizontal Vertical Rotated" : "Text Angle", 0);
    std::string text;
    const int status = GetPoint(nullptr,
                                allOptions ? "Dimension line location (Text/Angle/Horizontal/Vertical/Rotated)"
                                           : "Dimension line location (Text/Angle)",
                                location, text);
    if (status == FC_INPUT_OK) break;
    if (status != FC_INPUT_KEYWORD) {
      if (status == FC_INPUT_NONE && kind != LinearKind::kAligned) PrintMessage("Invalid!");
      DiscardDimension(*graph, dimension);
      return kStatusDone;
    }
    if (EqualsNoCase(text, "Horizontal") || EqualsNoCase(text, "Vertical")) {
      const bool vertical = EqualsNoCase(text, "Vertical");
      angle = vertical ? ucs + kHalfPi : ucs;
      NormalizeAngle(angle);
      automatic = false;
      if (origins.circle && vertical) {
        origins.first = TurnedAbout(picked.first, picked.centre, kHalfPi);
        origins.second = TurnedAbout(picked.second, picked.centre, kHalfPi);
      } else {
        origins.first = picked.first;
        origins.second = picked.second;
      }
    } else if (EqualsNoCase(text, "Rotated")) {
      double rotated = 0.0;
      std::string typed;
      const int answer = GetAngle(nullptr, "Dimension line angle<" + FormatDrawingAngle(angle, graph) + ">", rotated, typed);
      if (answer != FC_INPUT_OK && answer != FC_INPUT_NONE) {
        DiscardDimension(*graph, dimension);
        return kStatusDone;
      }
      if (answer == FC_INPUT_OK) angle = rotated;
      NormalizeAngle(angle);
      automatic = false;
    } else if (!AnswerTextOrAngle(text, choice, Measured(*graph, kind, origins, angle))) {
      DiscardDimension(*graph, dimension);
      return kStatusDone;
    }
  }
  location = UcsToWorldPoint(*graph, location);
  if (automatic) {
    angle = AutomaticDimAngle(origins.first, origins.second, location, ucs);
    if (origins.circle && angle != ucs) {
      origins.first = TurnedAbout(picked.first, picked.centre, kHalfPi);
      origins.second = TurnedAbout(picked.second, picked.centre, kHalfPi);
    }
  }
  if (kind == LinearKind::kAligned) angle = AngleFromTo(origins.first, origins.second);
  NormalizeAngle(angle);
  dimension->SetDefPoint13(origins.first);
  dimension->SetDefPoint14(origins.second);
  if (kind != LinearKind::kAligned) dimension->SetRotation(angle);
  const FcPoint2d d2 = PointOnDimLine(location, angle, origins.second);
  const FcPoint2d d1 = PointOnDimLine(location, angle, origins.first);
  dimension->SetDefPoint10(d2);
  dimension->SetTextMidpoint(MidPoint(d1, d2));
  FinishDimension(section, dimension, choice, Measured(*graph, kind, origins, angle), true);
  return kStatusDone;
}

}  // namespace

int CmdDimLinear() { return RunLinear(LinearKind::kLinear); }
int CmdDimHorizon() { return RunLinear(LinearKind::kHorizontal); }
int CmdDimVertical() { return RunLinear(LinearKind::kVertical); }
int CmdDimAligned() { return RunLinear(LinearKind::kAligned); }
