#include "commands/dialogs/color_sel_dlg.h"
#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/layer.h"

int CmdColor() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  CColorSelDlg dialog;
  dialog.m_nColor = static_cast<short>(ShortSysVar(*graph, "cecolor"));
  if (const FcLayer* layer = graph->GetCurrentLayer()) dialog.m_nLayerColor = layer->GetColor();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  SetCurrentColor(*graph, dialog.m_nColor);
  return kStatusDone;
}
