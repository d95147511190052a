#include "database/undo_list.h"

#include <new>

#include "database/graph.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

namespace {

// Deletes the item and every item after it along the next links.
void DeleteChainFrom(FcUndoItem* item) {
  while (item != nullptr) {
    FcUndoItem* next = item->GetNext();
    item->SetPrevious(nullptr);
    item->SetNext(nullptr);
    delete item;
    item = next;
  }
}

// Copied first: the item may change its own name while it runs.
void RunAndReport(FcUndoItem& item, FcGraph* graph, bool redo) {
  const std::string name = item.GetName();
  if (graph != nullptr) {
    if (redo) {
      item.Redo(*graph);
    } else {
      item.Undo(*graph);
    }
  }
  if (!name.empty()) PrintMessage((redo ? "Redo : " : "Undo : ") + name);
}

}  // namespace

FcUndoItem::~FcUndoItem() {
  previous_ = nullptr;
  next_ = nullptr;
}

bool FcUndoItem::Redo(FcGraph& graph) { return Undo(graph); }

FcGroupUndo::~FcGroupUndo() {
  DeleteChainFrom(newest_);
  newest_ = nullptr;
  oldest_ = nullptr;
}

bool FcGroupUndo::Undo(FcGraph& graph) {
  for (FcUndoItem* child = newest_; child != nullptr; child = child->GetNext()) child->Undo(graph);
  return true;
}

bool FcGroupUndo::Redo(FcGraph& graph) {
  for (FcUndoItem* child = oldest_; child != nullptr; child = child->GetPrevious()) child->Redo(graph);
  return true;
}

void FcGroupUndo::AddChild(FcUndoItem* item) {
  if (item == nullptr) return;
  item->SetPrevious(nullptr);
  item->SetNext(newest_);
  if (newest_ != nullptr) {
    newest_->SetPrevious(item);
  } else {
    oldest_ = item;
  }
  newest_ = item;
}

FcUndoList::~FcUndoList() {
  Clear();
  delete openGroup_;
}

void FcUndoList::DropRedoTail() {
  if (current_ == nullptr) {
    Clear();
    return;
  }
  DeleteChainFrom(current_->GetNext());
  current_->SetNext(nullptr);
}

void FcUndoList::Add(FcUndoItem* item) {
  if (item == nullptr) return;
  if (grouping_ && openGroup_ != nullptr) {
    openGroup_->AddChild(item);
    return;
  }
  DropRedoTail();
  item->SetNext(nullptr);
  item->SetPrevious(current_);
  if (current_ != nullptr) current_->SetNext(item);
  current_ = item;
  if (first_ == nullptr) first_ = item;
}

void FcUndoList::BeginGroup(std::string_view name) {
  delete openGroup_;
  openGroup_ = new (std::nothrow) FcGroupUndo;
  grouping_ = false;
  if (openGroup_ == nullptr) return;
  openGroup_->SetName(name);
  grouping_ = true;
}

FcGroupUndo* FcUndoList::EndGroup() {
  grouping_ = false;
  FcGroupUndo* group = openGroup_;
  if (group == nullptr) return nullptr;
  openGroup_ = nullptr;
  Add(group);
  return group;
}

void FcUndoList::DiscardLast() {
  if (current_ == nullptr) return;
  DropRedoTail();
  FcUndoItem* discarded = current_;
  if (discarded == first_) first_ = nullptr;
  current_ = discarded->GetPrevious();
  if (current_ != nullptr) current_->SetNext(nullptr);
  discarded->SetPrevious(nullptr);
  delete discarded;
}

void FcUndoList::Clear() {
  DeleteChainFrom(first_);
  first_ = nullptr;
  current_ = nullptr;
}

bool FcUndoList::UndoStep() {
  if (current_ == nullptr) {
    PrintMessage("There isn't any undo data!");
    return false;
  }
  FcUndoItem* item = current_;
  current_ = item->GetPrevious();
  RunAndReport(*item, owner_, false);
  return true;
}

bool FcUndoList::RedoStep() {
  FcUndoItem* candidate = current_ != nullptr ? current_->GetNext() : first_;
  if (candidate == nullptr) {
    PrintMessage("There isn't any redo data!");
    return false;
  }
  current_ = candidate;
  RunAndReport(*candidate, owner_, true);
  return true;
}

int AddUndoItem(FcGraph& graph, FcUndoItem* item) {
  if (item == nullptr) return 0;
  graph.GetUndoList().Add(item);
  FcSystemVar& vars = graph.GetSysVars();
  vars.Modified = 1;
  if (GetProgramSettings().save_time > 0 && vars.AutosaveState == 0) vars.AutosaveState = 1;
  return 1;
}
