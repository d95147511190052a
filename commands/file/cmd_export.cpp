#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/export_dlg.h"
#include "commands/file/area_dialog.h"
#include "commands/file/file_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/viewport.h"
#include "display/display_surface.h"
#include "export/export_device.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

std::string DrawingPath(const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  if (vars.dwgtitled == 0) return {};
  return vars.dwgprefix.str() + vars.dwgname.str();
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
  if (RunAreaDialog(*graph, dialog)) Export(*graph, dialog);
  return kStatusDone;
}
