#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/spline.h"
#include "shell/input_request.h"

namespace {

// The points given one by one, in the UCS; false when the command ends
// without a spline. closed tells whether Close ended the list.
bool AskFitPoints(std::vector<FcPoint2d>& points, bool& closed) {
  std::string text;
  FcPoint2d point;
  if (GetPoint(nullptr, "Enter first point", point, text) != FC_INPUT_OK) return false;
  points.push_back(point);
  for (;;) {
    int status = FC_INPUT_NONE;
    if (points.size() == 1) {
      status = GetPoint(&points.back(), "Enter point", point, text);
    } else {
      SetKeywords("Close Undo", 0);
      status = GetPoint(&points.back(), "Enter point or [Close/Undo]", point, text);
    }
    if (status == FC_INPUT_OK) {
      points.push_back(point);
      continue;
    }
    // The first point stays: it is the base of the next prompt.
    if (status == FC_INPUT_KEYWORD && text == "Undo") {
      if (points.size() > 1) points.pop_back();
      continue;
    }
    closed = status == FC_INPUT_KEYWORD && text == "Close";
    return status == FC_INPUT_NONE || closed;
  }
}

// The tangent the answer gives at a fit point: from the answer to the
// first point at the start, from the last point to the answer at the end.
// Enter leaves it zero; false when the command ends.
bool AskTangent(const FcGraph& graph, const FcPoint2d& ucsBase, const char* prompt, bool atStart,
                FcPoint2d& tangent) {
  std::string text;
  FcPoint2d answer;
  const int status = GetPoint(&ucsBase, prompt, answer, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  const FcPoint2d base = UcsToWorldPoint(graph, ucsBase);
  const FcPoint2d world = UcsToWorldPoint(graph, answer);
  tangent = atStart ? FcPoint2d{base.x - world.x, base.y - world.y} : FcPoint2d{world.x - base.x, world.y - base.y};
  return true;
}

}  // namespace

int CmdSPLine() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "SPLine", FcUndoSection::Steps::kWholeRun);
  std::vector<FcPoint2d> points;
  bool closed = false;
  if (!AskFitPoints(points, closed) || points.size() < 2) return kStatusDone;
  if (closed) points.push_back(points.front());
  FcPoint2d startTangent;
  FcPoint2d endTangent;
  if (closed) {
    if (!AskTangent(*graph, points.front(), "Tangent", true, startTangent)) return kStatusDone;
    endTangent = startTangent;
  } else if (!AskTangent(*graph, points.front(), "Start tangent", true, startTangent) ||
             !AskTangent(*graph, points.back(), "End tangent", false, endTangent)) {
    return kStatusDone;
  }
  section.AddNew<FcSPline>([&](FcSPline& spline) {
    for (const FcPoint2d& p : points) spline.AppendFitPoint(UcsToWorldPoint(*graph, p));
    spline.SetStartTangent(startTangent);
    spline.SetEndTangent(endTangent);
    if (closed) spline.SetClosedFitCurve();
  });
  return kStatusDone;
}
