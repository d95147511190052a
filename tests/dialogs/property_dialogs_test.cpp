#include "dialogs/property_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "database/graph.h"
#include "database/layer.h"
#include "dialogs/color_combo_box.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

// Layers "walls" (cyan) and "Doors", the linetypes DASHED2 and DASHED in
// that order, and the dimension styles "Wide" and "Narrow".
class PropertyDialogsTest : public ::testing::Test {
 protected:
  PropertyDialogsTest() {
    GuiApplication();
    graph_.InitDefaults();
    graph_.FindOrCreateLayer("walls")->SetColor(4);
    graph_.FindOrCreateLayer("Doors");
    graph_.GetOrCreateLinetype("DASHED2");
    graph_.GetOrCreateLinetype("DASHED");
    graph_.NewDimStyle("Wide");
    graph_.NewDimStyle("Narrow");
  }

  static QString Current(QDialog& dialog, const char* list) {
    return dialog.findChild<QComboBox*>(QString::fromLatin1(list))->currentText();
  }
  static ColorComboBox& Colors(QDialog& dialog) { return *dialog.findChild<ColorComboBox*>(QStringLiteral("color")); }
  static QLineEdit& Scale(QDialog& dialog) { return *dialog.findChild<QLineEdit*>(QStringLiteral("scale")); }
  static void PressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  }

  FcGraph graph_;
};

TEST_F(PropertyDialogsTest, TheEntityDialogFillsFromTheDataAndWritesBackOnOk) {
  CEntPropDlg data;
  data.m_pGraph = &graph_;
  data.m_strLayer = "WALLS";
  data.m_strLinetype = "dashed";
  data.m_nColor = 40;
  data.m_dLtScale = 2.5;
  data.m_strCaption = "Object Properties";
  EntPropDialog dialog(data, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Object Properties"));
  EXPECT_EQ(Current(dialog, "layer"), QStringLiteral("walls"));
  EXPECT_EQ(Current(dialog, "linetype"), QStringLiteral("DASHED"));
  EXPECT_EQ(Colors(dialog).currentText(), QStringLiteral("Color 40"));
  EXPECT_EQ(Colors(dialog).count(), 11);
  EXPECT_EQ(Scale(dialog).text(), QStringLiteral("2.5"));

  dialog.findChild<QComboBox*>(QStringLiteral("layer"))->setCurrentText(QStringLiteral("Doors"));
  Colors(dialog).setCurrentIndex(2);
  Colors(dialog).Choose(2);
  Scale(dialog).setText(QStringLiteral("0.5"));
  PressOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(data.m_strLayer, "Doors");
  EXPECT_EQ(data.m_strLinetype, "DASHED");
  EXPECT_EQ(data.m_nColor, 1);
  EXPECT_EQ(data.m_dLtScale, 0.5);
}

TEST_F(PropertyDialogsTest, OthersStartsFromTheLayerColourAndMayReturnByLayer) {
  CEntPropDlg data;
  data.m_pGraph = &graph_;
  data.m_strLayer = "walls";
  data.m_nColor = 3;
  EntPropDialog dialog(data, nullptr);
  ColorComboBox& colors = Colors(dialog);
  ASSERT_EQ(colors.count(), 10);
  QString startedFrom;
  ModalCloser byLayer([&](QDialog& select) {
    startedFrom = select.findChild<QLineEdit*>(QStringLiteral("selectedColor"))->text();
    select.findChild<QPushButton*>(QStringLiteral("byLayer"))->click();
    return QDialog::Accepted;
  });
  colors.Choose(colors.count() - 1);
  EXPECT_EQ(startedFrom, QStringLiteral("Cyan"));
  EXPECT_EQ(colors.Color(), 256);
  EXPECT_EQ(colors.currentText(), QStringLiteral("ByLayer"));

  // Cancel keeps the colour, and the list shows it again, not "Others...".
  ModalCloser cancel([](QDialog&) { return QDialog::Rejected; });
  colors.setCurrentIndex(colors.count() - 1);
  colors.Choose(colors.count() - 1);
  EXPECT_EQ(colors.Color(), 256);
  EXPECT_EQ(colors.currentText(), QStringLiteral("ByLayer"));
}

TEST_F(PropertyDialogsTest, AScaleBoxWithoutANumberKeepsTheDialogOpen) {
  CEntPropDlg data;
  data.m_pGraph = &graph_;
  data.m_dLtScale = 3.0;
  EntPropDialog dialog(data, nullptr);
  dialog.show();
  Scale(dialog).setText(QStringLiteral("abc"));
  QString message;
  ModalCloser refusal([&](QDialog& box) {
    if (auto* shown = qobject_cast<QMessageBox*>(&box)) message = shown->text();
    return QDialog::Accepted;
  });
  PressOk(dialog);
  EXPECT_EQ(refusal.Closed(), 1);
  EXPECT_EQ(message, QStringLiteral("Please enter a number."));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(data.m_dLtScale, 3.0);
  dialog.reject();
}

TEST_F(PropertyDialogsTest, TheDimensionDialogAlsoOffersTheStylesSorted) {
  CDimPropDlg data;
  data.m_pGraph = &graph_;
  data.m_strDimStyle = "narrow";
  data.m_strLayer = "gone";
  DimPropDialog dialog(data, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
  auto* styles = dialog.findChild<QComboBox*>(QStringLiteral("dimStyle"));
  ASSERT_GE(styles->count(), 3);
  for (int i = 1; i < styles->count(); ++i)
    EXPECT_LT(styles->itemText(i - 1).compare(styles->itemText(i), Qt::CaseInsensitive), 0);
  EXPECT_EQ(styles->currentText(), QStringLiteral("Narrow"));
  // A layer the drawing lacks leaves its list without a choice.
  EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("layer"))->currentIndex(), -1);

  styles->setCurrentText(QStringLiteral("Wide"));
  PressOk(dialog);
  EXPECT_EQ(data.m_strDimStyle, "Wide");
  EXPECT_EQ(data.m_strLayer, "");
}

}  // namespace
