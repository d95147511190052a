#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/resbuf.h"
#include "database/ucs.h"
#include "database/undo_list.h"

class FcSortEntsTable;

// One system variable and its value from before the change.
struct FcSysVarUndoEntry {
  std::string name;
  FcResBuf value;
};

// Variables changed by the variable commands, the status-bar toggles and
// the view's mode keys.
class FcSysVarUndoItem : public FcUndoItem {
 public:
  FcSysVarUndoItem();
  ~FcSysVarUndoItem() override;
  // Exchanges every stored value with the drawing's; false, doing nothing,
  // without entries.
  bool Undo(FcGraph& graph) override;
  // Stores the variable's present value; nothing for a name the drawing
  // does not answer.
  void AddVariable(FcGraph& graph, std::string_view name);

  int GetCount() const { return static_cast<int>(entries_.size()); }
  const FcSysVarUndoEntry& GetEntry(int index) const { return *entries_[static_cast<std::size_t>(index)]; }

 private:
  std::vector<std::unique_ptr<FcSysVarUndoEntry>> entries_;
};

// PDMODE and PDSIZE before the point-style dialog changed them.
class FcPTypeUndoItem : public FcUndoItem {
 public:
  bool Undo(FcGraph& graph) override;
  void SetValues(std::int16_t pointMode, double pointSize) {
    pointMode_ = pointMode;
    pointSize_ = pointSize;
  }

 private:
  double pointSize_ = 0.0;
  std::int16_t pointMode_ = 0;
};

// The units settings from before the Units dialog.
struct FcUnitsValues {
  std::int16_t lunits = 0;
  std::int16_t luprec = 0;
  std::int16_t aunits = 0;
  std::int16_t auprec = 0;
  std::int16_t angdir = 0;
  double angbase = 0.0;
};

class FcUnitsUndoItem : public FcUndoItem {
 public:
  // Values out of a variable's range leave that variable as it is.
  bool Undo(FcGraph& graph) override;
  FcUnitsValues& Values() { return values_; }

 private:
  FcUnitsValues values_;
};

// The UCS from before the UCS command changed it.
class FcUCSUndoItem : public FcUndoItem {
 public:
  // What the change did to the previous-UCS list: pushed the replaced UCS
  // (most changes), took the new one off it (going back to the previous
  // UCS), or left it (a change that found nothing to do).
  enum class StackChange { kPushed, kPopped, kNone };

  FcUCSUndoItem();
  // Takes back the change to the previous-UCS list as well.
  bool Undo(FcGraph& graph) override;
  // Makes the change to the previous-UCS list again.
  bool Redo(FcGraph& graph) override;
  // UCSORG, UCSXDIR and UCSYDIR.
  void Capture(const FcGraph& graph);
  void SetStackChange(StackChange change) { stackChange_ = change; }

 private:
  // Makes the item's UCS current and keeps the one it replaced.
  void Exchange(FcGraph& graph);

  FcUCS ucs_;
  StackChange stackChange_ = StackChange::kPushed;
};

// The current colour, layer, linetype and linetype scale.
class FcDrawPropUndoItm : public FcUndoItem {
 public:
  FcDrawPropUndoItm();
  bool Undo(FcGraph& graph) override;
  void Capture(const FcGraph& graph);

 private:
  std::int16_t color_ = 256;
  std::string layerName_;
  std::string linetypeName_;
  double linetypeScale_ = 1.0;
};

// The draw order of the current space from before DrawOrder or
// TextToFront changed it.
class FcDrawOrderUndoItem : public FcUndoItem {
 public:
  FcDrawOrderUndoItem();
  ~FcDrawOrderUndoItem() override;
  bool Undo(FcGraph& graph) override;
  // Copies the current space's table when the item holds none yet and the
  // space has one.
  void Capture(const FcGraph& graph);

  const FcSortEntsTable* GetSavedDrawOrder() const { return savedDrawOrder_.get(); }

 private:
  std::unique_ptr<FcSortEntsTable> savedDrawOrder_;
};
