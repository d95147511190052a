#include <cmath>
#include <optional>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/xline_options.h"
#include "commands/draw/xline_support.h"
#include "commands/undo_section.h"
#include "core/arcs.h"
#include "core/point_ops.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/xline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

struct Bisector {
  FcPoint2d base;
  FcPoint2d direction;
};

FcPoint2d UnitAt(double angle) { return {std::cos(angle), std::sin(angle)}; }

// The square bisector of a chord.
Bisector BisectorOfChord(const FcPoint2d& first, const FcPoint2d& second) {
  return {MidPoint(first, second), UnitAt(AngleFromTo(first, second) + kHalfPi)};
}

// The polyline segment from the picked vertex to the next (to the first
// from the last); none for a bulge that makes no arc.
std::optional<Bisector> BisectorOfSegment(const FcPolyline& polyline, int index) {
  const int count = polyline.GetVertexCount();
  if (index < 0 || index >= count) return std::nullopt;
  const PolylineVertex* from = polyline.GetVertex(index);
  const PolylineVertex* to = polyline.GetVertex(index + 1 < count ? index + 1 : 0);
  const FcPoint2d start{from->x, from->y};
  const FcPoint2d end{to->x, to->y};
  if (from->bulge == 0.0) return BisectorOfChord(start, end);
  FcPoint2d centre;
  FcPoint2d mid;
  if (ArcFromChordBulge(start, from->bulge, end, centre, &mid, nullptr) == 0) return std::nullopt;
  return Bisector{centre, mid - centre};
}

// The bisector of the picked object; none, after saying why where there
// is something to say, when the object has none.
std::optional<Bisector> BisectorOf(const EntityPick& pick) {
  if (const auto* line = dynamic_cast<const FcLine*>(pick.entity))
    return BisectorOfChord(line->GetStartPoint(), line->GetEndPoint());
  if (const auto* arc = dynamic_cast<const FcArc*>(pick.entity))
    return Bisector{arc->GetCenter(), UnitAt((arc->GetStartAngle() + arc->GetEndAngle()) / 2.0)};
  if (const auto* xline = dynamic_cast<const FcXLine*>(pick.entity)) {
    const FcPoint2d& d = xline->GetDirection();
    return Bisector{xline->GetBasePoint(), {-d.y, d.x}};
  }
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(pick.entity))
    return BisectorOfSegment(*polyline, pick.subIndex);
  PrintMessage("Please select line, arc, xline or polyline segment to bisect.");
  return std::nullopt;
}

void XLineBisectEntity(FcUndoSection& section) {
  EntityPick pick;
  while (PickEntityWithPoint("Select line object", pick) == FC_INPUT_OK && pick.entity != nullptr) {
    if (const std::optional<Bisector> bisector = BisectorOf(pick))
      AddXLine(section, bisector->base, bisector->direction);
  }
}

}  // namespace

void XLineBisect(FcUndoSection& section) {
  FcGraph& graph = section.Graph();
  FcPoint2d vertexUcs;
  std::string text;
  SetKeywords("Entity", 0);
  const int status = GetPoint(nullptr, "Input vertex of angle or [Entity]", vertexUcs, text);
  if (status == FC_INPUT_KEYWORD) {
    XLineBisectEntity(section);
    return;
  }
  if (status != FC_INPUT_OK) return;
  const FcPoint2d vertex = UcsToWorldPoint(graph, vertexUcs);
  FcPoint2d point;
  if (GetPoint(&vertexUcs, "Input point of start angle", point, text) != FC_INPUT_OK) return;
  const double startAngle = NormalAngleAbout(vertex, UcsToWorldPoint(graph, point));
  // Either of the two directions the mean may give draws the same line.
  while (GetPoint(&vertexUcs, "Input point of end angle", point, text) == FC_INPUT_OK) {
    const double endAngle = NormalAngleAbout(vertex, UcsToWorldPoint(graph, point));
    AddXLine(section, vertex, UnitAt((startAngle + endAngle) / 2.0));
  }
}
