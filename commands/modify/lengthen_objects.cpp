#include "commands/modify/lengthen_objects.h"

#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/matrix2d.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "display/drag_lengthen.h"
#include "entities/arc.h"
#include "entities/entity_listing.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

constexpr const char* kCannotLengthen = "Cannot LENGTHEN this object.";

FcPoint2d ToUcs(const FcGraph& graph, FcPoint2d world) {
  TransformPoint(graph.GetSysVars().WorldToUcs, world);
  return world;
}

// A point the user gives for the moving end, in world coordinates, while
// the rubber band shows the piece it makes: the prompt's status.
int AskDynamicPoint(const FcGraph& graph, const FcPoint2d& movingEnd, const char* prompt, FcDragLengthen& band,
                    FcPoint2d& world) {
  const FcPoint2d base = ToUcs(graph, movingEnd);
  SetDragObject(&band);
  FcPoint2d point;
  std::string text;
  const int status = GetPoint(&base, prompt, point, text);
  if (status == FC_INPUT_OK) world = UcsToWorldPoint(graph, point);
  return status;
}

void Changed(FcGraph& graph, FcEntity& entity) {
  graph.RedrawEntity(&entity);
  graph.Redraw();
}

FcPoint2d Along(const FcPoint2d& from, const FcPoint2d& unit, double distance) {
  return {from.x + unit.x * distance, from.y + unit.y * distance};
}

// The included angle of the arc, in (0, 2*pi].
double IncludedAngle(const FcArc& arc) {
  double angle = arc.GetEndAngle() - arc.GetStartAngle();
  while (angle <= 0.0) angle += kTwoPi;
  return angle;
}

}  // namespace

bool LengthenLine(FcGraph& graph, FcLine& line, bool startMoves, const LengthenSettings& settings,
                  FcEntSetsUndoItem& item) {
  const FcPoint2d start = line.GetStartPoint();
  const FcPoint2d end = line.GetEndPoint();
  const double length = std::hypot(end.x - start.x, end.y - start.y);
  if (settings.mode == LengthenMode::kNone) {
    PrintMessage("Current length: " + FormatDrawingDistance(length, &graph));
    return true;
  }
  // A line without length has no direction to lengthen it in.
  if (!(length > 0.0)) {
    PrintMessage(kCannotLengthen);
    return true;
  }
  const FcPoint2d fixed = startMoves ? end : start;
  const FcPoint2d moving = startMoves ? start : end;
  const FcPoint2d unit{(moving.x - fixed.x) / length, (moving.y - fixed.y) / length};
  FcPoint2d moved;
  switch (settings.mode) {
    case LengthenMode::kDelta:
      moved = Along(moving, unit, settings.delta);
      break;
    case LengthenMode::kPercent:
      moved = Along(fixed, unit, length * settings.percent * 0.01);
      break;
    case LengthenMode::kTotal:
      moved = Along(fixed, unit, settings.total);
      break;
    default: {
      FcDragLengthen band;
      band.SetLine(start, end, startMoves);
      FcPoint2d given;
      const char* prompt = startMoves ? "New start point for line" : "New end point for line";
      const int status = AskDynamicPoint(graph, moving, prompt, band, given);
      if (status != FC_INPUT_OK) return status != FC_INPUT_CANCEL;
      FootOfPerpendicular(start, end, given, moved);
      break;
    }
  }
  item.Record(kUndoChanged, &line);
  if (startMoves) {
    line.SetStartPoint(moved);
  } else {
    line.SetEndPoint(moved);
  }
  Changed(graph, line);
  return true;
}

bool LengthenArc(FcGraph& graph, FcArc& arc, bool startMoves, const LengthenSettings& settings,
                 FcEntSetsUndoItem& item) {
  const double radius = arc.GetRadius();
  const double included = IncludedAngle(arc);
  if (settings.mode == LengthenMode::kNone) {
    PrintMessage("Current length: " + FormatDrawingDistance(radius * included, &graph) +
                 ", included angle: " + FormatDrawingAngle(included, &graph));
    return true;
  }
  if (settings.mode == LengthenMode::kDynamic) {
    FcDragLengthen band;
    band.SetArc(arc.GetCenter(), radius, arc.GetStartAngle(), arc.GetEndAngle(), startMoves);
    FcPoint2d given;
    const FcPoint2d movingEnd = startMoves ? arc.GetStartPoint() : arc.GetEndPoint();
    const char* prompt = startMoves ? "New start point for arc" : "New end point for arc";
    const int status = AskDynamicPoint(graph, movingEnd, prompt, band, given);
    if (status != FC_INPUT_OK) return status != FC_INPUT_CANCEL;
    FcPoint2d met[2];
    if (IntersectLineArc(arc.GetCenter(), given, arc.GetCenter(), kRayWithCircle, 0.0, 0.0, radius, met) != 1) {
      return true;
    }
    const double angle = std::atan2(met[0].y - arc.GetCenter().y, met[0].x - arc.GetCenter().x);
    item.Record(kUndoChanged, &arc);
    if (startMoves) {
      arc.SetStartAngle(angle);
    } else {
      arc.SetEndAngle(angle);
    }
    Changed(graph, arc);
    return true;
  }
  double change = 0.0;
  const bool fromAngle = settings.byAngle && settings.mode != LengthenMode::kPercent;
  switch (settings.mode) {
    case LengthenMode::kDelta:
      change = settings.byAngle ? settings.deltaAngle : settings.delta / radius;
      break;
    case LengthenMode::kPercent:
      change = included * (settings.percent - 100.0) / 100.0;
      break;
    default:
      change = settings.byAngle ? settings.totalAngle - included : (settings.total - radius * included) / radius;
      break;
  }
  const double result = included + change;
  if (!(result > 0.0 && result < kTwoPi)) {
    PrintMessage(fromAngle ? "Invalid angle." : "Invalid length.");
    return true;
  }
  item.Record(kUndoChanged, &arc);
  if (startMoves) {
    arc.SetStartAngle(arc.GetStartAngle() - change);
  } else {
    arc.SetEndAngle(arc.GetEndAngle() + change);
  }
  Changed(graph, arc);
  return true;
}

void LengthenPolyline(FcGraph& graph, FcPolyline& polyline, bool startMoves, const LengthenSettings& settings,
                      FcEntSetsUndoItem& item) {
  const double whole = polyline.GetLength();
  if (settings.mode == LengthenMode::kNone) {
    PrintMessage("Current length: " + FormatDrawingDistance(whole, &graph));
    return;
  }
  if (settings.mode == LengthenMode::kDynamic) {
    PrintMessage("Cannot LENGTHEN this object by dynamic point.");
    return;
  }
  const int count = polyline.GetVertexCount();
  const int movingIndex = startMoves ? 0 : count - 1;
  const int neighbourIndex = startMoves ? 1 : count - 2;
  // Widths belong to the first vertex of the segment.
  const int segmentIndex = startMoves ? 0 : count - 2;
  const PolylineVertex& moving = *polyline.GetVertex(movingIndex);
  const PolylineVertex& neighbour = *polyline.GetVertex(neighbourIndex);
  const double length = std::hypot(moving.x - neighbour.x, moving.y - neighbour.y);
  double growth = settings.delta;
  if (settings.mode == LengthenMode::kPercent) growth = whole * (settings.percent - 100.0) * 0.01;
  if (settings.mode == LengthenMode::kTotal) growth = settings.total - whole;
  const bool overshoots = settings.mode != LengthenMode::kDelta && growth < 0.0 && -growth > length;
  // An end segment without length has no direction to lengthen it in.
  if (overshoots || !(length > 0.0)) {
    PrintMessage(kCannotLengthen);
    return;
  }
  item.Record(kUndoChanged, &polyline);
  PolylineVertex& moved = *polyline.GetVertex(movingIndex);
  moved.x += (moving.x - neighbour.x) / length * growth;
  moved.y += (moving.y - neighbour.y) / length * growth;
  PolylineVertex& segment = *polyline.GetVertex(segmentIndex);
  const double ratio = (length + growth) / length;
  if (startMoves) {
    segment.startWidth = std::fmax(0.0, segment.endWidth + (segment.startWidth - segment.endWidth) * ratio);
  } else {
    segment.endWidth = std::fmax(0.0, segment.startWidth + (segment.endWidth - segment.startWidth) * ratio);
  }
  // The fitted curve follows its frame.
  if ((polyline.GetFlags() & kPolylineCurveFit) != 0) polyline.CurveFit();
  if ((polyline.GetFlags() & kPolylineSplineFit) != 0) polyline.SplineFit();
  Changed(graph, polyline);
}
