#pragma once

#include <string>
#include <string_view>

class FcGraph;

// One recorded change of a drawing. Items sit on a doubly linked chain
// (the drawing's undo list or a group); whoever deletes an item unlinks
// it first, an item never leaves a chain by itself.
class FcUndoItem {
 public:
  FcUndoItem() = default;
  virtual ~FcUndoItem();
  FcUndoItem(const FcUndoItem&) = delete;
  FcUndoItem& operator=(const FcUndoItem&) = delete;

  // Reverts the change on the drawing; true when the item did its work.
  virtual bool Undo(FcGraph& graph) = 0;
  // Undo again: most items exchange their saved state with the drawing's,
  // so a second exchange brings the change back.
  virtual bool Redo(FcGraph& graph);

  // Older item of the chain; inside a group, the next newer child.
  FcUndoItem* GetPrevious() const { return previous_; }
  void SetPrevious(FcUndoItem* item) { previous_ = item; }
  // Newer item of the list; inside a group, the next older child.
  FcUndoItem* GetNext() const { return next_; }
  void SetNext(FcUndoItem* item) { next_ = item; }
  // Shown after "Undo : " and "Redo : "; empty shows nothing.
  const std::string& GetName() const { return name_; }
  void SetName(std::string_view name) { name_ = name; }

 private:
  FcUndoItem* previous_ = nullptr;
  FcUndoItem* next_ = nullptr;
  std::string name_;
};

// Several items undone and redone as one step. The group owns its
// children; they are chained newest first.
class FcGroupUndo : public FcUndoItem {
 public:
  FcGroupUndo() = default;
  ~FcGroupUndo() override;

  // Newest child to oldest; true.
  bool Undo(FcGraph& graph) override;
  // Oldest child to newest, each through its own Redo; true.
  bool Redo(FcGraph& graph) override;

  // Links the item in as the newest child; nothing for null.
  void AddChild(FcUndoItem* item);

  FcUndoItem* GetNewestChild() const { return newest_; }
  FcUndoItem* GetOldestChild() const { return oldest_; }

 private:
  FcUndoItem* newest_ = nullptr;
  FcUndoItem* oldest_ = nullptr;
};

// The undo history of one drawing: a chain of items from the first (the
// oldest) on, of which those up to the current item are in effect and
// those after it form the redo tail. The list owns every item on the
// chain and the open group.
class FcUndoList {
 public:
  FcUndoList() = default;
  virtual ~FcUndoList();
  FcUndoList(const FcUndoList&) = delete;
  FcUndoList& operator=(const FcUndoList&) = delete;

  // While a group is open the item becomes its newest child; otherwise
  // the redo tail is dropped and the item becomes the current item.
  // Nothing for null. Does not mark the drawing modified.
  void Add(FcUndoItem* item);
  // Opens a new group with the name; a group still open is discarded.
  void BeginGroup(std::string_view name);
  // Closes the open group and adds it as one item; the group, or null when
  // none was open.
  FcGroupUndo* EndGroup();
  // Forgets the current item without undoing it (and drops the redo tail).
  void DiscardLast();
  // Deletes every item.
  void Clear();

  // The typed "Undo": the current item steps back and is undone, with its
  // name written to the command history. False when there was nothing to
  // undo.
  bool UndoStep();
  // The typed "Redo": the item after the current one (the first when none
  // is current) is redone. False when there was nothing to redo.
  bool RedoStep();

  FcGroupUndo* GetOpenGroup() const { return openGroup_; }
  bool IsGrouping() const { return grouping_; }
  FcUndoItem* GetFirst() const { return first_; }
  FcUndoItem* GetCurrent() const { return current_; }
  FcGraph* GetOwner() const { return owner_; }
  void SetOwner(FcGraph* graph) { owner_ = graph; }

 private:
  // Deletes every item after the current one; with no current item, all.
  void DropRedoTail();

  FcGroupUndo* openGroup_ = nullptr;
  bool grouping_ = false;
  FcUndoItem* first_ = nullptr;
  FcUndoItem* current_ = nullptr;
  FcGraph* owner_ = nullptr;
};

// How commands, dialogs and the view hand a finished item to a drawing:
// adds it to the drawing's undo list, marks the drawing modified and arms
// the autosave. 0 for a null item (nothing changes), else 1.
int AddUndoItem(FcGraph& graph, FcUndoItem* item);
