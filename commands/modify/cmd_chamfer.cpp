#include <string>

#include "commands/modify/chamfer_pairs.h"
#include "commands/modify/chamfer_polyline.h"
#include "commands/modify/corner_prompts.h"
#include "commands/modify/modify_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

constexpr const char* kNotChamferable = "Chamfer requires 2 lines (not arc segments).";
constexpr const char* kWithItself = "Cannot chamfer an entity with itself.";

enum class EdgeClass { kStraight, kPolyline, kOther };

EdgeClass ClassOf(const FcEntity* entity) {
  if (dynamic_cast<const FcLine*>(entity) != nullptr || dynamic_cast<const FcUnboundedLine*>(entity) != nullptr) {
    return EdgeClass::kStraight;
  }
  if (dynamic_cast<const FcPolyline*>(entity) != nullptr) return EdgeClass::kPolyline;
  return EdgeClass::kOther;
}

std::string Distance(const FcGraph& graph, double value) { return FormatDrawingDistance(value, &graph); }

// A distance with its default: the status of the prompt, the answer in
// value on FC_INPUT_OK.
int AskChamferDistance(const std::string& prompt, double& value) {
  SetKeywords("", 0);
  std::string text;
  return GetDistance(nullptr, prompt, value, text);
}

// Option Distance: sets both distances and the two-distance method.
void AskDistances(FcGraph& graph) {
  FcSystemVar& vars = graph.GetSysVars();
  double answer = 0.0;
  int status = AskChamferDistance("Enter first chamfer distance <" + Distance(graph, vars.chamfera) + ">", answer);
  if (status == FC_INPUT_OK) vars.SetChamferA(answer);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return;
  status = AskChamferDistance("Enter second chamfer distance<" + Distance(graph, vars.chamfera) + ">", answer);
  if (status == FC_INPUT_OK) vars.SetChamferB(answer);
  if (status == FC_INPUT_NONE) vars.SetChamferB(vars.chamfera);
  vars.chammode = 0;
}

// Option Angle: sets the length, the angle and the length-and-angle method.
void AskLengthAndAngle(FcGraph& graph) {
  FcSystemVar& vars = graph.GetSysVars();
  double answer = 0.0;
  const int status =
      AskChamferDistance("Enter chamfer length on the first line <" + Distance(graph, vars.chamferc) + ">", answer);
  if (status == FC_INPUT_OK) vars.SetChamferC(answer);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return;
  SetKeywords("", 0);
  std::string text;
  if (GetAngle(nullptr, "Enter chamfer angle from the first line <" + FormatDrawingAngle(vars.chamferd, &graph) + ">",
               answer, text) == FC_INPUT_OK) {
    vars.SetChamferD(answer);
  }
  vars.chammode = 1;
}

// Option Method: false when the user ended the command at its prompt.
bool AskMethod(FcGraph& graph) {
  short& mode = graph.GetSysVars().chammode;
  SetKeywords("Distance Angle", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword(mode == 0 ? "Distance/Angle <Distance>" : "Distance/Angle <Angle>", keyword, text);
  if (status == FC_INPUT_OK) mode = IsKeyword(keyword, "Distance") ? 0 : 1;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool TakesEdge(const FcEntity& entity) { return ClassOf(&entity) != EdgeClass::kOther; }

// The options of the first prompt: true to ask again. Options Polyline,
// Distance and Angle end the command.
bool RunOption(FcGraph& graph, const std::string& keyword) {
  if (IsKeyword(keyword, "Polyline")) {
    if (FcPolyline* polyline = PickPolylineToEdit()) ChamferWholePolyline(graph, *polyline);
    return false;
  }
  if (IsKeyword(keyword, "Distance")) {
    AskDistances(graph);
    return false;
  }
  if (IsKeyword(keyword, "Angle")) {
    AskLengthAndAngle(graph);
    return false;
  }
  if (IsKeyword(keyword, "Trim")) return AskTrimMode(graph);
  if (IsKeyword(keyword, "Method")) return AskMethod(graph);
  return true;
}

void ChamferPair(FcGraph& graph, const CornerPick& first, const CornerPick& second) {
  FcEntity& a = *first.entity;
  FcEntity& b = *second.entity;
  const bool polylineA = ClassOf(&a) == EdgeClass::kPolyline;
  const bool polylineB = ClassOf(&b) == EdgeClass::kPolyline;
  if (&a == &b && (!polylineA || first.segment == second.segment)) {
    PrintMessage(kWithItself);
    return;
  }
  if (!polylineA && !polylineB) {
    ChamferStraightPair(graph, a, first.point, b, second.point);
    return;
  }
  if (polylineA && polylineB) {
    if (&a != &b) {
      PrintMessage("  Cannot chamfer polyline segments from different polylines.");
      return;
    }
    ChamferPolylineSegments(graph, dynamic_cast<FcPolyline&>(a), first.segment, second.segment);
    return;
  }
  const CornerPick& polylinePick = polylineA ? first : second;
  const CornerPick& linePick = polylineA ? second : first;
  auto* line = dynamic_cast<FcLine*>(linePick.entity);
  if (line == nullptr) {
    PrintMessage("Cannot chamfer between these two entities.");
    return;
  }
  ChamferLineWithPolyline(graph, *line, linePick.point, dynamic_cast<FcPolyline&>(*polylinePick.entity),
                          polylinePick.segment, polylinePick.point, !polylineA);
}

}  // namespace

int CmdChamfer() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const FcSystemVar& vars = graph->GetSysVars();
  if (vars.chammode != 0) {
    PrintMessage(TrimModeLabel(*graph) + " Current chamfer Length = " + Distance(*graph, vars.chamferc) +
                 ", Angle = " + FormatDrawingAngle(vars.chamferd, graph));
  } else {
    PrintMessage(TrimModeLabel(*graph) + " Current chamfer Dist1 = " + Distance(*graph, vars.chamfera) +
                 ", Dist2 = " + Distance(*graph, vars.chamferb));
  }
  const CornerPickPrompts prompts{"Polyline Distance Angle Trim Method",
                                  "Polyline/Distance/Angle/Trim/Method/<Select first line>", "Select second line",
                                  kNotChamferable, TakesEdge};
  CornerPick first;
  CornerPick second;
  if (!PickCornerPair(prompts, [graph](const std::string& keyword) { return RunOption(*graph, keyword); }, first,
                      second)) {
    return kStatusDone;
  }
  ChamferPair(*graph, first, second);
  return kStatusDone;
}
