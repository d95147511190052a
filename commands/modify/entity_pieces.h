#pragma once

class FcEntity;
class FcEntSetsUndoItem;
class FcGraph;

// A new piece an edit made of an entity, already carrying its properties:
// added to the drawing with a new handle, recorded as created and drawn.
// Nothing for null.
void AddNewPiece(FcGraph& graph, FcEntSetsUndoItem& undo, FcEntity* piece);
// Takes the entity out of the drawing, recorded as erased; the caller
// deletes it.
void TakeOutErased(FcGraph& graph, FcEntSetsUndoItem& undo, FcEntity& entity);
