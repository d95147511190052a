#include <cmath>
#include <numbers>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/pline_state.h"
#include "commands/undo_section.h"
#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "shell/input_request.h"

namespace {

FcPoint2d WorldToUcsPoint(const FcGraph& graph, const FcPoint2d& world) {
  FcPoint2d point = world;
  TransformPoint(graph.GetSysVars().WorldToUcs, point);
  return point;
}

std::string WithDefault(const FcGraph& graph, const char* prompt, double value) {
  return std::string(prompt) + "<" + FormatDrawingDistance(value, &graph) + ">";
}

// Asks one width; false when it is not answered.
bool AskWidth(PlineRun& run, const char* prompt, double& width, bool half) {
  double value = 0.0;
  std::string text;
  const int status = GetDistance(&run.lastUcs, WithDefault(run.graph, prompt, half ? width / 2.0 : width), value, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  width = half ? 2.0 * value : value;
  return true;
}

// The direction of the last segment at its end, for an arc that goes on
// from it; the drawing's last direction when there is no segment.
double DirectionAtLastVertex(const PlineRun& run) {
  const int n = run.polyline->GetVertexCount();
  if (n < 2) return run.graph.GetSysVars().lastPlineDirection;
  const PolylineVertex& before = *run.polyline->GetVertex(n - 2);
  const FcPoint2d from{before.x, before.y};
  double direction = before.bulge != 0.0 ? PlineArcEndDirection(from, run.last, before.bulge)
                                         : NormalAngleAbout(from, run.last);
  NormalizeAngle(direction);
  SetLastPlineDirection(run.graph, direction);
  return direction;
}

// The line mode: the loop of the command until an answer ends it.
void PlineLineMode(PlineRun& run) {
  bool lengthPending = false;
  double length = 0.0;
  for (;;) {
    // A width that shows on screen is worth the wide preview.
    run.HandOver(run.startWidth != 0.0 || run.endWidth != 0.0);
    SetKeywords("Arc Close Halfwidth Length Undo Width", 0);
    FcPoint2d ucsPoint;
    std::string text;
    const int status =
        GetPoint(&run.lastUcs, "Specify next point or [Arc/Close/Halfwidth/Length/Undo/Width]", ucsPoint, text);
    run.band.fixedLength = false;
    if (status == FC_INPUT_OK) {
      FcPoint2d point = UcsToWorldPoint(run.graph, ucsPoint);
      if (lengthPending) point = PointAtPolar(run.last, length, AngleFromTo(run.last, point));
      lengthPending = false;
      run.startWidth = run.endWidth;
      run.polyline->AppendVertex(point, run.endWidth, run.endWidth, 0.0);
      run.FollowLastVertex();
    } else if (status != FC_INPUT_KEYWORD) {
      return;
    } else if (text == "Halfwidth" || text == "Width") {
      if (!PromptPlineWidths(run, text == "Halfwidth")) return;
      run.polyline->SetVertexWidths(run.polyline->GetVertexCount() - 1, run.startWidth, run.endWidth);
    } else if (text == "Undo") {
      run.UndoLastVertex();
    } else if (text == "Close") {
      if (run.polyline->GetVertexCount() > 2) {
        run.polyline->SetClosed(true);
        return;
      }
      PrintMessage("Can't close the polyline!");
    } else if (text == "Length") {
      if (GetDistance(&run.lastUcs, "Input segment length", length, text) != FC_INPUT_OK) return;
      lengthPending = true;
      run.band.segmentLength = length;
      run.band.fixedLength = true;
    } else if (text == "Arc") {
      if (PlineArcMode(run, DirectionAtLastVertex(run)) != kStatusDone) return;
      run.FollowLastVertex();
    }
    run.graph.GetSysVars().SetLastPoint(run.lastUcs);
  }
}

}  // namespace

void PlineRun::FollowLastVertex() {
  const PolylineVertex& v = *polyline->GetVertex(polyline->GetVertexCount() - 1);
  last = {v.x, v.y};
  lastUcs = WorldToUcsPoint(graph, last);
  band.start = last;
}

bool PlineRun::UndoLastVertex() {
  const int n = polyline->GetVertexCount();
  if (n < 2) {
    PrintMessage("All inputed points have been deleted!");
    return false;
  }
  polyline->RemoveVertex(n - 1);
  polyline->SetVertexBulge(n - 2, 0.0);
  const PolylineVertex& vertex = *polyline->GetVertex(n - 2);
  startWidth = vertex.startWidth;
  endWidth = vertex.endWidth;
  FollowLastVertex();
  return true;
}

void PlineRun::HandOver(bool withBand) {
  band.startHalfWidth = startWidth / 2.0;
  band.endHalfWidth = endWidth / 2.0;
  if (withBand) SetDragObject(&band);
  SetTempEntity(polyline.get());
}

void PlineRun::AppendArc(const FcPoint2d& end, double bulge) {
  polyline->SetVertexBulge(polyline->GetVertexCount() - 1, bulge);
  const FcPoint2d start = last;
  startWidth = endWidth;
  polyline->AppendVertex(end, endWidth, endWidth, 0.0);
  FollowLastVertex();
  band.tangentAngle = PlineArcEndDirection(start, end, bulge);
  SetLastPlineDirection(graph, band.tangentAngle);
  graph.GetSysVars().SetLastPoint(lastUcs);
}

bool PromptPlineWidths(PlineRun& run, bool half) {
  if (!AskWidth(run, half ? "Input start half width" : "Input start width", run.startWidth, half)) return false;
  run.endWidth = run.startWidth;
  return AskWidth(run, half ? "Input end half width" : "Input end width", run.endWidth, half);
}

double PlineArcEndDirection(const FcPoint2d& start, const FcPoint2d& end, double bulge) {
  FcPoint2d centre;
  if (ArcFromChordBulge(start, bulge, end, centre, nullptr, nullptr) == 0) return 0.0;
  double direction = AngleFromTo(centre, end) + (bulge > 0.0 ? std::numbers::pi / 2.0 : -std::numbers::pi / 2.0);
  NormalizeAngle(direction);
  return direction;
}

void SetLastPlineDirection(FcGraph& graph, double angle) {
  NormalizeAngle(angle);
  graph.GetSysVars().lastPlineDirection = angle;
}

int CmdPline() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "PLine", FcUndoSection::Steps::kWholeRun);
  FcPoint2d ucsStart;
  std::string text;
  if (GetPoint(nullptr, "Specify start point", ucsStart, text) != FC_INPUT_OK) return kStatusDone;
  const double width = graph->GetSysVars().plinewid;
  PrintMessage("Current pline width " + FormatDrawingDistance(width, graph));
  PlineRun run{*graph, std::unique_ptr<FcPolyline>(NewEntityOrReport<FcPolyline>())};
  if (run.polyline == nullptr) return kStatusDone;
  run.startWidth = run.endWidth = width;
  run.polyline->AppendVertex(UcsToWorldPoint(*graph, ucsStart), width, width, 0.0);
  run.band = FcDragPLine::From(FcDragPLine::kLine, {}, width / 2.0, width / 2.0);
  run.FollowLastVertex();
  PlineLineMode(run);
  SetTempEntity(nullptr);
  if (run.endWidth >= 0.0) graph->GetSysVars().SetPLineWid(run.endWidth);
  if (run.polyline->GetVertexCount() < 2) return kStatusDone;
  section.AddCreated(run.polyline.release());
  return kStatusDone;
}
