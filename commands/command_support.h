#pragma once

#include <memory>
#include <new>
#include <string_view>

#include "core/point2d.h"
#include "database/undo_items.h"
#include "platform/frame_link.h"

class FcEntity;
class FcGraph;

// What the drawing commands share: the road from a prompt's point to the
// world, and from a new entity to its undo item.

inline constexpr const char* kNoMemoryMessage = "No enough memory!";

// A new entity of the class; null, after the history line that says so,
// when it cannot be allocated.
template <typename Entity>
Entity* NewEntityOrReport() {
  Entity* entity = new (std::nothrow) Entity;
  if (entity == nullptr) PrintMessage(kNoMemoryMessage);
  return entity;
}

// A point answered in the current UCS, in world coordinates.
FcPoint2d UcsToWorldPoint(const FcGraph& graph, const FcPoint2d& ucsPoint);

// A new, empty entity item carrying the name that Undo and Redo print; null
// when it cannot be allocated.
std::unique_ptr<FcEntSetsUndoItem> NewEntityUndoItem(std::string_view name);

// Adds the new entity to the drawing (drawn) and records its creation in
// the item. Nothing for null.
void AddCreatedEntity(FcGraph& graph, FcEntity* entity, FcEntSetsUndoItem& item);

// Adds the new entity to the drawing and pushes an item of its own, named
// after the command, so that Undo takes it back by itself. Nothing for null.
void AddEntityWithOwnUndo(FcGraph& graph, FcEntity* entity, std::string_view name);

// A new entity of the class, set up by fill and added with an item of its
// own; false (after the history line) when it cannot be allocated.
template <typename Entity, typename Fill>
bool AddNewEntityWithOwnUndo(FcGraph& graph, std::string_view name, Fill fill) {
  Entity* entity = NewEntityOrReport<Entity>();
  if (entity == nullptr) return false;
  fill(*entity);
  AddEntityWithOwnUndo(graph, entity, name);
  return true;
}

// Hands an item with records to the drawing's undo list; an empty one is
// dropped.
void PushUndoItemIfRecorded(FcGraph& graph, std::unique_ptr<FcEntSetsUndoItem> item);

// Installs the command-thread hook that closes an undo group a command left
// open (it failed or threw between BeginGroup and EndGroup), so that its
// changes still undo as one step. The application calls it once at
// start-up, beside the command registration; tests that run commands too.
void InstallCommandBoundaryHook();
