#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/export_dlg.h"
#include "commands/file/file_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/viewport.h"
#include "display/display_surface.h"
#include "export/export_device.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

void SetWindow(FcPoint2d (&window)[2], const FcPoint2d& a, const FcPoint2d& b) {
  window[0] = {std::min(a.x, b.x), std::min(a.y, b.y)};
  window[1] = {std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The windows the dialog offers: the view, the extents of what is drawn
// (zeros when nothing is) and the limits in either order of their corners.
void FillCandidateWindows(FcGraph& graph, CExportDlg& dialog) {
  FcViewWindow view;
  if (FcGraphView* graphView = graph.GetView(); graphView != nullptr && graphView->GetViewWindow(view))
    SetWindow(dialog.m_ptDisplay, {view.xmin, view.ymin}, {view.xmax, view.ymax});
  FcPoint2d min, max;
  if (FcDisplaySurface* surface = graph.GetDisplaySurface(); surface != nullptr && surface->GetExtents(min, max))
    SetWindow(dialog.m_ptExtents, min, max);
  const FcSystemVar& vars = graph.GetSysVars();
  SetWindow(dialog.m_ptLimits, vars.limmin, vars.limmax);
}

std::string DrawingPath(const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  if (vars.dwgtitled == 0) return {};
  return vars.dwgprefix.str() + vars.dwgname.str();
}

// Runs the dialog, and after each "Pick Window <" the two corner prompts;
// false when the user cancelled the dialog or a prompt.
bool RunExportDialog(const FcGraph& graph, CExportDlg& dialog) {
  dialog.m_bFirstShow = true;
  int result = RunModalDialog(dialog);
  dialog.m_bFirstShow = false;
  while (result == CExportDlg::kPickWindow) {
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

void Export(FcGraph& graph, const CExportDlg& dialog) {
  const FcPoint2d* window = dialog.m_pWindow;
  if (window == nullptr || window[0].x == window[1].x || window[0].y == window[1].y) {
    PrintMessage("Nothing to export: the area has no width or no height.");
    return;
  }
  std::unique_ptr<FcExportDevice> device = MakeExportDevice(dialog.m_nType);
  if (device == nullptr) return;
  const std::string refusal = CheckExportSize(dialog.m_dWidth, dialog.m_dHeight, device->scale);
  if (!refusal.empty()) {
    PrintMessage(refusal);
    return;
  }
  const std::optional<int> width = ExportPixels(dialog.m_dWidth, device->scale);
  const std::optional<int> height = ExportPixels(dialog.m_dHeight, device->scale);
  bool exported = false;
  try {
    exported = graph.ExportWindow(window[0], window[1], std::move(device), *width, *height, dialog.m_strFileName);
  } catch (const std::exception&) {
    exported = false;
  }
  if (!exported) PrintMessage("Export failure! Please try again!");
}

}  // namespace

int CmdExport() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  CExportDlg dialog;
  FillCandidateWindows(*graph, dialog);
  dialog.m_strFileName = DrawingPath(*graph);
  if (RunExportDialog(*graph, dialog)) Export(*graph, dialog);
  return kStatusDone;
}
