#include <memory>
#include <string>

#include "commands/block/block_commands.h"
#include "core/resbuf.h"
#include "commands/command_support.h"
#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/undo_block_item.h"
#include "database/undo_list.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

constexpr const char* kDuplicateName =
    "There aleady is the same block name in the drawing!\nPlease enter the new block name!";

// A name that no block has; empty when the prompt was cancelled.
std::string AskForNewName(const FcGraph& graph) {
  for (;;) {
    std::string text;
    if (GetString("Block name (or ?)", text) != FC_INPUT_OK) return {};
    // Trimmed before the test, so that " DOOR" cannot make a second DOOR.
    const std::string name = TrimBlanks(text);
    if (name == "?") {
      PrintBlockList();
      continue;
    }
    if (name.empty()) continue;
    if (graph.GetBlockList().FindByName(name) != nullptr) {
      ShowMessageBox("KOVRA", kDuplicateName);
      continue;
    }
    return name;
  }
}

// The selected entities leave the current space for the new block, keeping
// their handles; one undo step takes them back.
void MakeBlock(FcGraph& graph, const char* undoName, const std::string& name, const FcPoint2d& base,
               const FcEntitySets& selected) {
  FcBlock* block = graph.GetBlockList().AddNew();
  auto item = std::unique_ptr<FcBlockUndoItm>(new (std::nothrow) FcBlockUndoItm);
  if (block == nullptr || item == nullptr) {
    if (block != nullptr) graph.GetBlockList().RemoveByName(block->GetName());
    PrintMessage(kNoMemoryMessage);
    return;
  }
  block->SetName(name);
  block->SetBasePoint(base);
  item->RecordEntities(selected);
  for (FcEntity* entity : selected) {
    graph.RemoveEntity(entity);
    block->AddEntity(entity);
    if (FcLayer* layer = entity->GetLayer()) layer->AddEntityHandle(entity);
  }
  item->Capture(*block);
  item->SetName(undoName);
  AddUndoItem(graph, item.release());
  graph.Redraw();
  graph.GetSysVars().insname = name;
}

int DefineBlock(const char* undoName) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const std::string name = AskForNewName(*graph);
  if (name.empty()) return kStatusDone;
  FcPoint2d ucsBase;
  std::string text;
  if (GetPoint(nullptr, "Insert point", ucsBase, text) != FC_INPUT_OK) return kStatusDone;
  FcEntitySets selected(kFcPreviousSelectionGrowth);
  if (SelectObjects("", selected) != FC_INPUT_OK || selected.GetCount() == 0) return kStatusDone;
  MakeBlock(*graph, undoName, name, UcsToWorldPoint(*graph, ucsBase), selected);
  return kStatusDone;
}

}  // namespace

int CmdBlockPrompt() { return DefineBlock("-Block"); }

// Until its dialog comes, Block asks on the command line as well and moves
// the selection into the block.
int CmdBlock() { return DefineBlock("Block"); }
