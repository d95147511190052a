#include <string>

#include "commands/dimension/dimension_commands.h"
#include "commands/dimension/dimension_prompts.h"
#include "commands/draw/entity_pick.h"
#include "commands/command_support.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/dim_angular.h"
#include "entities/dimension_text.h"
#include "entities/entity_listing.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

constexpr short kRayWithCircle = 4;

// What the first pick stood for.
enum class AngleSource { kTwoLines, kArc, kCircle, kThreePoints };

// The points the dimension is made from: the two lines (p1-p2, p3-p4), or
// the vertex v with the end points p1 and p3.
struct AnglePoints {
  FcPoint2d p1, p2, p3, p4, v;
  AngleSource source = AngleSource::kThreePoints;
};

// The picking's answers besides a taken geometry.
constexpr int kPickTaken = 0;
constexpr int kPickEnter = 1;
constexpr int kPickNone = 2;

int PickSecondLine(AnglePoints& points) {
  for (;;) {
    EntityPick pick;
    if (PickEntityWithPoint("Second line", pick) != FC_INPUT_OK) return kStatusDone;
    GeomSegment segment;
    if (pick.entity == nullptr || !FirstSnapSegment(pick, segment)) {
      PrintMessage("No object selected!");
      continue;
    }
    if (segment.type != kGeomSegmentLine) {
      PrintMessage("Object selected is not a line.");
      continue;
    }
    points.p3 = segment.first;
    points.p4 = segment.second;
    points.source = AngleSource::kTwoLines;
    return kPickTaken;
  }
}

int PickAngularObject(AnglePoints& points) {
  std::string prompt = "Select arc, circle, line, or RETURN";
  for (;;) {
    EntityPick pick;
    const int status = PickEntityWithPoint(prompt, pick);
    if (status == FC_INPUT_NONE) return kPickEnter;
    if (status != FC_INPUT_OK) return kPickNone;
    // The prompt gains a colon after a pick of nothing.
    prompt = pick.entity == nullptr ? "Select arc, circle, line, or RETURN:" : "Select arc, circle, line, or RETURN";
    GeomSegment segment;
    if (!PickedSegment(pick, segment)) continue;
    if (segment.type == kGeomSegmentLine) {
      points.p1 = segment.first;
      points.p2 = segment.second;
      return PickSecondLine(points);
    }
    if (segment.type != kGeomSegmentArc) {
      PrintMessage("Object selected is not a line, arc, or circle.");
      continue;
    }
    points.v = segment.centre;
    double sweep = segment.endAngle - segment.startAngle;
    NormalizeAngle(sweep);
    if (sweep != 0.0) {
      points.p1 = PointAtPolar(segment.centre, segment.radius, segment.startAngle);
      points.p3 = PointAtPolar(segment.centre, segment.radius, segment.endAngle);
      points.source = AngleSource::kArc;
      return kPickTaken;
    }
    FcPoint2d found[2];
    if (IntersectLineArc(segment.centre, pick.worldPoint, segment.centre, kRayWithCircle, 0.0, kTwoPi, segment.radius,
                         found) != 1) {
      return kPickNone;
    }
    points.p1 = found[0];
    points.source = AngleSource::kCircle;
    return kPickTaken;
  }
}

bool GetAngleVertexPoints(const FcGraph& graph, AnglePoints& points) {
  FcPoint2d vertex;
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  if (GetPoint(nullptr, "Angle vertex", vertex, text) != FC_INPUT_OK) return false;
  if (GetPoint(&vertex, "First angle endpoint", first, text) != FC_INPUT_OK) return false;
  if (GetPoint(&vertex, "Second angle endpoint", second, text) != FC_INPUT_OK) return false;
  points.v = UcsToWorldPoint(graph, vertex);
  points.p1 = UcsToWorldPoint(graph, first);
  points.p3 = UcsToWorldPoint(graph, second);
  points.source = AngleSource::kThreePoints;
  return true;
}

FcDimAngle* MakeDimension(const AnglePoints& points) {
  if (points.source == AngleSource::kTwoLines) {
    auto* dimension = new FcDim2LAng;
    dimension->SetDefPoint13(points.p1);
    dimension->SetDefPoint14(points.p2);
    dimension->SetDefPoint15(points.p3);
    dimension->SetDefPoint10(points.p4);
    return dimension;
  }
  auto* dimension = new FcDim3PAng;
  dimension->SetDefPoint13(points.p1);
  dimension->SetDefPoint14(points.p3);
  dimension->SetDefPoint15(points.v);
  return dimension;
}

// The arc point picks which angle is dimensioned.
void SetArcPoint(FcDimAngle& dimension, const FcPoint2d& point) {
  if ((dimension.GetDimType() & 7) == kDimTypeAngular2Line) {
    dimension.SetDefPoint16(point);
  } else {
    dimension.SetDefPoint10(point);
  }
}

std::string Measured(const FcGraph& graph, FcDimAngle& dimension) {
  const FcDimStyle* style = graph.GetCurrentDimStyle();
  return style != nullptr ? FormatDimAngle(*style, dimension.ComputeDimLine()) : std::string();
}

}  // namespace

int CmdDimAngular() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "DimAngular", FcUndoSection::Steps::kWholeRun);
  AnglePoints points;
  const int picked = PickAngularObject(points);
  if (picked == kPickEnter) {
    if (!GetAngleVertexPoints(*graph, points)) return kStatusDone;
  } else if (picked != kPickTaken) {
    return kStatusDone;
  } else if (points.source == AngleSource::kCircle) {
    FcPoint2d second;
    std::string text;
    const FcPoint2d base = WorldToUcsPoint(points.v, graph);
    if (GetPoint(&base, "Second angle endpoint", second, text) != FC_INPUT_OK) return kStatusDone;
    points.p3 = UcsToWorldPoint(*graph, second);
  }
  FcDimAngle* dimension = MakeDimension(points);
  PrepareDimension(*graph, *dimension);
  DimTextChoice choice;
  FcPoint2d location;
  for (;;) {
    SetKeywords("Text Angle", 0);
    std::string text;
    const int status = GetPoint(nullptr, "Dimension line location (Text/Angle)", location, text);
    if (status == FC_INPUT_OK) break;
    if (status != FC_INPUT_KEYWORD || !AnswerTextOrAngle(text, choice, Measured(*graph, *dimension))) {
      delete dimension;
      return kStatusDone;
    }
  }
  SetArcPoint(*dimension, UcsToWorldPoint(*graph, location));
  FinishDimension(section, dimension, choice, Measured(*graph, *dimension), true);
  return kStatusDone;
}
