#include "dialogs/dialog_shows.h"

#include <typeindex>
#include <typeinfo>

#include "commands/dialogs/about_dlg.h"
#include "commands/dialogs/draft_set_dlg.h"
#include "commands/dialogs/layer_set_dlg.h"
#include "commands/dialogs/linetype_dlg.h"
#include "commands/dialogs/ptype_dlg.h"
#include "commands/dialogs/text_style_dlg.h"
#include "commands/dialogs/units_dlg.h"
#include "dialogs/about_dialog.h"
#include "dialogs/draft_settings_dialog.h"
#include "dialogs/layer_dialog.h"
#include "dialogs/linetype_dialog.h"
#include "dialogs/point_style_dialog.h"
#include "dialogs/text_style_dialog.h"
#include "dialogs/units_dialog.h"

namespace {

using ShowFunc = int (*)(CModalDialog& dialog, QWidget* parent);

int ShowAbout(CModalDialog&, QWidget* parent) {
  AboutDialog widget(parent);
  widget.exec();
  return CModalDialog::kOk;
}

// The widget of the data's type, run modally: OK and Cancel give the shared
// end codes, any other end (a button of the dialog's own) is passed on.
template <typename Data, typename Widget>
int Show(CModalDialog& dialog, QWidget* parent) {
  Widget widget(static_cast<Data&>(dialog), parent);
  const int result = widget.exec();
  if (result == QDialog::Accepted) return CModalDialog::kOk;
  if (result == QDialog::Rejected) return CModalDialog::kCancel;
  return result;
}

// One row per dialog type a command may run.
struct DialogShow {
  const std::type_info& type;
  ShowFunc show;
};

const DialogShow kShows[] = {
    {typeid(CAboutDlg), ShowAbout},
    {typeid(CLayerSetDlg), Show<CLayerSetDlg, LayerDialog>},
    {typeid(CLineTypeDlg), Show<CLineTypeDlg, LinetypeDialog>},
    {typeid(CUnitsDlg), Show<CUnitsDlg, UnitsDialog>},
    {typeid(CPTypeDlg), Show<CPTypeDlg, PointStyleDialog>},
    {typeid(CTextStyleDlg), Show<CTextStyleDlg, TextStyleDialog>},
    {typeid(CDraftSetDlg), Show<CDraftSetDlg, DraftSettingsDialog>},
};

}  // namespace

int ShowModalDialog(CModalDialog& dialog, QWidget* parent) {
  const std::type_index type(typeid(dialog));
  for (const DialogShow& row : kShows)
    if (std::type_index(row.type) == type) return row.show(dialog, parent);
  return CModalDialog::kCancel;
}
