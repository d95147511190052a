#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/draft_set_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "shell/command_registry.h"

int CmdDSettings() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::unique_ptr<FcSysVarUndoItem> undo(NewEntityOrReport<FcSysVarUndoItem>());
  if (!undo) return kStatusDone;
  for (const char* name : {"osmode", "snapmode", "snapang", "snapbase", "snapunit", "gridmode", "gridunit"})
    undo->AddVariable(*graph, name);
  CDraftSetDlg dialog;
  dialog.m_pGraph = graph;
  std::string argument;
  if (PopCommandArgument(argument) && EqualsNoCase(argument, "OSnap")) dialog.m_nStartPage = CDraftSetDlg::kObjectSnapPage;
  dialog.Load();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  dialog.Apply();
  graph->Redraw();
  AddUndoItem(*graph, undo.release());
  return kStatusDone;
}
