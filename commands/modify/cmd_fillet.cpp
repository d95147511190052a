#include <cmath>
#include <string>

#include "commands/modify/corner_prompts.h"
#include "commands/modify/fillet_pairs.h"
#include "commands/modify/fillet_polyline.h"
#include "commands/modify/modify_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/entity_listing.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

constexpr const char* kNotFilletable = "Fillet requires 2 lines, arcs, or circles.";
constexpr const char* kWithItself = "Cannot fillet an entity with itself.";
constexpr const char* kBetweenThese = "Cannot fillet between these two entities.";

enum class EdgeClass { kStraight, kRound, kPolyline, kOther };

EdgeClass ClassOf(const FcEntity* entity) {
  if (dynamic_cast<const FcLine*>(entity) != nullptr || dynamic_cast<const FcUnboundedLine*>(entity) != nullptr) {
    return EdgeClass::kStraight;
  }
  if (dynamic_cast<const FcCircle*>(entity) != nullptr) return EdgeClass::kRound;
  if (dynamic_cast<const FcPolyline*>(entity) != nullptr) return EdgeClass::kPolyline;
  return EdgeClass::kOther;
}

bool TakesEdge(const FcEntity& entity) { return ClassOf(&entity) != EdgeClass::kOther; }

// The options of the first prompt: true to ask again. Option Polyline
// makes the command's one change and ends it.
bool RunOption(FcGraph& graph, const std::string& keyword) {
  if (IsKeyword(keyword, "Polyline")) {
    if (FcPolyline* polyline = PickPolylineToEdit()) FilletWholePolyline(graph, *polyline);
    return false;
  }
  if (IsKeyword(keyword, "Radius")) {
    double& radius = graph.GetSysVars().filletrad;
    SetKeywords("", kInputRefuseNegative);
    double answer = 0.0;
    std::string text;
    const int status = GetDistance(nullptr, "Enter fillet radius <" + FormatDrawingDistance(radius, &graph) + ">",
                                   answer, text);
    if (status == FC_INPUT_OK) radius = std::fabs(answer);
    return status == FC_INPUT_OK || status == FC_INPUT_NONE;
  }
  if (IsKeyword(keyword, "Trim")) return AskTrimMode(graph);
  return true;
}

void FilletPair(FcGraph& graph, const CornerPick& first, const CornerPick& second) {
  FcEntity& a = *first.entity;
  FcEntity& b = *second.entity;
  const EdgeClass classA = ClassOf(&a);
  const EdgeClass classB = ClassOf(&b);
  // The same construction line twice is let through: its own parallel
  // edges refuse it.
  if (&a == &b && classA != EdgeClass::kPolyline && dynamic_cast<const FcXLine*>(&a) == nullptr) {
    PrintMessage(kWithItself);
    return;
  }
  if (classA == EdgeClass::kStraight && classB == EdgeClass::kStraight) {
    FilletStraightPair(graph, a, first.point, b, second.point);
  } else if (classA == EdgeClass::kStraight && classB == EdgeClass::kRound) {
    FilletStraightWithRound(graph, a, first.point, b, second.point);
  } else if (classA == EdgeClass::kRound && classB == EdgeClass::kStraight) {
    FilletStraightWithRound(graph, b, second.point, a, first.point);
  } else if (classA == EdgeClass::kRound && classB == EdgeClass::kRound) {
    FilletRoundPair(graph, a, first.point, b, second.point);
  } else if (classA == EdgeClass::kPolyline && classB == EdgeClass::kPolyline) {
    if (&a != &b || first.segment == second.segment) {
      PrintMessage(kBetweenThese);
      return;
    }
    FilletPolylineSegments(graph, dynamic_cast<FcPolyline&>(a), first.segment, second.segment);
  } else if (auto* line = dynamic_cast<FcLine*>(classA == EdgeClass::kPolyline ? &b : &a);
             line != nullptr && (classA == EdgeClass::kPolyline || classB == EdgeClass::kPolyline)) {
    const CornerPick& polylinePick = classA == EdgeClass::kPolyline ? first : second;
    const CornerPick& linePick = classA == EdgeClass::kPolyline ? second : first;
    FilletLineWithPolyline(graph, *line, linePick.point, dynamic_cast<FcPolyline&>(*polylinePick.entity),
                           polylinePick.segment, polylinePick.point);
  } else {
    PrintMessage(kBetweenThese);
  }
}

}  // namespace

int CmdFillet() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  PrintMessage(TrimModeLabel(*graph) + " Current fillet radius = " +
               FormatDrawingDistance(graph->GetSysVars().filletrad, graph));
  const CornerPickPrompts prompts{"Polyline Radius Trim", "Polyline/Radius/Trim/<Select first object>",
                                  "Select second object", kNotFilletable, TakesEdge};
  CornerPick first;
  CornerPick second;
  if (!PickCornerPair(prompts, [graph](const std::string& keyword) { return RunOption(*graph, keyword); }, first,
                      second)) {
    return kStatusDone;
  }
  FilletPair(*graph, first, second);
  return kStatusDone;
}
