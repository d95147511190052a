#include <memory>
#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/spline_from_polylines.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/spline.h"
#include "shell/drag_spline.h"
#include "shell/input_request.h"

namespace {

// The points given one by one after the first, in the UCS, each also a fit
// point (world) of the spline. Before each prompt a floating fit point
// follows the cursor; it is gone again when the prompt returns. False when
// the command ends without a spline; closed tells whether Close ended the
// list.
bool AskFitPoints(const FcGraph& graph, FcSPline& spline, std::vector<FcPoint2d>& points, bool& closed) {
  std::string text;
  FcPoint2d point;
  FcDragSPline band(&spline, FcDragSPline::kLastFitPoint);
  for (;;) {
    spline.AppendFitPoint(UcsToWorldPoint(graph, points.back()));
    SetDragObject(&band);
    int status = FC_INPUT_NONE;
    if (points.size() == 1) {
      status = GetPoint(&points.back(), "Enter point", point, text);
    } else {
      SetKeywords("Close Undo", 0);
      status = GetPoint(&points.back(), "Enter point or [Close/Undo]", point, text);
    }
    if (status == FC_INPUT_OK) {
      spline.MoveLastFitPoint(UcsToWorldPoint(graph, point));
      points.push_back(point);
      continue;
    }
    spline.RemoveLastFitPoint();
    // The first point stays: it is the base of the next prompt.
    if (status == FC_INPUT_KEYWORD && text == "Undo") {
      if (points.size() > 1) {
        points.pop_back();
        spline.RemoveLastFitPoint();
      }
      continue;
    }
    closed = status == FC_INPUT_KEYWORD && text == "Close";
    return status == FC_INPUT_NONE || closed;
  }
}

// The tangent the answer gives at a fit point: from the answer to the
// first point at the start, from the last point to the answer at the end.
// Enter leaves it zero; false when the command ends.
bool AskTangent(const FcGraph& graph, FcDragSPline& band, const FcPoint2d& ucsBase, const char* prompt,
                FcPoint2d& tangent) {
  std::string text;
  FcPoint2d answer;
  SetDragObject(&band);
  const int status = GetPoint(&ucsBase, prompt, answer, text);
  tangent = {};
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  const FcPoint2d base = UcsToWorldPoint(graph, ucsBase);
  const FcPoint2d world = UcsToWorldPoint(graph, answer);
  const bool atStart = band.kind != FcDragSPline::kEndTangent;
  tangent = atStart ? FcPoint2d{base.x - world.x, base.y - world.y} : FcPoint2d{world.x - base.x, world.y - base.y};
  return true;
}

// The tangents the answers give; the preview has left its own on the
// spline, which the answers replace. False when the command ends.
bool AskTangents(const FcGraph& graph, FcSPline& spline, const std::vector<FcPoint2d>& points, bool closed) {
  FcPoint2d start;
  FcPoint2d end;
  if (closed) {
    FcDragSPline band(&spline, FcDragSPline::kBothTangents);
    if (!AskTangent(graph, band, points.front(), "Tangent", start)) return false;
    end = start;
  } else {
    FcDragSPline startBand(&spline, FcDragSPline::kStartTangent);
    if (!AskTangent(graph, startBand, points.front(), "Start tangent", start)) return false;
    spline.SetStartTangent(start);
    FcDragSPline endBand(&spline, FcDragSPline::kEndTangent);
    if (!AskTangent(graph, endBand, points.back(), "End tangent", end)) return false;
  }
  spline.SetStartTangent(start);
  spline.SetEndTangent(end);
  return true;
}

}  // namespace

int CmdSPLine() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string text;
  FcPoint2d first;
  SetKeywords("Object", 0);
  const int status = GetPoint(nullptr, "Enter first point or [Object]", first, text);
  if (status == FC_INPUT_KEYWORD) return ConvertPolylinesToSplines();
  if (status != FC_INPUT_OK) return kStatusDone;
  std::unique_ptr<FcSPline> spline(NewEntityOrReport<FcSPline>());
  if (!spline) return kStatusDone;
  spline->AppendFitPoint(UcsToWorldPoint(*graph, first));
  std::vector<FcPoint2d> points{first};
  bool closed = false;
  if (!AskFitPoints(*graph, *spline, points, closed) || points.size() < 2) return kStatusDone;
  if (closed) {
    points.push_back(points.front());
    spline->AppendFitPoint(UcsToWorldPoint(*graph, first));
    spline->SetClosedFitCurve();
  }
  if (!AskTangents(*graph, *spline, points, closed)) return kStatusDone;
  spline->InvalidateCurve();
  FcUndoSection section(*graph, "SPLine", FcUndoSection::Steps::kWholeRun);
  section.AddCreated(spline.release());
  return kStatusDone;
}
