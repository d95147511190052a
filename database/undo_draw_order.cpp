#include "database/undo_draw_order.h"

#include <new>

#include "database/block.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"

FcSortEntsTable* CurrentDrawOrder(const FcGraph& graph) {
  const FcBlock* space = graph.GetCurrentBlock();
  return space != nullptr ? space->GetSortEntsTable() : nullptr;
}

std::unique_ptr<FcSortEntsTable> CopyOfDrawOrder(const FcSortEntsTable* table) {
  if (table == nullptr) return nullptr;
  auto copy = std::unique_ptr<FcSortEntsTable>(new (std::nothrow) FcSortEntsTable);
  if (copy != nullptr) copy->Copy(*table);
  return copy;
}

void InstallDrawOrder(FcBlock& block, std::unique_ptr<FcSortEntsTable> table) {
  if (table == nullptr) return;
  FcSortEntsTable* installed = table.release();
  block.SetSortEntsTable(installed);
  if (block.GetSortEntsTable() != installed) delete installed;
}
