#pragma once

#include "core/point2d.h"
#include "database/entity_sets.h"

class FcEntity;
class FcGraph;

// The command-thread message that edits what a double click in the view
// found, in place of a named command.
inline constexpr unsigned WM_FC_EDIT_ENTITY = 0x9394;

// What a double click in the view edits: the entity under the cursor, the
// point clicked (world coordinates), and the pick-first selection the view
// had, which the view has emptied and taken the highlight off.
struct FcEntityEdit {
  FcEntity* entity = nullptr;
  FcPoint2d point;
  FcEntitySets selection{16};
};

// Opens the editor the entity's kind calls for, on the command thread as a
// command of its own; its answer is the command's status. The commands
// install it at start-up; without one a double click edits nothing.
using EntityEditor = int (*)(FcGraph& graph, FcEntityEdit& edit);
void SetEntityEditor(EntityEditor editor);
EntityEditor GetEntityEditor();
