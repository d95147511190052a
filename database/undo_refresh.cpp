#include "database/undo_refresh.h"

#include "database/graph.h"

void RefreshAfterUndo(FcGraph& graph, FcUndoRefresh kind) {
  switch (kind) {
    case FcUndoRefresh::kRedraw:
      graph.Redraw();
      return;
    case FcUndoRefresh::kRegen:
      graph.Regen();
      return;
    case FcUndoRefresh::kLayerDisplay:
      graph.UpdateLayerDisplay();
      return;
  }
}

void RedrawUndoneEntities(FcGraph& graph, const FcEntitySets& entities) { graph.RedrawEntities(&entities); }
