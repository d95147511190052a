#include "dialogs/dialog_shows.h"

#include <typeindex>
#include <typeinfo>

#include "commands/dialogs/about_dlg.h"
#include "commands/dialogs/export_dlg.h"
#include "commands/dialogs/purge_dlg.h"
#include "dialogs/about_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/purge_sheet.h"

namespace {

using ShowFunc = int (*)(CModalDialog& dialog, QWidget* parent);

int ShowAbout(CModalDialog&, QWidget* parent) {
  AboutDialog widget(parent);
  widget.exec();
  return CModalDialog::kOk;
}

int ShowExport(CModalDialog& dialog, QWidget* parent) {
  ExportDialog widget(static_cast<CExportDlg&>(dialog), parent);
  return widget.exec();
}

int ShowPurge(CModalDialog& dialog, QWidget* parent) {
  PurgeSheet widget(static_cast<CPurgeDlg&>(dialog), parent);
  return widget.exec() == QDialog::Accepted ? CModalDialog::kOk : CModalDialog::kCancel;
}

// One row per dialog type a command may run.
struct DialogShow {
  const std::type_info& type;
  ShowFunc show;
};

const DialogShow kShows[] = {
    {typeid(CAboutDlg), ShowAbout},
    {typeid(CExportDlg), ShowExport},
    {typeid(CPurgeDlg), ShowPurge},
};

}  // namespace

int ShowModalDialog(CModalDialog& dialog, QWidget* parent) {
  const std::type_index type(typeid(dialog));
  for (const DialogShow& row : kShows)
    if (std::type_index(row.type) == type) return row.show(dialog, parent);
  return CModalDialog::kCancel;
}
