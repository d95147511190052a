#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/units_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "shell/input_request.h"

int CmdUnits() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::unique_ptr<FcUnitsUndoItem> undo(NewEntityOrReport<FcUnitsUndoItem>());
  if (!undo) return kStatusDone;
  undo->SetName("Units");
  const FcSystemVar& vars = graph->GetSysVars();
  undo->Values() = {vars.lunits, vars.luprec, vars.aunits, vars.auprec, vars.angdir, vars.angbase};
  CUnitsDlg dialog;
  dialog.m_pGraph = graph;
  dialog.Load();
  int result = RunModalDialog(dialog);
  // A pick needs the drawing: the dialog closes for it and opens again on
  // its direction page with the picked angle.
  while (result == CUnitsDlg::kPickDirection) {
    double angle = 0.0;
    std::string text;
    if (GetAbsoluteAngle(nullptr, "Pick angle base", angle, text) == FC_INPUT_OK) dialog.m_dBaseAngle = angle;
    dialog.m_bReopenDirection = true;
    result = RunModalDialog(dialog);
  }
  // Cancel leaves the drawing as it was: nothing to record.
  if (result != CModalDialog::kOk) return kStatusDone;
  dialog.Apply();
  AddUndoItem(*graph, undo.release());
  return kStatusDone;
}
