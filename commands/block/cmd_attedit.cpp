#include <memory>
#include <string>
#include <vector>

#include "commands/block/block_commands.h"
#include "commands/dialogs/attribute_edit_dlg.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"
#include "shell/select_objects.h"

namespace {

// The attributes that follow the reference in the current space.
std::vector<FcAttribute*> ReferenceAttributes(const FcGraph& graph, const FcInsert& insert) {
  std::vector<FcAttribute*> attributes;
  const FcEntitySets* space = graph.GetCurrentEntitySet();
  if (space == nullptr || insert.GetEntitiesFollow() == 0) return attributes;
  int at = space->GetCount() - 1;
  while (at >= 0 && space->GetAt(at) != &insert) --at;
  for (int i = at + 1; at >= 0 && i < space->GetCount(); ++i) {
    FcEntity* entity = space->GetAt(i);
    if (entity == nullptr || !entity->IsSubEntity()) break;
    if (auto* attribute = dynamic_cast<FcAttribute*>(entity)) attributes.push_back(attribute);
  }
  return attributes;
}

// A reference with attributes; null when the pick was cancelled.
FcInsert* PickReferenceWithAttributes(FcGraph& graph, std::vector<FcAttribute*>& attributes) {
  for (;;) {
    FcEntity* picked = nullptr;
    {
      // Only attributes answer the pick, each standing for the reference
      // it follows.
      const FcTypeFilterScope attributesOnly(graph, {FcAttribute::kRecordName});
      std::string text;
      FcPoint2d point;
      if (PickOneObject("Select one block reference with attribute(s)", text, point, picked) != FC_INPUT_OK) {
        return nullptr;
      }
    }
    auto* insert = dynamic_cast<FcInsert*>(picked);
    if (insert == nullptr) {
      PrintMessage("Please select a block reference!");
      continue;
    }
    attributes = ReferenceAttributes(graph, *insert);
    if (!attributes.empty()) return insert;
    PrintMessage("There isn't any attribute in the block reference!");
  }
}

// The reference an attribute follows in the current space; null when it
// follows none.
FcInsert* ReferenceOf(const FcGraph& graph, const FcEntity& attribute) {
  const FcEntitySets* space = graph.GetCurrentEntitySet();
  if (space == nullptr) return nullptr;
  int at = space->GetCount() - 1;
  while (at >= 0 && space->GetAt(at) != &attribute) --at;
  while (--at >= 0) {
    FcEntity* entity = space->GetAt(at);
    if (entity != nullptr && !entity->IsSubEntity()) return dynamic_cast<FcInsert*>(entity);
  }
  return nullptr;
}

// The attribute dialog on the reference's attributes; OK keeps the values
// it wrote as one undo step.
void EditAttributesOf(FcGraph& graph, FcInsert& insert, const std::vector<FcAttribute*>& attributes) {
  FcEntitySets definitions(kFcBlockSetGrowth);
  if (const FcBlock* block = graph.GetBlockList().FindByName(insert.GetBlockName())) {
    block->GetEntities().CollectAttributeDefs(definitions);
  }
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("AttEdit");
  // Recorded before the dialog, which writes the values straight in.
  for (FcAttribute* attribute : attributes) item->Record(kUndoChanged, attribute);
  CAttributeEditDlg dialog;
  dialog.m_pAttributes = &attributes;
  dialog.m_pAttributeDefs = &definitions;
  dialog.m_strBlockName = insert.GetBlockName();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return;
  AddUndoItem(graph, item.release());
  for (FcAttribute* attribute : attributes) graph.RedrawEntity(attribute);
  graph.Redraw();
}

}  // namespace

int EditBlockAttributes(FcGraph& graph, FcEntity& entity) {
  auto* insert = dynamic_cast<FcInsert*>(&entity);
  if (insert == nullptr && dynamic_cast<FcAttribute*>(&entity) != nullptr) insert = ReferenceOf(graph, entity);
  if (insert == nullptr) return kCommandNotHandled;
  const std::vector<FcAttribute*> attributes = ReferenceAttributes(graph, *insert);
  if (attributes.empty()) return kCommandNotHandled;
  EditAttributesOf(graph, *insert, attributes);
  return kStatusDone;
}

int CmdAttEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::vector<FcAttribute*> attributes;
  FcInsert* insert = PickReferenceWithAttributes(*graph, attributes);
  if (insert == nullptr) return kStatusDone;
  EditAttributesOf(*graph, *insert, attributes);
  return kStatusDone;
}
