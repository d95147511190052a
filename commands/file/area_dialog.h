#pragma once

#include <algorithm>
#include <string>

#include "commands/command_support.h"
#include "core/point2d.h"
#include "database/graph.h"
#include "database/viewport.h"
#include "display/display_surface.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"

// The dialogs that put a part of the drawing out (export, print) offer the
// same windows and pick theirs the same way.

inline void OrderCorners(FcPoint2d (&window)[2], const FcPoint2d& a, const FcPoint2d& b) {
  window[0] = {std::min(a.x, b.x), std::min(a.y, b.y)};
  window[1] = {std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The windows the dialog offers: the view, the extents of what is drawn
// (zeros when nothing is) and the limits in either order of their corners.
template <typename Dialog>
void FillCandidateWindows(FcGraph& graph, Dialog& dialog) {
  FcViewWindow view;
  if (FcGraphView* graphView = graph.GetView(); graphView != nullptr && graphView->GetViewWindow(view))
    OrderCorners(dialog.m_ptDisplay, {view.xmin, view.ymin}, {view.xmax, view.ymax});
  FcPoint2d min, max;
  if (FcDisplaySurface* surface = graph.GetDisplaySurface(); surface != nullptr && surface->GetExtents(min, max))
    OrderCorners(dialog.m_ptExtents, min, max);
  const FcSystemVar& vars = graph.GetSysVars();
  OrderCorners(dialog.m_ptLimits, vars.limmin, vars.limmax);
}

// Runs the dialog, and after each window pick the two corner prompts;
// false when the user cancelled the dialog or a prompt.
template <typename Dialog>
bool RunAreaDialog(const FcGraph& graph, Dialog& dialog) {
  dialog.m_bFirstShow = true;
  int result = RunModalDialog(dialog);
  dialog.m_bFirstShow = false;
  while (result == Dialog::kPickWindow) {
    FcPoint2d first, other;
    std::string text;
    if (GetPoint(nullptr, "First corner", first, text) != FC_INPUT_OK) return false;
    if (GetCorner(first, "Other corner", other, text) != FC_INPUT_OK) return false;
    // The other windows are world windows.
    dialog.m_ptWindow[0] = UcsToWorldPoint(graph, first);
    dialog.m_ptWindow[1] = UcsToWorldPoint(graph, other);
    result = RunModalDialog(dialog);
  }
  return result == CModalDialog::kOk;
}
