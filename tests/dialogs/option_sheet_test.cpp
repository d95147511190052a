#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest/QTest>

#include "commands/dialogs/color_sel_dlg.h"
#include "commands/dialogs/option_dlg.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/option_sheet.h"
#include "dialogs/property_list.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

template <typename Widget>
Widget& Find(QDialog& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return *widget;
}

QStringList Tabs(QDialog& dialog) {
  QStringList tabs;
  auto& pages = Find<QTabWidget>(dialog, "pages");
  for (int i = 0; i < pages.count(); ++i) tabs << pages.tabText(i);
  return tabs;
}

COptionDlg Sheet(bool withToolbars) {
  ProgramSettings settings;
  settings.search_path = "/a;/b;/c";
  settings.save_time = 0;
  settings.cursor_thickness = 3;
  settings.osnap_color = 30;
  COptionDlg data(settings);
  data.m_bToolBarPage = withToolbars;
  if (withToolbars) data.m_toolbars = {{"Draw", true}, {"Modify", false}};
  return data;
}

// The pages show the copies they were given, and OK hands back what the
// user changed on each page.
TEST(OptionSheetTest, PagesFillFromTheDataAndOkWritesThemBack) {
  GuiApplication();
  COptionDlg data = Sheet(true);
  QStringList tabs, paths;
  bool minutesEnabledAtStart = true, deleteEnabledAtStart = true;
  QString thickness, snapColor;
  int sampleSide = 0;
  ModalCloser closer([&](QDialog& dialog) {
    tabs = Tabs(dialog);
    auto& list = Find<QListWidget>(dialog, "supportPaths");
    for (int i = 0; i < list.count(); ++i) paths << list.item(i)->text();
    minutesEnabledAtStart = Find<QSpinBox>(dialog, "saveMinutes").isEnabled();
    deleteEnabledAtStart = Find<QPushButton>(dialog, "deletePath").isEnabled();
    thickness = Find<QComboBox>(dialog, "cursorThickness").currentText();
    snapColor = Find<QComboBox>(dialog, "snapColor").currentText();

    list.item(1)->setSelected(true);
    Find<QPushButton>(dialog, "deletePath").click();
    Find<QCheckBox>(dialog, "autoSave").setChecked(true);
    Find<QSpinBox>(dialog, "saveMinutes").setValue(10);
    Find<QSlider>(dialog, "markerSize").setValue(20);
    sampleSide = Find<MarkerSample>(dialog, "markerSizeSample").HalfSide();
    Find<QSpinBox>(dialog, "commandLines").setValue(7);
    auto& toolbars = Find<CPropertyList>(dialog, "toolbars");
    toolbars.setCurrentRow(1);
    toolbars.findChild<QComboBox*>(QStringLiteral("propertyChoice"))->setCurrentIndex(0);
    Find<QCheckBox>(dialog, "bigIcons").setChecked(true);
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);

  EXPECT_EQ(tabs, (QStringList{"System", "Display", "Draft", "Grip points", "Tool bars"}));
  EXPECT_EQ(paths, (QStringList{"/a", "/b", "/c"}));
  EXPECT_FALSE(minutesEnabledAtStart);
  EXPECT_FALSE(deleteEnabledAtStart);
  EXPECT_EQ(thickness, QStringLiteral("3"));
  EXPECT_EQ(snapColor, QStringLiteral("Color 30"));
  EXPECT_EQ(sampleSide, 20);

  EXPECT_EQ(data.m_supportPaths, (std::vector<std::string>{"/a", "/c"}));
  EXPECT_TRUE(data.m_bAutoSave);
  EXPECT_EQ(data.m_nSaveMinutes, 10);
  EXPECT_EQ(data.m_nSnapMarkerSize, 20);
  EXPECT_EQ(data.m_nThicknessChoice, 1);
  EXPECT_EQ(data.m_nCmdLines, 7);
  EXPECT_EQ(data.m_nSnapColor, 30);
  EXPECT_TRUE(data.m_toolbars[1].shown);
  EXPECT_TRUE(data.m_bBigIcons);
}

// Without a drawing window there is no toolbar page; Cancel hands nothing
// back.
TEST(OptionSheetTest, CancelLeavesTheDataAndNoToolbarPageWithoutDrawings) {
  GuiApplication();
  COptionDlg data = Sheet(false);
  QStringList tabs;
  ModalCloser closer([&](QDialog& dialog) {
    tabs = Tabs(dialog);
    Find<QCheckBox>(dialog, "autoSave").setChecked(true);
    Find<QSlider>(dialog, "gripSize").setValue(20);
    return QDialog::Rejected;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kCancel);
  EXPECT_EQ(tabs, (QStringList{"System", "Display", "Draft", "Grip points"}));
  EXPECT_FALSE(data.m_bAutoSave);
  EXPECT_EQ(data.m_nGripSize, 4);
}

// "Others..." on an options list starts from the list's own colour with
// ByLayer and ByBlock out of reach; colour 30 gets its own entry, chosen.
TEST(OptionSheetTest, OthersAddsTheChosenColourToTheList) {
  GuiApplication();
  ColorComboBox colors(5, false, nullptr);
  QString startedFrom;
  bool byLayerEnabled = true;
  ModalCloser closer([&](QDialog& select) {
    startedFrom = select.findChild<QLineEdit*>(QStringLiteral("selectedColor"))->text();
    byLayerEnabled = select.findChild<QPushButton*>(QStringLiteral("byLayer"))->isEnabled();
    for (int row = 0; row < kPaletteRows; ++row) {
      for (int column = 0; column < kPaletteColumns; ++column) {
        if (PaletteCellColor(PaletteArea::kUpper, row, column) != 30) continue;
        QWidget* upper = select.findChild<QWidget*>(QStringLiteral("upperPalette"));
        QTest::mouseClick(upper, Qt::LeftButton, Qt::NoModifier,
                          QPoint(PaletteCellLeft(column) + 2, PaletteCellTop(PaletteArea::kUpper, row) + 2));
      }
    }
    return QDialog::Accepted;
  });
  colors.Choose(colors.count() - 1);
  EXPECT_EQ(startedFrom, QStringLiteral("Blue"));
  EXPECT_FALSE(byLayerEnabled);
  EXPECT_EQ(colors.Color(), 30);
  EXPECT_EQ(colors.currentText(), QStringLiteral("Color 30"));
  EXPECT_EQ(colors.findText(QStringLiteral("ByLayer")), -1);
}

}  // namespace
