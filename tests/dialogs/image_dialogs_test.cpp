#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>

#include "commands/dialogs/img_adjust_dlg.h"
#include "commands/dialogs/img_attach_dlg.h"
#include "commands/dialogs/img_mng_dlg.h"
#include "database/dictionary.h"
#include "dialogs/dialog_shows.h"
#include "entities/raster_image.h"
#include "tests/support/bmp_file.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/temp_dir.h"

namespace {

// Whether the box's own painting covers the point.
bool Painted(QWidget& box, QPoint at) {
  return box.grab().toImage().pixelColor(at) != box.palette().color(QPalette::Window);
}

TEST(ImageDialogsTest, TheAttachBoxShowsTheDataAndWritesBackWhatTheUserSet) {
  GuiApplication();
  CImgAttachDlg data;
  data.m_strNewFile = "/work/img/site.bmp";
  data.m_strFoundPath = data.m_strNewFile;
  data.m_strSavedPath = data.m_strNewFile;
  data.m_bPointOnScreen = 1;
  data.m_dScale = 2.0;
  QString name;
  bool xEnabledOnScreen = true;
  ModalCloser closer([&](QDialog& dialog) {
    name = Child<QComboBox>(dialog, "name")->currentText();
    auto* x = Child<QDoubleSpinBox>(dialog, "x");
    xEnabledOnScreen = x->isEnabled();
    Child<QCheckBox>(dialog, "pointOnScreen")->setChecked(false);
    EXPECT_TRUE(x->isEnabled());
    x->setValue(5.0);
    emit Child<QComboBox>(dialog, "pathType")->activated(CImgAttachDlg::kNoPath);
    EXPECT_EQ(Child<QLabel>(dialog, "savedPath")->text(), QStringLiteral("site.bmp"));
    dialog.accept();
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(name, QStringLiteral("site"));
  EXPECT_FALSE(xEnabledOnScreen);
  EXPECT_EQ(data.m_bPointOnScreen, 0);
  EXPECT_EQ(data.m_dX, 5.0);
  EXPECT_EQ(data.m_dScale, 2.0);
  EXPECT_EQ(data.m_nPathType, CImgAttachDlg::kNoPath);
  EXPECT_EQ(data.m_strSavedPath, "site.bmp");
}

TEST(ImageDialogsTest, TheAdjustBoxMovesSlidersAndNumbersTogetherAndEnterInANumberDoesNotClose) {
  GuiApplication();
  CImgAdjustDlg data;
  data.m_nBrightness = 30;
  ASSERT_TRUE(data.m_dibOriginal.CreateBlank(24, 4, 2));
  bool stayedOpen = false;
  bool preview = false;
  ModalCloser closer([&](QDialog& dialog) {
    EXPECT_EQ(Child<QSpinBox>(dialog, "brightness")->value(), 30);
    EXPECT_EQ(Child<QSlider>(dialog, "brightnessSlider")->value(), 30);
    Child<QPushButton>(dialog, "reset")->click();
    EXPECT_EQ(Child<QSlider>(dialog, "brightnessSlider")->value(), 50);
    Child<QSlider>(dialog, "fadeSlider")->setValue(40);
    EXPECT_EQ(Child<QSpinBox>(dialog, "fade")->value(), 40);
    auto* contrast = Child<QSpinBox>(dialog, "contrast");
    contrast->setValue(70);
    contrast->setFocus();
    dialog.accept();
    stayedOpen = dialog.isVisible() && Child<QSlider>(dialog, "contrastSlider")->value() == 70;
    preview = Painted(*Child<QWidget>(dialog, "preview"), {80, 80});
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(preview);
  EXPECT_EQ(data.m_nBrightness, 50);
  EXPECT_EQ(data.m_nContrast, 70);
  EXPECT_EQ(data.m_nFade, 40);
}

TEST(ImageDialogsTest, TheManagerListsTheDefinitionsAndDetachesTheSelectedOne) {
  GuiApplication();
  TempDir temp;
  FcDictionary dictionary;
  auto* definition = new FcRasterImageDef;
  definition->SetFilePath(WriteBlankBmp(temp.path() + "site.bmp", 4, 2));
  definition->SetLoaded(true);
  ASSERT_TRUE(definition->Load(nullptr));
  dictionary.SetAt("site", definition);
  CImgMngDlg data;
  data.m_pImageDict = &dictionary;
  QString status;
  bool detachWithoutSelection = true;
  QString foundAt;
  int rowsAfter = -1;
  ModalCloser closer([&](QDialog& dialog) {
    auto* list = Child<QTableWidget>(dialog, "images");
    status = list->item(0, 1)->text();
    auto* detach = Child<QPushButton>(dialog, "detach");
    detachWithoutSelection = detach->isEnabled();
    list->selectRow(0);
    foundAt = Child<QLineEdit>(dialog, "foundAt")->text();
    detach->click();
    rowsAfter = list->rowCount();
    return CImgMngDlg::kAttach;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CImgMngDlg::kAttach);
  EXPECT_EQ(status, QStringLiteral("Unreferenced"));
  EXPECT_FALSE(detachWithoutSelection);
  EXPECT_EQ(foundAt.toStdString(), temp.path() + "site.bmp");
  EXPECT_EQ(rowsAfter, 0);
  EXPECT_EQ(dictionary.GetEntryCount(), 0);
  EXPECT_TRUE(data.m_bModified);
  EXPECT_EQ(data.m_nSelectedRow, -1);
}

TEST(ImageDialogsTest, TheDetailsBoxReadsTheFileAndShowsItsPicture) {
  GuiApplication();
  TempDir temp;
  CImgDetailDlg data;
  data.m_strName = "site";
  data.m_strFoundPath = WriteBlankBmp(temp.path() + "site.bmp", 400, 200);
  QStringList texts;
  bool preview = false;
  ModalCloser closer([&](QDialog& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    // 400 by 200 fits the box as 160 by 80, centred: blank above and below.
    auto* picture = Child<QWidget>(dialog, "preview");
    preview = Painted(*picture, {80, 80}) && Painted(*picture, {0, 41}) && !Painted(*picture, {80, 39}) &&
              !Painted(*picture, {80, 121});
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_TRUE(texts.contains(QStringLiteral("Bitmap file")));
  EXPECT_TRUE(texts.contains(QStringLiteral("400")));
  EXPECT_TRUE(texts.contains(QStringLiteral("1.00 x 0.50 drawing units")));
  EXPECT_TRUE(preview);
}

}  // namespace
