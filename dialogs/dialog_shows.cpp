#include "dialogs/dialog_shows.h"

#include <typeindex>
#include <typeinfo>

#include <QDialog>

#include "commands/dialogs/about_dlg.h"
#include "commands/dialogs/image_file_dlg.h"
#include "commands/dialogs/img_adjust_dlg.h"
#include "commands/dialogs/img_attach_dlg.h"
#include "commands/dialogs/img_mng_dlg.h"
#include "dialogs/about_dialog.h"
#include "dialogs/image_file_dialog.h"
#include "dialogs/img_adjust_dialog.h"
#include "dialogs/img_attach_dialog.h"
#include "dialogs/img_manager_dialog.h"

namespace {

using ShowFunc = int (*)(CModalDialog& dialog, QWidget* parent);

int ShowAbout(CModalDialog&, QWidget* parent) {
  AboutDialog widget(parent);
  widget.exec();
  return CModalDialog::kOk;
}

// The widget of the data's type, run modally; its end code (a button's
// own code passes through).
template <typename Data, typename Widget>
int ShowWidget(CModalDialog& dialog, QWidget* parent) {
  Widget widget(static_cast<Data&>(dialog), parent);
  const int code = widget.exec();
  return code == QDialog::Rejected ? CModalDialog::kCancel : code;
}

int ShowImageFile(CModalDialog& dialog, QWidget* parent) {
  return ShowImageFileDialog(static_cast<CImageFileDlg&>(dialog), parent);
}

int ShowDetails(CModalDialog& dialog, QWidget* parent) {
  return ShowImageDetails(static_cast<CImgDetailDlg&>(dialog), parent);
}

// One row per dialog type a command may run.
struct DialogShow {
  const std::type_info& type;
  ShowFunc show;
};

const DialogShow kShows[] = {
    {typeid(CAboutDlg), ShowAbout},
    {typeid(CImageFileDlg), ShowImageFile},
    {typeid(CImgAttachDlg), ShowWidget<CImgAttachDlg, ImgAttachDialog>},
    {typeid(CImgAdjustDlg), ShowWidget<CImgAdjustDlg, ImgAdjustDialog>},
    {typeid(CImgMngDlg), ShowWidget<CImgMngDlg, ImgManagerDialog>},
    {typeid(CImgDetailDlg), ShowDetails},
};

}  // namespace

int ShowModalDialog(CModalDialog& dialog, QWidget* parent) {
  const std::type_index type(typeid(dialog));
  for (const DialogShow& row : kShows)
    if (std::type_index(row.type) == type) return row.show(dialog, parent);
  return CModalDialog::kCancel;
}
