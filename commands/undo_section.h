#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "commands/command_support.h"
#include "core/point2d.h"

class FcEntity;
class FcEntitySets;
class FcEntSetsUndoItem;
class FcGraph;

// The undo record of one run of a command, opened at the top of the
// command and closed by its scope: a prompt answered with Esc, an early
// return or a throw still leaves every change the run made on the undo
// list, under the command's name, and nothing half open behind it.
class FcUndoSection {
 public:
  // How Undo takes the run back.
  enum class Steps {
    // Each entity is a step of its own, on the list as soon as it is drawn,
    // so that Undo takes them back one at a time.
    kEachEntity,
    // The run is one step, put on the list when the section closes.
    kWholeRun,
  };

  FcUndoSection(FcGraph& graph, std::string_view name, Steps steps);
  // A run that changed nothing leaves no step, and the redo history stays.
  ~FcUndoSection();
  FcUndoSection(const FcUndoSection&) = delete;
  FcUndoSection& operator=(const FcUndoSection&) = delete;

  FcGraph& Graph() const { return graph_; }

  // Takes the new entity: adds it to the drawing (drawn) and records its
  // creation. When no record can be held the entity is deleted after the
  // history line that says so, and the answer is false, as it is for null.
  bool AddCreated(FcEntity* entity);

  // As AddCreated for an entity that already carries its properties (a
  // copy of another): its layer, linetype and colour stay.
  bool AddCopy(FcEntity* entity);

  // Erases the entities, recording them so that Undo brings them back.
  void EraseRecorded(FcEntitySets& entities);
  // Records the entities as they are, before the run changes them; false
  // (after the history line) when no record can be held, and then they
  // must be left as they are.
  bool RecordChanged(const FcEntitySets& entities);

  // The run's item itself (kWholeRun), made on first use, for a command
  // that records entity by entity; null when it cannot be made.
  FcEntSetsUndoItem* RunItem();

  // A new line from start to end, added as AddNew adds.
  bool AddLine(const FcPoint2d& start, const FcPoint2d& end);

  // A new entity of the class, set up by fill and added through
  // AddCreated; false (after the history line) when it cannot be made.
  template <typename Entity, typename Fill>
  bool AddNew(Fill fill) {
    Entity* entity = NewEntityOrReport<Entity>();
    if (entity == nullptr) return false;
    fill(*entity);
    return AddCreated(entity);
  }

 private:
  // The item a change goes into: the run's, or a new one of its own (kept
  // in own) when each entity is a step.
  FcEntSetsUndoItem* ItemFor(std::unique_ptr<FcEntSetsUndoItem>& own);
  bool AddRecorded(FcEntity* entity, bool keepProperties);

  FcGraph& graph_;
  std::string name_;
  Steps steps_;
  // The run's step while the section is open (kWholeRun only).
  std::unique_ptr<FcEntSetsUndoItem> run_;
};
