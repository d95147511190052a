#include "commands/modify/corner_prompts.h"

#include <algorithm>
#include <cctype>

#include "commands/command_support.h"
#include "commands/modify/polyline_corners.h"
#include "database/graph.h"
#include "entities/polyline.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

int PickCornerEdge(std::string_view prompt, CornerPick& pick, std::string& text) {
  pick = CornerPick{};
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return FC_INPUT_CANCEL;
  FcHandle primitive = 0;
  FcPoint2d ucsPoint;
  const int status = PickObjectWithPoint(prompt, text, ucsPoint, pick.entity, primitive, pick.segment);
  if (status != FC_INPUT_OK) return status;
  pick.point = UcsToWorldPoint(*graph, ucsPoint);
  const auto* polyline = dynamic_cast<const FcPolyline*>(pick.entity);
  if (polyline == nullptr) return FC_INPUT_OK;
  if (polyline->IsFitted()) {
    pick.segment = NearestSegment(*polyline, pick.point);
  } else if (pick.segment < 0 || pick.segment >= PolylineSegmentCount(*polyline)) {
    // A part that names no segment is no edge to work on.
    pick.entity = nullptr;
  }
  return FC_INPUT_OK;
}

bool PickCornerPair(const CornerPickPrompts& prompts, const std::function<bool(const std::string&)>& runOption,
                    CornerPick& first, CornerPick& second) {
  for (;;) {
    SetKeywords(prompts.keywords, 0);
    std::string text;
    const int status = PickCornerEdge(prompts.first, first, text);
    if (status == FC_INPUT_KEYWORD) {
      if (!runOption(text)) return false;
      continue;
    }
    if (status != FC_INPUT_OK) return false;
    if (first.entity == nullptr) continue;
    if (prompts.takes(*first.entity)) break;
    PrintMessage(prompts.refusal);
  }
  for (;;) {
    std::string text;
    if (PickCornerEdge(prompts.second, second, text) != FC_INPUT_OK) return false;
    if (second.entity == nullptr) continue;
    if (prompts.takes(*second.entity)) return true;
    PrintMessage(prompts.refusal);
  }
}

std::string TrimModeLabel(const FcGraph& graph) {
  return graph.GetSysVars().TrimMode != 0 ? "(TRIM mode)" : "(NOTRIM mode)";
}

bool AskTrimMode(FcGraph& graph) {
  short& trimMode = graph.GetSysVars().TrimMode;
  SetKeywords("Trim No", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword(trimMode != 0 ? "Trim/No trim <Trim>" : "Trim/No trim <No trim>", keyword, text);
  if (status == FC_INPUT_OK) trimMode = IsKeyword(keyword, "Trim") ? 1 : 0;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

FcPolyline* PickPolylineToEdit() {
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select polyline", text, point, picked) != FC_INPUT_OK) return nullptr;
    if (picked == nullptr) continue;
    if (auto* polyline = dynamic_cast<FcPolyline*>(picked)) return polyline;
    PrintMessage("Object selected is not a polyline.");
  }
}

bool IsKeyword(std::string_view text, std::string_view keyword) {
  return std::equal(text.begin(), text.end(), keyword.begin(), keyword.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}
