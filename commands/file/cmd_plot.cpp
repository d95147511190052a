#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/print_dlg.h"
#include "commands/file/area_dialog.h"
#include "commands/file/file_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "shell/printer.h"

namespace {

// One page of the dialog's window on the printer. A job or page that cannot
// start ends the print without a message.
void Print(FcGraph& graph, const CPrintDlg& dialog, FcPrinter& printer) {
  const FcPoint2d* window = dialog.m_pWindow;
  if (window == nullptr) return;
  if (!printer.StartJob("KOVRA- " + graph.GetSysVars().dwgname.str())) return;
  if (!printer.StartPage()) {
    printer.EndJob();
    return;
  }
  graph.PrintWindow(printer.DeviceContext(), dialog.m_nPrintWidth, dialog.m_nPrintHeight, dialog.m_nOffsetX,
                    dialog.m_nOffsetY, dialog.m_nRotation, dialog.ColorMode(), window[0], window[1],
                    dialog.m_dScale, dialog.m_nPixelsPerInchX);
  printer.EndPage();
  printer.EndJob();
}

}  // namespace

int CmdPlot() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  CPrintDlg dialog;
  dialog.m_pGraph = graph;
  FillCandidateWindows(*graph, dialog);
  if (!RunAreaDialog(*graph, dialog)) return kStatusDone;
  const std::shared_ptr<FcPrinter> printer = GetPrinter();
  if (printer != nullptr) Print(*graph, dialog, *printer);
  return kStatusDone;
}
