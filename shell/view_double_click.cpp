#include "database/graph.h"
#include "shell/view_core.h"
#include "shell/work_thread.h"

bool CChildView::OnDoubleClick(const FcPoint2d& world) {
  if (CommandRuns() || frame_.HasTypedInput()) return false;
  FcHandle primitive = 0;
  int part = 0;
  FcEntity* entity = Drawing().PickEntity(world, primitive, part);
  if (entity == nullptr) return false;
  // The first click of the pair has normally selected the entity, or
  // begun a box or a grip stretch that the edit replaces.
  if (box_.IsPending()) box_.Abandon();
  if (grips_.IsPending()) grips_.EndGripEdit();
  ClearFilterAndOverride();
  edit_.entity = entity;
  edit_.point = world;
  edit_.selection.CopyFrom(pickFirst_);
  if (pickFirst_.GetCount() > 0) DropPickFirst();
  frame_.ClearGrips();
  frame_.SetCommandActive(true);
  frame_.RefreshStatusPanes();
  frame_.UpdateTitle();
  handedOver_ = thread_.PostCommand(WM_FC_EDIT_ENTITY) == 1;
  if (handedOver_) return true;
  edit_.entity = nullptr;
  edit_.selection.RemoveAll(false);
  frame_.SetCommandActive(false);
  return false;
}
