#include "dialogs/dialog_shows.h"

#include <typeindex>
#include <typeinfo>

#include "commands/dialogs/about_dlg.h"
#include "commands/dialogs/color_sel_dlg.h"
#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/dialogs/input_str_dlg.h"
#include "commands/dialogs/input_text_dlg.h"
#include "commands/dialogs/inquire_dlg.h"
#include "dialogs/about_dialog.h"
#include "dialogs/color_sel_dialog.h"
#include "dialogs/input_dialogs.h"
#include "dialogs/property_dialogs.h"

namespace {

using ShowFunc = int (*)(CModalDialog& dialog, QWidget* parent);

int ShowAbout(CModalDialog&, QWidget* parent) {
  AboutDialog widget(parent);
  widget.exec();
  return CModalDialog::kOk;
}

// A widget that fills itself from the dialog's data and writes it back on
// OK.
template <typename Data, typename Widget>
int ShowDataDialog(CModalDialog& dialog, QWidget* parent) {
  Widget widget(static_cast<Data&>(dialog), parent);
  return widget.exec() == QDialog::Accepted ? CModalDialog::kOk : CModalDialog::kCancel;
}

// The question ends with the code of its answer.
int ShowInquire(CModalDialog& dialog, QWidget* parent) {
  InquireDialog widget(static_cast<CInquireDlg&>(dialog), parent);
  const int code = widget.exec();
  return code == QDialog::Rejected ? CModalDialog::kCancel : code;
}

// One row per dialog type a command may run.
struct DialogShow {
  const std::type_info& type;
  ShowFunc show;
};

const DialogShow kShows[] = {
    {typeid(CAboutDlg), ShowAbout},
    {typeid(CColorSelDlg), ShowDataDialog<CColorSelDlg, ColorSelDialog>},
    {typeid(CEntPropDlg), ShowDataDialog<CEntPropDlg, EntPropDialog>},
    {typeid(CDimPropDlg), ShowDataDialog<CDimPropDlg, DimPropDialog>},
    {typeid(CInputStrDlg), ShowDataDialog<CInputStrDlg, InputStrDialog>},
    {typeid(CInputTextDlg), ShowDataDialog<CInputTextDlg, InputTextDialog>},
    {typeid(CInquireDlg), ShowInquire},
};

}  // namespace

int ShowModalDialog(CModalDialog& dialog, QWidget* parent) {
  const std::type_index type(typeid(dialog));
  for (const DialogShow& row : kShows)
    if (std::type_index(row.type) == type) return row.show(dialog, parent);
  return CModalDialog::kCancel;
}
