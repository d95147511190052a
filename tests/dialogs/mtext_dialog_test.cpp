#include "dialogs/mtext_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "database/graph.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

QPlainTextEdit& TextBox(QDialog& dialog) { return *dialog.findChild<QPlainTextEdit*>(QStringLiteral("text")); }
QLineEdit& Height(QDialog& dialog) { return *dialog.findChild<QLineEdit*>(QStringLiteral("height")); }
QComboBox& List(QDialog& dialog, const char* name) { return *dialog.findChild<QComboBox*>(QString::fromLatin1(name)); }
void PressOk(QDialog& dialog) { dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

// Layers "0", "Walls" and "Wall-A", text styles "standard" and "Notes".
class MTextDialogTest : public ::testing::Test {
 protected:
  MTextDialogTest() {
    GuiApplication();
    graph_.InitDefaults();
    graph_.FindOrCreateLayer("Walls");
    graph_.FindOrCreateLayer("Wall-A");
    graph_.FindOrCreateTextStyle("Notes");
    data_.m_pGraph = &graph_;
    data_.m_strText = "ONE\r\nTWO";
    data_.m_strStyle = "NO";
    data_.m_strLayer = "wall";
    data_.m_nColor = 12;
    data_.m_dHeight = 2.5;
  }

  FcGraph graph_;
  CMTextDlg data_;
};

TEST_F(MTextDialogTest, FillsFromTheDataAndWritesBackOnOk) {
  MTextDialog dialog(data_, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("MText"));
  EXPECT_EQ(TextBox(dialog).toPlainText(), QStringLiteral("ONE\nTWO"));
  EXPECT_EQ(List(dialog, "style").currentText(), QStringLiteral("Notes"));
  // Sorted, so the first name beginning with "wall" is "Wall-A".
  EXPECT_EQ(List(dialog, "layer").currentText(), QStringLiteral("Wall-A"));
  EXPECT_EQ(Height(dialog).text(), QStringLiteral("2.5"));
  EXPECT_EQ(dialog.findChild<ColorComboBox*>(QStringLiteral("color"))->currentText(), QStringLiteral("Color 12"));

  TextBox(dialog).setPlainText(QStringLiteral("A\nB\nC"));
  Height(dialog).setText(QStringLiteral("0"));
  List(dialog, "layer").setCurrentText(QStringLiteral("Walls"));
  PressOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(data_.m_strText, "A\r\nB\r\nC");
  EXPECT_EQ(data_.m_dHeight, 0.0);
  EXPECT_EQ(data_.m_strStyle, "Notes");
  EXPECT_EQ(data_.m_strLayer, "Walls");
  EXPECT_EQ(data_.m_nColor, 12);
}

TEST_F(MTextDialogTest, WithoutPropertiesOnlyTheTextCanChange) {
  data_.m_bProperties = 0;
  ModalCloser closer([](QDialog& dialog) {
    auto* form = dialog.findChild<QFormLayout*>();
    for (QWidget* field : {static_cast<QWidget*>(&List(dialog, "style")), static_cast<QWidget*>(&Height(dialog)),
                           static_cast<QWidget*>(&List(dialog, "layer")),
                           static_cast<QWidget*>(dialog.findChild<ColorComboBox*>(QStringLiteral("color")))}) {
      EXPECT_FALSE(field->isEnabled());
      EXPECT_FALSE(form->labelForField(field)->isEnabled());
    }
    EXPECT_TRUE(TextBox(dialog).isEnabled());
    TextBox(dialog).setPlainText(QStringLiteral("new"));
    PressOk(dialog);
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data_, nullptr), CModalDialog::kOk);
  EXPECT_EQ(data_.m_strText, "new");
  EXPECT_EQ(data_.m_strStyle, "NO");
  EXPECT_EQ(data_.m_strLayer, "wall");
  EXPECT_EQ(data_.m_nColor, 12);
  EXPECT_EQ(data_.m_dHeight, 2.5);
}

}  // namespace
