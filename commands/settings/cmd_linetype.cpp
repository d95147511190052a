#include <memory>

#include "commands/command_support.h"
#include "commands/dialogs/linetype_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_table_items.h"
#include "shell/input_request.h"

int CmdLinetype() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::unique_ptr<FcLTypeUndoItem> undo(NewEntityOrReport<FcLTypeUndoItem>());
  if (!undo) return kStatusDone;
  undo->SetName("linetype");
  undo->Capture(*graph);
  CLineTypeDlg dialog;
  dialog.m_pGraph = graph;
  dialog.Load();
  // Cancel leaves the drawing as it was: nothing to record.
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  dialog.Apply();
  if (dialog.m_bScaleChanged || dialog.m_table.Reloaded()) graph->Regen();
  AddUndoItem(*graph, undo.release());
  return kStatusDone;
}
