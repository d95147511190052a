#include "database/undo_setting_items.h"

#include <memory>
#include <utility>
#include <vector>

#include "core/geometry_basics.h"
#include "database/block.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"
#include "database/undo_draw_order.h"
#include "database/undo_refresh.h"

namespace {

// The type, the value fields and a copy of the text.
void CopyResBufValue(const FcResBuf& from, FcResBuf& to) {
  to.type = from.type;
  to.realValue = from.realValue;
  to.x = from.x;
  to.y = from.y;
  to.z = from.z;
  to.intValue = from.intValue;
  to.handle = from.handle;
  if (from.text != nullptr) {
    to.SetString(from.text);
  } else if (to.text != nullptr) {
    to.SetString("");
  }
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

FcSysVarUndoItem::FcSysVarUndoItem() { SetName("Change system variable"); }
FcSysVarUndoItem::~FcSysVarUndoItem() = default;

void FcSysVarUndoItem::AddVariable(FcGraph& graph, std::string_view name) {
  auto entry = std::make_unique<FcSysVarUndoEntry>();
  if (graph.GetSysVar(name, entry->value) != FcSysVarResult::kDone) return;
  entry->name = name;
  entries_.push_back(std::move(entry));
}

bool FcSysVarUndoItem::Undo(FcGraph& graph) {
  if (entries_.empty()) return false;
  for (const auto& entry : entries_) {
    FcResBuf present;
    graph.GetSysVar(entry->name, present);
    graph.SetSysVar(entry->name, entry->value);
    CopyResBufValue(present, entry->value);
  }
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}

bool FcPTypeUndoItem::Undo(FcGraph& graph) {
  FcSystemVar& vars = graph.GetSysVars();
  const bool differs = vars.pdmode != pointMode_ || vars.pdsize != pointSize_;
  std::swap(vars.pdmode, pointMode_);
  std::swap(vars.pdsize, pointSize_);
  if (differs) RefreshAfterUndo(graph, FcUndoRefresh::kRegen);
  return true;
}

bool FcUnitsUndoItem::Undo(FcGraph& graph) {
  FcSystemVar& vars = graph.GetSysVars();
  const FcUnitsValues present{vars.lunits, vars.luprec, vars.aunits, vars.auprec, vars.angdir, vars.angbase};
  if (InRange(values_.lunits, 1, 5)) vars.lunits = values_.lunits;
  if (InRange(values_.luprec, 0, 8)) vars.luprec = values_.luprec;
  if (InRange(values_.aunits, 0, 4)) vars.aunits = values_.aunits;
  if (InRange(values_.auprec, 0, 16)) vars.auprec = values_.auprec;
  vars.angdir = values_.angdir != 0 ? 1 : 0;
  double base = values_.angbase;
  NormalizeAngle(base);
  vars.angbase = base;
  values_ = present;
  return true;
}

FcUCSUndoItem::FcUCSUndoItem() { SetName("UCS"); }

void FcUCSUndoItem::Capture(const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  ucs_.SetOrigin(vars.ucsorg);
  ucs_.SetXAxis(vars.ucsxdir);
  ucs_.SetYAxis(vars.ucsydir);
}

void FcUCSUndoItem::Exchange(FcGraph& graph) {
  FcUCS present;
  present.SetOrigin(graph.GetSysVars().ucsorg);
  present.SetXAxis(graph.GetSysVars().ucsxdir);
  present.SetYAxis(graph.GetSysVars().ucsydir);
  const FcPoint2d& origin = ucs_.GetOrigin();
  graph.GetSysVars().SetUcs(origin, {origin.x + ucs_.GetXAxis().x, origin.y + ucs_.GetXAxis().y},
                            {origin.x + ucs_.GetYAxis().x, origin.y + ucs_.GetYAxis().y});
  ucs_.CopyFrom(present);
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
}

bool FcUCSUndoItem::Undo(FcGraph& graph) {
  // A popped entry was the UCS that is current now.
  if (stackChange_ == StackChange::kPopped) graph.PushPreviousUcs();
  if (stackChange_ == StackChange::kPushed) graph.GetPreviousUcsList().RemoveLast();
  Exchange(graph);
  return true;
}

bool FcUCSUndoItem::Redo(FcGraph& graph) {
  if (stackChange_ == StackChange::kPushed) graph.PushPreviousUcs();
  if (stackChange_ == StackChange::kPopped) graph.GetPreviousUcsList().RemoveLast();
  Exchange(graph);
  return true;
}

FcDrawPropUndoItm::FcDrawPropUndoItm() { SetName("Drawing property"); }

void FcDrawPropUndoItm::Capture(const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  color_ = vars.cecolor;
  layerName_ = graph.GetCurrentLayer() != nullptr ? graph.GetCurrentLayer()->GetName() : vars.clayer.str();
  linetypeName_ = vars.celtype.str();
  linetypeScale_ = vars.celtscale;
}

bool FcDrawPropUndoItm::Undo(FcGraph& graph) {
  FcDrawPropUndoItm present;
  present.Capture(graph);
  FcSystemVar& vars = graph.GetSysVars();
  if (InRange(color_, 0, 256)) vars.cecolor = color_;
  graph.SetCurrentLayer(layerName_);
  graph.SetCurrentLinetype(linetypeName_);
  if (linetypeScale_ > 0.0) vars.celtscale = linetypeScale_;
  color_ = present.color_;
  layerName_ = std::move(present.layerName_);
  linetypeName_ = std::move(present.linetypeName_);
  linetypeScale_ = present.linetypeScale_;
  return true;
}

FcDrawOrderUndoItem::FcDrawOrderUndoItem() = default;
FcDrawOrderUndoItem::~FcDrawOrderUndoItem() = default;

void FcDrawOrderUndoItem::Capture(const FcGraph& graph) {
  if (savedDrawOrder_ == nullptr) savedDrawOrder_ = CopyOfDrawOrder(CurrentDrawOrder(graph));
}

bool FcDrawOrderUndoItem::Undo(FcGraph& graph) {
  FcBlock* space = graph.GetCurrentBlock();
  if (space == nullptr) return false;
  std::unique_ptr<FcSortEntsTable> present = CopyOfDrawOrder(space->GetSortEntsTable());
  if (savedDrawOrder_ != nullptr) {
    InstallDrawOrder(*space, std::move(savedDrawOrder_));
  } else if (FcDictionary* extension = space->GetExtDictionary()) {
    // The block keeps its (possibly empty) extension dictionary: an object
    // cannot be left without one once it has it.
    extension->Remove("ACAD_SORTENTS");
  }
  savedDrawOrder_ = std::move(present);
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}
