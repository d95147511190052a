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

// Only attributes answer the pick, each standing for the reference it
// follows; the drawing's own filter comes back after it.
class AttributePickFilter {
 public:
  explicit AttributePickFilter(FcGraph& graph) : graph_(graph), previous_(graph.GetSelectFilter()) {
    filter_.AddType("ATTRIB");
    graph.SetSelectFilter(&filter_);
  }
  ~AttributePickFilter() { graph_.SetSelectFilter(previous_); }
  AttributePickFilter(const AttributePickFilter&) = delete;
  AttributePickFilter& operator=(const AttributePickFilter&) = delete;

 private:
  FcGraph& graph_;
  FcSelectFilter* previous_;
  FcEntSelectFilter filter_;
};

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
      AttributePickFilter filter(graph);
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

}  // namespace

int CmdAttEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::vector<FcAttribute*> attributes;
  FcInsert* insert = PickReferenceWithAttributes(*graph, attributes);
  if (insert == nullptr) return kStatusDone;
  FcEntitySets definitions(kFcBlockSetGrowth);
  if (const FcBlock* block = graph->GetBlockList().FindByName(insert->GetBlockName())) {
    block->GetEntities().CollectAttributeDefs(definitions);
  }
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("AttEdit");
  // Recorded before the dialog, which writes the values straight in.
  for (FcAttribute* attribute : attributes) item->Record(kUndoChanged, attribute);
  CAttributeEditDlg dialog;
  dialog.m_pAttributes = &attributes;
  dialog.m_pAttributeDefs = &definitions;
  dialog.m_strBlockName = insert->GetBlockName();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  AddUndoItem(*graph, item.release());
  for (FcAttribute* attribute : attributes) graph->RedrawEntity(attribute);
  graph->Redraw();
  return kStatusDone;
}
