#include "commands/undo_section.h"

#include <new>

#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/line.h"
#include "platform/frame_link.h"

namespace {

std::unique_ptr<FcEntSetsUndoItem> NewNamedItem(const std::string& name) {
  std::unique_ptr<FcEntSetsUndoItem> item(new (std::nothrow) FcEntSetsUndoItem);
  if (item) item->SetName(name);
  return item;
}

}  // namespace

FcUndoSection::FcUndoSection(FcGraph& graph, std::string_view name, Steps steps)
    : graph_(graph), name_(name), steps_(steps) {}

FcUndoSection::~FcUndoSection() {
  // Only a step that holds records goes on the list: adding one drops the
  // redo history, which a run that changed nothing must keep.
  if (run_ && run_->HasRecords()) AddUndoItem(graph_, run_.release());
}

FcEntSetsUndoItem* FcUndoSection::ItemFor(std::unique_ptr<FcEntSetsUndoItem>& own) {
  if (steps_ == Steps::kEachEntity) {
    own = NewNamedItem(name_);
  } else if (!run_) {
    run_ = NewNamedItem(name_);
  }
  return steps_ == Steps::kEachEntity ? own.get() : run_.get();
}

FcEntSetsUndoItem* FcUndoSection::RunItem() {
  if (!run_) run_ = NewNamedItem(name_);
  return run_.get();
}

void FcUndoSection::EraseRecorded(FcEntitySets& entities) {
  if (entities.GetCount() == 0) return;
  std::unique_ptr<FcEntSetsUndoItem> own;
  FcEntSetsUndoItem* item = ItemFor(own);
  if (item == nullptr) {
    // What Undo could not bring back is not erased.
    PrintMessage(kNoMemoryMessage);
    return;
  }
  item->RecordSet(kUndoErased, &entities);
  graph_.EraseEntities(entities);
  if (own) AddUndoItem(graph_, own.release());
}

bool FcUndoSection::RecordChanged(const FcEntitySets& entities) {
  if (entities.GetCount() == 0) return true;
  std::unique_ptr<FcEntSetsUndoItem> own;
  FcEntSetsUndoItem* item = ItemFor(own);
  if (item == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return false;
  }
  item->RecordSet(kUndoChanged, &entities);
  if (own) AddUndoItem(graph_, own.release());
  return true;
}

bool FcUndoSection::AddCreated(FcEntity* entity) { return AddRecorded(entity, false); }

bool FcUndoSection::AddCopy(FcEntity* entity) { return AddRecorded(entity, true); }

bool FcUndoSection::AddRecorded(FcEntity* entity, bool keepProperties) {
  if (entity == nullptr) return false;
  std::unique_ptr<FcEntSetsUndoItem> own;
  FcEntSetsUndoItem* item = ItemFor(own);
  if (item == nullptr) {
    // An entity that Undo could not take back is not drawn at all.
    delete entity;
    PrintMessage(kNoMemoryMessage);
    return false;
  }
  if (keepProperties) {
    graph_.AddEntityKeepLayer(entity);
    graph_.DrawEntity(entity);
    graph_.Redraw();
  } else {
    graph_.AddEntity(entity, true);
  }
  item->Record(kUndoCreated, entity);
  if (own) AddUndoItem(graph_, own.release());
  return true;
}

bool FcUndoSection::AddLine(const FcPoint2d& start, const FcPoint2d& end) {
  return AddNew<FcLine>([&](FcLine& line) {
    line.SetStartPoint(start);
    line.SetEndPoint(end);
  });
}
