#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/modify/pedit_run.h"
#include "commands/modify/polyline_edits.h"
#include "core/arcs.h"
#include "core/matrix2d.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/entity_listing.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

FcPoint2d ToUcs(const FcGraph& graph, const FcPoint2d& world) {
  FcPoint2d point = world;
  TransformPoint(graph.GetSysVars().WorldToUcs, point);
  return point;
}

}  // namespace

void PEditRun::Walk(bool forward) {
  forward_ = forward;
  const int n = polyline_.GetVertexCount();
  const bool closed = polyline_.IsClosed();
  int index = current_;
  // One turn at most: a closed polyline may have no vertex in view.
  for (int tried = 0; tried < n; ++tried) {
    if (forward) {
      index = index + 1 < n ? index + 1 : (closed ? 0 : -1);
    } else {
      index = index < 0 ? n - 1 : (index > 0 ? index - 1 : (closed ? n - 1 : -1));
    }
    if (index < 0) return;
    if (!IsVisible(index)) continue;
    current_ = index;
    markers_.currentVertex = VertexPoint(*polyline_.GetVertex(index));
    return;
  }
}

int PEditRun::NextOfCurrent(const char* refusal) const {
  const int n = polyline_.GetVertexCount();
  if (current_ < 0 || current_ >= n || (current_ == n - 1 && !polyline_.IsClosed()) || n < 2) {
    PrintMessage(refusal);
    return -1;
  }
  return current_ + 1 < n ? current_ + 1 : 0;
}

bool PEditRun::AskPointFromCurrent(const char* prompt, FcPoint2d& world) const {
  const PolylineVertex* vertex = polyline_.GetVertex(current_);
  if (vertex == nullptr) return false;
  const FcPoint2d base = ToUcs(graph_, VertexPoint(*vertex));
  FcPoint2d answer;
  std::string text;
  SetKeywords("", 0);
  if (GetPoint(&base, prompt, answer, text) != FC_INPUT_OK) return false;
  world = UcsToWorldPoint(graph_, answer);
  return true;
}

std::string PEditRun::MoveVertex() {
  FcPoint2d world;
  if (!AskPointFromCurrent("New location for the vertex", world)) return {};
  PolylineVertex& vertex = *polyline_.GetVertex(current_);
  vertex.x = world.x;
  vertex.y = world.y;
  markers_.currentVertex = world;
  polyline_.Refit();
  return "New location for the vertex";
}

std::string PEditRun::InsertVertex() {
  FcPoint2d world;
  if (!AskPointFromCurrent("Location for new vertex", world)) return {};
  polyline_.InsertVertex(world, 0.0, 0.0, 0.0, current_);
  ++current_;
  markers_.currentVertex = world;
  polyline_.Refit();
  return "Insert vertex";
}

std::string PEditRun::VertexWidths() {
  const PolylineVertex* vertex = polyline_.GetVertex(current_);
  if (vertex == nullptr) return {};
  const FcPoint2d base = ToUcs(graph_, VertexPoint(*vertex));
  const auto ask = [&](const char* prompt, double& width) {
    SetKeywords("", kInputRefuseNegative);
    std::string text;
    double answer = 0.0;
    const int status = GetDistance(&base, std::string(prompt) + "<" + FormatDrawingDistance(width, &graph_) + ">",
                                   answer, text);
    if (status == FC_INPUT_OK) width = answer;
    return status == FC_INPUT_OK || status == FC_INPUT_NONE;
  };
  double start = vertex->startWidth;
  if (!ask("Enter new starting width", start)) return {};
  double end = start;
  if (!ask("Enter new ending width", end)) return {};
  polyline_.SetVertexWidths(current_, start, end);
  return "Taper";
}

std::string PEditRun::BendSegment(bool bySweep) {
  const int next =
      NextOfCurrent(bySweep ? "Can't set the angle of the vertex!" : "Can't set the direction of the vertex!");
  if (next < 0) return {};
  const FcPoint2d start = VertexPoint(*polyline_.GetVertex(current_));
  const FcPoint2d end = VertexPoint(*polyline_.GetVertex(next));
  const FcPoint2d base = ToUcs(graph_, start);
  double angle = 0.0;
  std::string text;
  SetKeywords("", 0);
  const int status = bySweep ? GetAngle(&base, "Sweep angle for the vertex", angle, text)
                             : GetAbsoluteAngle(&base, "New direction for the vertex", angle, text);
  if (status != FC_INPUT_OK) return {};
  // The prompt answers every angle as a counter-clockwise one; a typed
  // negative sweep is meant clockwise.
  const std::size_t typed = text.find_first_not_of(" \t");
  if (bySweep && typed != std::string::npos && text[typed] == '-' && angle > 0.0) angle -= kTwoPi;
  double bulge = 0.0;
  if (bySweep) {
    // The construction gives counter-clockwise arcs; a negative sweep runs
    // the other way.
    if (ArcFromChordAngle(start, end, std::fabs(angle), nullptr, nullptr, &bulge) == 0) return {};
    if (angle < 0.0) bulge = -bulge;
  } else if (ArcFromStartDirectionEnd(start, angle + graph_.GetSysVars().UcsAngle, end, nullptr, nullptr, &bulge) ==
             0) {
    return {};
  }
  polyline_.SetVertexBulge(current_, bulge);
  polyline_.Refit();
  return bySweep ? "Angle of vertex" : "Direction of vertex";
}

std::string PEditRun::Go(FcEntSetsUndoItem& step) {
  mode_ = Mode::kVertex;
  markers_.markedShown = 0;
  const int low = std::min(mark_, current_);
  const int high = std::max(mark_, current_);
  if (marked_ == Marked::kStraighten) {
    if (low == high) return {};
    StraightenBetween(polyline_, low, high);
    if (current_ == high) current_ = low + 1;
    polyline_.Refit();
    return "Straighten";
  }
  std::unique_ptr<FcPolyline> piece;
  if (!BreakBetween(polyline_, low, high, piece)) {
    PrintMessage("Invalid!");
    return {};
  }
  current_ = low;
  markers_.currentVertex = VertexPoint(*polyline_.GetVertex(low));
  polyline_.Refit();
  if (piece != nullptr) {
    piece->Refit();
    FcPolyline* added = piece.release();
    graph_.AddEntityKeepLayer(added);
    step.Record(kUndoCreated, added);
    RecordCreatedInRun(added);
    graph_.DrawEntity(added);
  }
  return "Break";
}
