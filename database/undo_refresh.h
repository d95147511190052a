#pragma once

class FcEntitySets;
class FcGraph;

// How the view is brought up to date after an undo item ran.
enum class FcUndoRefresh {
  // Regenerate when the display surface asks for it, else redraw.
  kRedraw,
  kRegen,
  // Layers were switched on or off.
  kLayerDisplay,
};

// The undo items' one way to the display surface.
void RefreshAfterUndo(FcGraph& graph, FcUndoRefresh kind);
// Draws the display groups of the entities anew.
void RedrawUndoneEntities(FcGraph& graph, const FcEntitySets& entities);
