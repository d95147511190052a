#include <string>

#include "commands/command_support.h"
#include "commands/view/draw_order_table.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// The selection, unhighlighted; false when it was cancelled or empty.
bool SelectNonEmpty(FcGraph& graph, const char* prompt, FcEntitySets& objects) {
  const int status =
      prompt == nullptr ? SelectObjects("", objects) : SelectObjectsByOption(prompt, {}, nullptr, objects);
  if (status != FC_INPUT_OK || objects.GetCount() == 0) return false;
  graph.HighlightEntities(false, &objects);
  graph.Redraw();
  return true;
}

// The reference drawn last (above) or first (under); on equal sort handles
// the first found.
FcHandle ReferenceTarget(const FcSortEntsTable& table, const FcEntitySets& references, bool above) {
  FcSortEntsTable lookup;
  lookup.Copy(table);
  lookup.Sort(0, lookup.GetEntryCount() - 1);
  FcHandle target = 0;
  FcHandle best = 0;
  for (const FcEntity* reference : references) {
    const FcHandle key = lookup.LookupSortHandle(reference->GetHandle());
    if (target == 0 || (above ? key > best : key < best)) {
      target = reference->GetHandle();
      best = key;
    }
  }
  return target;
}

}  // namespace

int CmdDrawOrder() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selected(kFcPreviousSelectionGrowth);
  if (!SelectNonEmpty(*graph, nullptr, selected)) return kStatusDone;
  SetKeywords("Above Under Front Back", 0);
  std::string keyword;
  std::string text;
  const int status =
      GetKeyword("Enter object ordering option [Above objects/Under objects/Front/Back] <Back>", keyword, text);
  if (status == FC_INPUT_NONE) {
    keyword = "Back";
  } else if (status != FC_INPUT_OK) {
    return kStatusDone;
  }
  const bool byReference = keyword == "Above" || keyword == "Under";
  FcEntitySets references(kFcPreviousSelectionGrowth);
  if (byReference && !SelectNonEmpty(*graph, "Select reference objects", references)) return kStatusDone;
  RecordDrawOrderUndo(*graph);
  FcSortEntsTable* table = EnsureDrawOrderTable(*graph);
  if (table == nullptr) return kStatusDone;
  const FcHandle target = byReference ? ReferenceTarget(*table, references, keyword == "Above") : 0;
  const bool after = keyword == "Above" || keyword == "Front";
  for (const FcEntity* entity : selected) {
    if (after) {
      table->MoveEntity(entity->GetHandle(), target);
    } else {
      table->MoveEntityBefore(entity->GetHandle(), target);
    }
  }
  ShowDrawOrder(*graph, *table);
  return kStatusDone;
}
