#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QDialog>
#include <QItemSelectionModel>
#include <QFileDialog>
#include <QImage>
#include <QWidget>

#include "commands/dialogs/open_dwg_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/bmp_file.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/temp_dir.h"

namespace {

// Choosing a picture paints it centred on the button face; choosing a
// folder, or clearing the selection, paints the face alone; OK hands back
// the chosen file.
TEST(OpenDrawingDialogTest, SelectingAFilePaintsItsPreviewAndOkHandsBackThePath) {
  GuiApplication();
  TempDir dir;
  const std::string picture = WriteBlankBmp(dir.path() + "black.bmp", 20, 10);
  COpenDwgDlg data;
  data.m_strFilter = COpenDwgDlg::kImageFilter;
  data.m_strFileName = picture;
  QStringList filters;
  QImage withPicture, withFolder;
  QColor face;
  bool shownBeforeClearing = false, clearedBySelection = false;
  QSize box;
  ModalCloser closer([&](QDialog& dialog) {
    auto& chooser = static_cast<QFileDialog&>(dialog);
    filters = chooser.nameFilters();
    auto* preview = Child<QWidget>(dialog, "preview");
    box = preview->size();
    face = preview->palette().button().color();
    emit chooser.currentChanged(QString::fromStdString(picture));
    withPicture = preview->grab().toImage();
    emit chooser.currentChanged(QString::fromStdString(dir.path()));
    withFolder = preview->grab().toImage();
    emit chooser.currentChanged(QString::fromStdString(picture));
    shownBeforeClearing = data.m_bPreview;
    for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
      if (view->selectionModel() != nullptr) view->selectionModel()->clearSelection();
    }
    clearedBySelection = !data.m_bPreview;
    chooser.selectFile(QString::fromStdString(picture));
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(data.m_strPathName, picture);
  EXPECT_EQ(filters, QStringList({QStringLiteral("All image files (*.bmp *.jpg *.jpeg)"),
                                  QStringLiteral("BMP files (*.bmp)"), QStringLiteral("JPG files (*.jpg *.jpeg)")}));
  ASSERT_FALSE(withPicture.isNull());
  ASSERT_FALSE(withFolder.isNull());
  const QPoint centre(box.width() / 2, box.height() / 2);
  const QPoint outside(box.width() / 2 - 15, box.height() / 2);
  EXPECT_EQ(withPicture.pixelColor(centre), QColor(Qt::black));
  EXPECT_EQ(withPicture.pixelColor(outside), face);
  EXPECT_EQ(withFolder.pixelColor(centre), face);
  EXPECT_TRUE(shownBeforeClearing);
  EXPECT_TRUE(clearedBySelection);
}

}  // namespace
