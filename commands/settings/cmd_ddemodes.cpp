#include <memory>
#include <new>

#include "commands/command_support.h"
#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/undo_setting_items.h"
#include "platform/frame_link.h"

int CmdDDEModes() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcSystemVar& vars = graph->GetSysVars();
  CEntPropDlg dialog;
  dialog.m_pGraph = graph;
  dialog.m_nColor = vars.cecolor;
  dialog.m_strLayer = graph->GetCurrentLayer() != nullptr ? graph->GetCurrentLayer()->GetName() : vars.clayer.str();
  dialog.m_strLinetype = vars.celtype.str();
  dialog.m_dLtScale = vars.celtscale;
  dialog.m_strCaption = "Object Creation Modes";
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  std::unique_ptr<FcDrawPropUndoItm> item(new (std::nothrow) FcDrawPropUndoItm);
  if (!item) {
    // What Undo could not take back is not changed.
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  item->SetName("ddemodes");
  item->Capture(*graph);
  AddUndoItem(*graph, item.release());
  if (dialog.m_dLtScale > 0.0) vars.celtscale = dialog.m_dLtScale;
  SetCurrentColor(*graph, dialog.m_nColor);
  // Names the drawing lacks leave the current linetype and layer.
  graph->SetCurrentLinetype(dialog.m_strLinetype);
  graph->SetCurrentLayer(dialog.m_strLayer);
  return kStatusDone;
}
