#include <optional>
#include <string>

#include "commands/command_support.h"
#include "commands/view/ucs_alignment.h"
#include "commands/view/ucs_changes.h"
#include "commands/view/ucs_new.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

using StackChange = FcUCSUndoItem::StackChange;

constexpr const char* kNamePrompt = "Input UCS name or ?";

void ListNamedUcs(FcGraph& graph) {
  const FcUCSList& list = graph.GetUcsList();
  if (list.GetCount() == 0) {
    PrintMessage("There aren't any UCS!");
    return;
  }
  for (int i = 0; i < list.GetCount(); ++i) {
    const std::string& name = list.GetAt(i)->GetName();
    if (!name.empty()) PrintMessage(name);
  }
}

// The name typed for Restore, Save or Delete; none for "?" (after the
// list), Enter or anything but a name.
std::optional<std::string> AskUcsName(FcGraph& graph) {
  std::string name;
  if (GetString(kNamePrompt, name) != FC_INPUT_OK || name.empty()) return std::nullopt;
  if (name == "?") {
    ListNamedUcs(graph);
    return std::nullopt;
  }
  return name;
}

void UcsWorld(FcGraph& graph) {
  if (graph.GetSysVars().UcsIsWorld != 0) return;
  ApplyUcsFrame(graph, UcsFrame{{0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}});
  graph.Redraw();
}

void UcsMove(FcGraph& graph) {
  FcPoint2d point;
  std::string text;
  if (GetPoint(nullptr, "New origin<0,0>", point, text) == FC_INPUT_OK)
    ApplyUcsOrigin(graph, UcsToWorldPoint(graph, point));
}

// Recorded also on an empty list, where it changes nothing.
void UcsPrevious(FcGraph& graph) {
  const bool any = graph.GetPreviousUcsList().GetCount() > 0;
  if (!RecordUcsUndo(graph, any ? StackChange::kPopped : StackChange::kNone)) return;
  graph.PopPreviousUcs();
}

void UcsRestore(FcGraph& graph) {
  const std::optional<std::string> name = AskUcsName(graph);
  if (!name) return;
  const bool known = graph.GetUcsList().FindByName(*name) != nullptr;
  if (!RecordUcsUndo(graph, known ? StackChange::kPushed : StackChange::kNone)) return;
  graph.RestoreNamedUcs(*name);
}

// Save and Delete leave no undo step, but the named UCSs go to the file:
// the drawing counts as changed, so that closing it asks to save them.
void UcsSave(FcGraph& graph) {
  const std::optional<std::string> name = AskUcsName(graph);
  if (name && graph.SaveNamedUcs(*name) != nullptr) graph.GetSysVars().Modified = 1;
}

void UcsDelete(FcGraph& graph) {
  const std::optional<std::string> name = AskUcsName(graph);
  if (name && graph.GetUcsList().RemoveNamed(*name)) graph.GetSysVars().Modified = 1;
}

}  // namespace

int CmdUCS() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string keyword;
  std::string text;
  SetKeywords("New Move Previous Restore Save Delete World", 0);
  const int status =
      GetKeyword("Input Option[New/Move/Previous/Restore/Save/Delete/World]<World>", keyword, text);
  if (status == FC_INPUT_NONE || (status == FC_INPUT_OK && keyword == "World")) {
    UcsWorld(*graph);
    return kStatusDone;
  }
  if (status != FC_INPUT_OK) return kStatusDone;
  if (keyword == "New") {
    UcsNew(*graph);
  } else if (keyword == "Move") {
    UcsMove(*graph);
  } else if (keyword == "Previous") {
    UcsPrevious(*graph);
  } else if (keyword == "Restore") {
    UcsRestore(*graph);
  } else if (keyword == "Save") {
    UcsSave(*graph);
  } else {
    UcsDelete(*graph);
  }
  graph->Redraw();
  return kStatusDone;
}
