#include <string>
#include <vector>

#include "commands/modify/pedit_run.h"
#include "commands/modify/polyline_edits.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// A width typed at a prompt that has none to offer: Enter gives 0.
bool AskTaperWidth(const char* prompt, double& width) {
  SetKeywords("", kInputRefuseNegative);
  std::string text;
  const int status = GetDistance(nullptr, prompt, width, text);
  if (status == FC_INPUT_NONE) width = 0.0;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

std::string SegmentsAdded(int count) {
  if (count == 1) return "1 segment added to polyline.";
  return std::to_string(count) + " segments added to polyline.";
}

}  // namespace

std::string PEditRun::AllWidths() {
  SetKeywords("", kInputRefuseEmpty | kInputRefuseNegative);
  double width = 0.0;
  std::string text;
  if (GetDistance(nullptr, "Enter new width for all segments", width, text) != FC_INPUT_OK) return {};
  polyline_.SetConstantWidth(width);
  return "Width";
}

std::string PEditRun::Taper() {
  double start = 0.0;
  double end = 0.0;
  if (!AskTaperWidth("Enter new starting polyline width<0.0>", start)) return {};
  if (!AskTaperWidth("Enter new ending polyline width<0.0>", end)) return {};
  TaperPolyline(polyline_, start, end);
  return "Taper";
}

std::string PEditRun::Join(FcEntSetsUndoItem& step) {
  if (polyline_.IsClosed()) {
    PrintMessage("Unable to join to a closed polyline.");
    return {};
  }
  PrintMessage("Select entities to join");
  FcEntitySets selection(128);
  if (SelectObjects("", selection) != FC_INPUT_OK || selection.GetCount() == 0) return {};
  int added = 0;
  // A piece joined at one end may make another touch: passes go on until
  // one joins nothing.
  for (bool joined = true; joined;) {
    joined = false;
    const std::vector<FcEntity*> candidates(selection.begin(), selection.end());
    for (FcEntity* piece : candidates) {
      const int segments = JoinPiece(polyline_, *piece);
      if (segments == 0) continue;
      added += segments;
      joined = true;
      step.Record(kUndoErased, piece);
      RecordErasedInRun(piece);
      selection.Remove(piece);
      delete graph_.RemoveEntity(piece);
      break;
    }
  }
  graph_.HighlightEntities(false, &selection);
  if (added == 0) {
    PrintMessage("0 segment added to polyline.");
    return {};
  }
  polyline_.Refit();
  PrintMessage(SegmentsAdded(added));
  return "Join";
}

std::string PEditRun::EditVertex() {
  current_ = -1;
  forward_ = true;
  for (int i = 0; i < polyline_.GetVertexCount(); ++i) {
    if (!IsVisible(i)) continue;
    current_ = i;
    markers_.currentVertex = VertexPoint(*polyline_.GetVertex(i));
    markers_.markedShown = 0;
    mode_ = Mode::kVertex;
    return {};
  }
  PrintMessage("There isn't visible vertex!");
  return {};
}
