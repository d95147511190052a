#include "commands/view/draw_order_table.h"

#include <memory>

#include "database/block.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"
#include "database/undo_list.h"
#include "database/undo_setting_items.h"
#include "display/display_surface.h"

void RecordDrawOrderUndo(FcGraph& graph) {
  auto item = std::make_unique<FcDrawOrderUndoItem>();
  item->Capture(graph);
  item->SetName("DrawOrder");
  AddUndoItem(graph, item.release());
}

FcSortEntsTable* EnsureDrawOrderTable(FcGraph& graph) {
  FcBlock* space = graph.GetCurrentBlock();
  if (space == nullptr) return nullptr;
  if (FcSortEntsTable* table = space->GetSortEntsTable()) return table;
  const FcEntitySets* entities = graph.GetCurrentEntitySet();
  if (entities == nullptr || entities->GetCount() == 0) return nullptr;
  graph.AddToDrawOrder(entities->GetAt(0)->GetHandle(), true);
  FcSortEntsTable* table = space->GetSortEntsTable();
  if (table == nullptr) return nullptr;
  space->RebuildSortEntsTable();
  // A new table draws in handle order: every sort handle is its own entity's.
  table->Sort(0, table->GetEntryCount() - 1);
  return table;
}

void ShowDrawOrder(FcGraph& graph, const FcSortEntsTable& table) {
  if (FcDisplaySurface* surface = graph.GetDisplaySurface()) surface->ResortGroups(&table);
  graph.Redraw();
}
