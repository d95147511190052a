#include "commands/dialogs/option_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "platform/program_settings.h"
#include "shell/application_link.h"

int CmdOptions() {
  ApplicationLink* link = GetApplicationLink();
  ProgramSettings& settings = GetProgramSettings();
  COptionDlg dialog(settings);
  if (link != nullptr) {
    dialog.m_nCmdLines = link->CommandBarLines();
    dialog.m_bToolBarPage = link->HasDrawingWindow();
    if (dialog.m_bToolBarPage) dialog.m_toolbars = link->Toolbars();
  }
  if (RunModalDialog(dialog) != CModalDialog::kOk || dialog.Refusal()) return kStatusDone;

  const bool iconsChanged = (settings.big_icon_toolbar != 0) != dialog.m_bBigIcons;
  dialog.WriteBack(settings);
  if (link == nullptr) return kStatusDone;
  if (dialog.m_bToolBarPage) link->ShowToolbars(dialog.m_toolbars);
  if (iconsChanged) link->PostToolbarIconSize();
  link->ApplyCommandBarStyle(dialog.m_nCmdLines);
  return kStatusDone;
}
