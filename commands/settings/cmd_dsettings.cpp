#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/draft_set_dlg.h"
#include "commands/settings/draft_settings_edit.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "shell/command_registry.h"

bool EditDraftSettings(FcGraph& graph, int startPage) {
  std::unique_ptr<FcSysVarUndoItem> undo(NewEntityOrReport<FcSysVarUndoItem>());
  if (!undo) return false;
  for (const char* name : {"osmode", "snapmode", "snapang", "snapbase", "snapunit", "gridmode", "gridunit"})
    undo->AddVariable(graph, name);
  CDraftSetDlg dialog;
  dialog.m_pGraph = &graph;
  dialog.m_nStartPage = startPage;
  dialog.Load();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return false;
  dialog.Apply();
  graph.Redraw();
  AddUndoItem(graph, undo.release());
  return true;
}

int CmdDSettings() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string argument;
  const bool objectSnap = PopCommandArgument(argument) && EqualsNoCase(argument, "OSnap");
  EditDraftSettings(*graph, objectSnap ? CDraftSetDlg::kObjectSnapPage : CDraftSetDlg::kSnapPage);
  return kStatusDone;
}
