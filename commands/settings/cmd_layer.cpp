#include <memory>

#include "commands/command_support.h"
#include "commands/dialogs/layer_set_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_table_items.h"
#include "shell/input_request.h"

int CmdLayer() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // Linetypes loaded for a layer are taken back in the same step.
  std::unique_ptr<FcGroupUndo> undo(NewEntityOrReport<FcGroupUndo>());
  if (!undo) return kStatusDone;
  undo->SetName("Layer");
  auto* linetypes = NewEntityOrReport<FcLTypeUndoItem>();
  auto* layers = NewEntityOrReport<FcLayerUndoItem>();
  undo->AddChild(linetypes);
  undo->AddChild(layers);
  if (linetypes == nullptr || layers == nullptr) return kStatusDone;
  linetypes->Capture(*graph);
  layers->Capture(*graph);
  CLayerSetDlg dialog;
  dialog.m_pGraph = graph;
  dialog.Load();
  // Cancel leaves the drawing as it was: nothing to record.
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  dialog.Apply();
  if (dialog.m_nRegen == CLayerSetDlg::kRefreshLayerDisplay) graph->UpdateLayerDisplay();
  if (dialog.m_nRegen == CLayerSetDlg::kRefreshRegen) graph->Regen();
  AddUndoItem(*graph, undo.release());
  return kStatusDone;
}
