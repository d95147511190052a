#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/text_style_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "database/undo_table_items.h"
#include "shell/input_request.h"

int CmdStyle() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::unique_ptr<FcStyleUndoItm> undo(NewEntityOrReport<FcStyleUndoItm>());
  if (!undo) return kStatusDone;
  undo->Capture(*graph);
  const FcTextStyle* current = graph->GetCurrentTextStyle();
  const FcHandle currentHandle = current != nullptr ? current->GetHandle() : 0;
  CTextStyleDlg dialog;
  dialog.m_pGraph = graph;
  dialog.Load();
  dialog.CollectFonts();
  dialog.ShowStyle(current != nullptr ? current->GetName() : std::string());
  // "Close" ends the dialog with OK; Esc leaves the drawing as it was.
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  const FcTextStyle* shown = dialog.ShownStyle();
  if (!dialog.Changed() && shown != nullptr && shown->GetHandle() == currentHandle) return kStatusDone;
  graph->SetCurrentTextStyle(dialog.Commit());
  if (dialog.m_bModified) graph->Regen();
  AddUndoItem(*graph, undo.release());
  return kStatusDone;
}
