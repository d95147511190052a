#include <cmath>
#include <cstdint>
#include <memory>

#include "commands/command_support.h"
#include "commands/dialogs/ptype_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "shell/input_request.h"

int CmdDDPType() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcSystemVar& vars = graph->GetSysVars();
  CPTypeDlg dialog;
  dialog.m_nSizeMode = vars.pdsize > 0.0 ? CPTypeDlg::kAbsoluteSize : CPTypeDlg::kRelativeSize;
  dialog.m_dSize = std::fabs(vars.pdsize);
  dialog.m_nSample = CPTypeDlg::SampleOfMode(vars.pdmode);
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  std::unique_ptr<FcPTypeUndoItem> undo(NewEntityOrReport<FcPTypeUndoItem>());
  if (!undo) return kStatusDone;
  undo->SetName("ddPType");
  undo->SetValues(vars.pdmode, vars.pdsize);
  const double size = dialog.m_nSizeMode == CPTypeDlg::kAbsoluteSize ? std::fabs(dialog.m_dSize) : -std::fabs(dialog.m_dSize);
  // A mode that no sample shows stays unless the user chose a sample.
  const auto mode =
      dialog.m_nSample >= 0 ? static_cast<std::int16_t>(CPTypeDlg::ModeOfSample(dialog.m_nSample)) : vars.pdmode;
  const bool changed = mode != vars.pdmode || size != vars.pdsize;
  vars.pdmode = mode;
  vars.pdsize = size;
  AddUndoItem(*graph, undo.release());
  if (changed) graph->Regen();
  return kStatusDone;
}
