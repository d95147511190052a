#include "commands/modify/edge_command_run.h"

#include <cctype>
#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/modify/boundary_edges.h"
#include "commands/undo_section.h"
#include "core/extend_edge_list.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

constexpr const char* kNoValidEdge = "There isn't any valid edge.";

bool IsExtendKeyword(const std::string& keyword) {
  constexpr std::string_view kExtend = "extend";
  if (keyword.size() != kExtend.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(keyword[i])) != kExtend[i]) return false;
  }
  return true;
}

// Asks for the edge mode; false when the answer ends the picking.
bool AskEdgeMode() {
  const bool extend = ExtendEdgeMode() != 0;
  SetKeywords("Extend No", 0);
  std::string keyword;
  std::string text;
  const int status =
      GetKeyword(extend ? "Extend/No extend <Extend>" : "Extend/No extend <No extend>", keyword, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  ExtendEdgeMode() = IsExtendKeyword(keyword) ? 1 : 0;
  return true;
}

void ReportInvalidEdges(int invalid) {
  if (invalid == 1) PrintMessage("1 was not a valid edge.");
  if (invalid > 1) PrintMessage(std::to_string(invalid) + " were not a valid edge.");
}

// Takes the highlight off the selected edges that are still in the
// drawing: a picked edge may have been trimmed away and deleted.
void UnlightEdges(FcGraph& graph, const std::vector<FcHandle>& handles) {
  FcEntitySets remaining(16);
  if (const FcEntitySets* space = graph.GetCurrentEntitySet()) {
    for (const FcHandle handle : handles) {
      if (FcEntity* entity = space->FindByHandle(handle)) remaining.Add(entity);
    }
  }
  graph.HighlightEntities(false, &remaining);
  graph.Redraw();
}

void PickLoop(FcGraph& graph, const FcExtendEdgeList& edges, FcEntSetsUndoItem& undo, std::string_view prompt,
              const EdgePickHandler& handler) {
  for (;;) {
    SetKeywords("Edge", 0);
    std::string text;
    FcPoint2d ucsPoint;
    FcEntity* picked = nullptr;
    FcHandle primitive = 0;
    int segment = 0;
    const int status = PickObjectWithPoint(prompt, text, ucsPoint, picked, primitive, segment);
    if (status == FC_INPUT_KEYWORD) {
      if (!AskEdgeMode()) return;
      continue;
    }
    if (status != FC_INPUT_OK) return;
    if (picked == nullptr) continue;
    const EdgePick pick{graph, edges, ExtendEdgeMode() != 0, undo, UcsToWorldPoint(graph, ucsPoint), segment};
    handler(*picked, pick);
  }
}

}  // namespace

std::int16_t& ExtendEdgeMode() {
  static std::int16_t mode = 0;
  return mode;
}

int RunEdgeCommand(std::string_view undoName, std::string_view pickPrompt, const EdgePickHandler& handler) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selected(16);
  if (SelectObjects("", selected) != FC_INPUT_OK) return kStatusDone;
  FcExtendEdgeList edges;
  std::vector<FcHandle> handles;
  int invalid = 0;
  for (FcEntity* entity : selected) {
    if (entity == nullptr) continue;
    handles.push_back(entity->GetHandle());
    if (!BuildExtendEdgeList(*entity, edges)) ++invalid;
  }
  if (selected.GetCount() > 0) ReportInvalidEdges(invalid);
  if (edges.GetCount() == 0) {
    PrintMessage(kNoValidEdge);
    graph->HighlightEntities(false, &selected);
    graph->Redraw();
    return kStatusDone;
  }
  {
    FcUndoSection section(*graph, undoName, FcUndoSection::Steps::kWholeRun);
    FcEntSetsUndoItem* undo = section.RunItem();
    if (undo == nullptr) {
      PrintMessage(kNoMemoryMessage);
    } else {
      PickLoop(*graph, edges, *undo, pickPrompt, handler);
    }
  }
  UnlightEdges(*graph, handles);
  return kStatusDone;
}
