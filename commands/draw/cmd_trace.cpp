#include <string>
#include <utility>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "core/trace_joints.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "entities/trace.h"
#include "shell/input_request.h"

namespace {

struct EdgeCorners {
  FcPoint2d left;
  FcPoint2d right;
};

// The square edge of a piece running in the direction dir, at point.
EdgeCorners SquareEdge(const FcPoint2d& point, double dir, double halfWidth) {
  return {PointAtPolar(point, halfWidth, dir + kHalfPi), PointAtPolar(point, halfWidth, dir - kHalfPi)};
}

// The mitred joint of the pieces before-joint and joint-after, sides taken
// for the piece that arrives at the joint; sharp reports a hairpin turn, in
// which those sides are the other way round for the piece that leaves.
EdgeCorners JointEdge(const FcPoint2d& before, const FcPoint2d& joint, const FcPoint2d& after, double halfWidth,
                      int& sharp) {
  EdgeCorners edge;
  TraceJointPoints(before, joint, after, halfWidth, halfWidth, halfWidth, edge.left, edge.right, sharp);
  return edge;
}

// Asks the width, keeping TRACEWID on Enter and storing a width given.
// False when the command is to end.
bool AskTraceWidth(FcGraph& graph, double& width) {
  FcSystemVar& vars = graph.GetSysVars();
  width = vars.tracewid;
  std::string text;
  SetKeywords("", kInputRefuseNegative);
  const int status =
      GetDistance(nullptr, "Input width<" + FormatDrawingDistance(vars.tracewid, &graph) + ">", width, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  if (width >= 0.0) vars.SetTraceWid(width);
  return true;
}

}  // namespace

bool AddTraceSegment(FcUndoSection& section, const FcPoint2d& previous, const FcPoint2d& start, const FcPoint2d& end,
                     const FcPoint2d& following, double halfWidth) {
  const double dir = AngleFromTo(start, end);
  int sharp = 0;
  EdgeCorners startEdge = SquareEdge(start, dir, halfWidth);
  if (!IsSamePoint(previous, start)) {
    startEdge = JointEdge(previous, start, end, halfWidth, sharp);
    if (sharp != 0) std::swap(startEdge.left, startEdge.right);
  }
  const EdgeCorners endEdge =
      IsSamePoint(following, end) ? SquareEdge(end, dir, halfWidth) : JointEdge(start, end, following, halfWidth, sharp);
  return section.AddNew<FcTrace>([&](FcTrace& trace) {
    trace.SetCorners({startEdge.left, startEdge.right, endEdge.right, endEdge.left});
  });
}

int CmdTrace() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // Undo takes the whole trace back as one.
  FcUndoSection section(*graph, "Trace", FcUndoSection::Steps::kWholeRun);
  double width = 0.0;
  if (!AskTraceWidth(*graph, width)) return kStatusDone;
  const double halfWidth = width * 0.5;
  FcPoint2d startUcs;
  FcPoint2d base;
  std::string text;
  if (GetPoint(nullptr, "Input start point", startUcs, text) != FC_INPUT_OK) return kStatusDone;
  if (GetPoint(&startUcs, "Input next point", base, text) != FC_INPUT_OK) return kStatusDone;
  // A piece is built only once the point after it is known, so that its end
  // can be mitred to the next piece.
  FcPoint2d current = UcsToWorldPoint(*graph, startUcs);
  FcPoint2d previous = current;
  FcPoint2d next = UcsToWorldPoint(*graph, base);
  FcPoint2d ucsPoint;
  while (GetPoint(&base, "Input next point", ucsPoint, text) == FC_INPUT_OK) {
    const FcPoint2d following = UcsToWorldPoint(*graph, ucsPoint);
    if (!AddTraceSegment(section, previous, current, next, following, halfWidth)) return kStatusDone;
    previous = current;
    current = next;
    next = following;
    base = ucsPoint;
  }
  AddTraceSegment(section, previous, current, next, next, halfWidth);
  return kStatusDone;
}
