#include "commands/modify/entity_pieces.h"

#include "database/graph.h"
#include "database/undo_items.h"

void AddNewPiece(FcGraph& graph, FcEntSetsUndoItem& undo, FcEntity* piece) {
  if (piece == nullptr) return;
  graph.AddEntityKeepLayer(piece);
  undo.Record(kUndoCreated, piece);
  graph.DrawEntity(piece);
}

void TakeOutErased(FcGraph& graph, FcEntSetsUndoItem& undo, FcEntity& entity) {
  graph.RemoveEntity(&entity);
  undo.Record(kUndoErased, &entity);
}
