#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/handle.h"
#include "database/undo_list.h"

class FcDimStyle;
class FcLayer;
class FcLineType;
class FcTextStyle;

// The items of the table dialogs and commands: each keeps copies of every
// record of one table, with their handles, and the table's current record,
// taken before the command changes the table. Undo exchanges them with the
// drawing's: saved records are written back (made again where missing),
// records the copies lack are deleted, and the saved current record is made
// current again.

class FcLayerUndoItem : public FcUndoItem {
 public:
  FcLayerUndoItem();
  ~FcLayerUndoItem() override;
  bool Undo(FcGraph& graph) override;
  // Every layer and the current layer.
  void Capture(const FcGraph& graph);
  void SetCurrentLayerHandle(FcHandle handle) { currentLayer_ = handle; }

 private:
  std::vector<std::unique_ptr<FcLayer>> layers_;
  FcHandle currentLayer_ = 0;
};

class FcLTypeUndoItem : public FcUndoItem {
 public:
  FcLTypeUndoItem();
  ~FcLTypeUndoItem() override;
  bool Undo(FcGraph& graph) override;
  // Every linetype, CELTYPE and the two linetype scales.
  void Capture(const FcGraph& graph);

 private:
  std::vector<std::unique_ptr<FcLineType>> linetypes_;
  std::string currentLinetype_;
  double globalScale_ = 1.0;
  double entityScale_ = 1.0;
};

class FcStyleUndoItm : public FcUndoItem {
 public:
  FcStyleUndoItm();
  ~FcStyleUndoItm() override;
  bool Undo(FcGraph& graph) override;
  // Every text style and the current one, replacing an earlier capture.
  void Capture(const FcGraph& graph);

 private:
  std::vector<std::unique_ptr<FcTextStyle>> styles_;
  FcHandle currentStyle_ = 0;
};

class FcDimStyleUndoItem : public FcUndoItem {
 public:
  FcDimStyleUndoItem();
  ~FcDimStyleUndoItem() override;
  bool Undo(FcGraph& graph) override;
  // Every dimension style and the current one, replacing an earlier
  // capture.
  void Capture(const FcGraph& graph);

 private:
  std::vector<std::unique_ptr<FcDimStyle>> styles_;
  FcHandle currentStyle_ = 0;
};

// The linetype that the -Linetype command created.
class FcAddLinetypeUndoItem : public FcUndoItem {
 public:
  FcAddLinetypeUndoItem();
  ~FcAddLinetypeUndoItem() override;
  // Deletes the linetype.
  bool Undo(FcGraph& graph) override;
  // Makes it again, with its handle.
  bool Redo(FcGraph& graph) override;
  void Capture(const FcLineType& created);

 private:
  std::unique_ptr<FcLineType> linetype_;
};

// CELTYPE before the -Linetype command changed it.
class FcCurLinetypeUndoItem : public FcUndoItem {
 public:
  bool Undo(FcGraph& graph) override;
  void SetLinetypeName(std::string_view name) { linetypeName_ = name; }

 private:
  std::string linetypeName_;
};
