#include "commands/dialogs/about_dlg.h"
#include "commands/inquiry/inquiry_commands.h"
#include "core/resbuf.h"

int CmdAbout() {
  CAboutDlg dialog;
  RunModalDialog(dialog);
  return kStatusDone;
}
