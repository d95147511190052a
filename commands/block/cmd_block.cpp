#include <memory>
#include <string>
#include <vector>

#include "commands/block/block_commands.h"
#include "commands/command_support.h"
#include "commands/dialogs/block_def_dlg.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/undo_block_item.h"
#include "database/undo_list.h"
#include "display/display_surface.h"
#include "entities/insert.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"
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

// Runs the dialog until OK (true) or Cancel (false); its pick buttons ask
// on the command line in between and fill the selection.
bool RunBlockDialog(FcGraph& graph, CBlkDefDlg& dialog, FcEntitySets& selected) {
  for (;;) {
    const int code = RunModalDialog(dialog);
    if (code == CModalDialog::kOk) return true;
    if (code == CBlkDefDlg::kPickPoint) {
      FcPoint2d ucsBase;
      std::string text;
      if (GetPoint(nullptr, "Base point", ucsBase, text) == FC_INPUT_OK) {
        dialog.m_ptBase = UcsToWorldPoint(graph, ucsBase);
      }
      continue;
    }
    if (code != CBlkDefDlg::kSelectObjects) return false;
    selected.RemoveAll(false);
    if (SelectObjects("", selected) != FC_INPUT_OK) selected.RemoveAll(false);
    dialog.m_nSelected = selected.GetCount();
    if (dialog.m_nSelected != 0) {
      graph.HighlightEntities(false, &selected);
      graph.Redraw();
    }
  }
}

// Into the block goes each selected entity itself, or in the Remain mode
// a copy with a handle of its own, the selected one staying in place.
FcEntity* BlockMember(FcGraph& graph, FcEntity* entity, int mode) {
  if (mode != CBlkDefDlg::kRemain) {
    graph.RemoveEntity(entity);
    return entity;
  }
  FcEntity* copy = entity->Clone();
  if (copy == nullptr) return nullptr;
  graph.AddEntityKeepLayer(copy);
  graph.RemoveEntity(copy);
  return copy;
}

// The reference that takes the selection's place, at the base point, with
// every attribute at its default value; recorded in the block's own item,
// so that one Undo takes back the block and the reference together.
void ReplaceByReference(FcGraph& graph, FcBlock& block, FcBlockUndoItm& item) {
  FcInsert* insert = NewEntityOrReport<FcInsert>();
  if (insert == nullptr) return;
  insert->SetBlockRecord(&block);
  insert->SetInsertionPoint(block.GetBasePoint());
  FcEntitySets definitions(kFcBlockSetGrowth);
  block.GetEntities().CollectAttributeDefs(definitions);
  std::vector<FcEntity*> attributes;
  if (definitions.GetCount() > 0 && !CreateInsertAttributes(AttributeMatrix(*insert), block.GetName(), definitions, attributes, true)) {
    for (FcEntity* made : attributes) delete made;
    attributes.clear();
  }
  graph.AddEntity(insert, true);
  item.GetReferenceItem().Record(kUndoCreated, insert);
  for (FcEntity* made : attributes) {
    graph.AddEntity(made, true);
    item.GetReferenceItem().Record(kUndoCreated, made);
  }
  if (!attributes.empty()) insert->SetEntitiesFollow(1);
}

void RefreshAfterBlock(FcGraph& graph) {
  FcDisplaySurface* surface = graph.GetDisplaySurface();
  if (surface != nullptr && surface->NeedsRegen()) {
    graph.Regen();
    return;
  }
  graph.Redraw();
}

}  // namespace

int CmdBlockPrompt() { return DefineBlock("-Block"); }

int CmdBlock() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  CBlkDefDlg dialog;
  dialog.m_pGraph = graph;
  FcEntitySets selected(kFcPreviousSelectionGrowth);
  if (!RunBlockDialog(*graph, dialog, selected)) return kStatusDone;
  FcBlock* block = graph->GetBlockList().AddNew();
  auto item = std::unique_ptr<FcBlockUndoItm>(new (std::nothrow) FcBlockUndoItm);
  if (block == nullptr || item == nullptr) {
    if (block != nullptr) graph->GetBlockList().RemoveByName(block->GetName());
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  item->SetMode(dialog.m_nMode);
  item->RecordEntities(selected);
  for (FcEntity* entity : selected) {
    FcEntity* member = BlockMember(*graph, entity, dialog.m_nMode);
    if (member == nullptr) continue;
    block->AddEntity(member);
    if (FcLayer* layer = member->GetLayer()) layer->AddEntityHandle(member);
  }
  block->SetName(dialog.m_strName);
  block->SetBasePoint(dialog.m_ptBase);
  item->Capture(*block);
  item->SetName("Block");
  if (dialog.m_nMode == CBlkDefDlg::kConvertIntoBlock) ReplaceByReference(*graph, *block, *item);
  AddUndoItem(*graph, item.release());
  RefreshAfterBlock(*graph);
  if (!dialog.m_strName.empty()) graph->GetSysVars().insname = dialog.m_strName;
  return kStatusDone;
}
