#include "dialogs/input_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

QLineEdit& Box(QDialog& dialog, const char* name) { return *dialog.findChild<QLineEdit*>(QString::fromLatin1(name)); }
QComboBox& List(QDialog& dialog, const char* name) { return *dialog.findChild<QComboBox*>(QString::fromLatin1(name)); }
void PressOk(QDialog& dialog) { dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

TEST(InputDialogsTest, TheTextQuestionShowsItsPromptAndReturnsTheText) {
  GuiApplication();
  CInputStrDlg data;
  data.m_strPrompt = "Name of the condition";
  data.m_strText = "old";
  ModalCloser closer([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Input Text"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("prompt"))->text(), QStringLiteral("Name of the condition"));
    EXPECT_EQ(Box(dialog, "text").text(), QStringLiteral("old"));
    Box(dialog, "text").setText(QStringLiteral("walls only"));
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(data.m_strText, "walls only");
}

TEST(InputDialogsTest, EachAnswerOfTheInquiryEndsWithItsCodeAndEscapeIsCancel) {
  GuiApplication();
  struct Case {
    const char* button;
    int code;
  };
  const Case cases[] = {{"&Yes", CInquireDlg::kYes},
                        {"Yes to &All", CInquireDlg::kYesToAll},
                        {"&No", CInquireDlg::kNo},
                        {"N&o to All", CInquireDlg::kNoToAll},
                        {"Cancel", CModalDialog::kCancel},
                        {nullptr, CModalDialog::kCancel}};
  for (const Case& c : cases) {
    CInquireDlg data;
    data.m_strCaption = "Load linetypes";
    data.m_strMessage = "DASHED exists. Replace it?";
    QString title;
    ModalCloser closer([&](QDialog& dialog) {
      title = dialog.windowTitle();
      if (c.button == nullptr) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
      }
      for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QString::fromLatin1(c.button)) button->click();
      return dialog.result();
    });
    EXPECT_EQ(ShowModalDialog(data, nullptr), c.code) << (c.button != nullptr ? c.button : "Escape");
    EXPECT_EQ(title, QStringLiteral("Load linetypes"));
  }
}

// Layers "Wall-A" and "Walls", text styles "Standard" and "Notes".
class TextDialogTest : public ::testing::Test {
 protected:
  TextDialogTest() {
    GuiApplication();
    graph_.InitDefaults();
    graph_.FindOrCreateLayer("Wall-A");
    graph_.FindOrCreateLayer("Walls")->SetColor(5);
    notes_ = graph_.FindOrCreateTextStyle("Notes");
    data_.m_pGraph = &graph_;
    data_.m_pStyleList = &graph_.GetTextStyleList();
    data_.m_pTextStyle = notes_;
    data_.m_strText = "HELLO";
    data_.m_dHeight = 2.5;
    data_.m_dWidthFactor = 1.0;
    data_.m_strLayer = "walls";
    data_.m_nColor = 12;
  }

  FcGraph graph_;
  FcTextStyle* notes_ = nullptr;
  CInputTextDlg data_;
};

TEST_F(TextDialogTest, FillsFromTheDataAndWritesBackOnOk) {
  InputTextDialog dialog(data_, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change Text"));
  EXPECT_EQ(Box(dialog, "text").text(), QStringLiteral("HELLO"));
  EXPECT_EQ(List(dialog, "style").currentText(), QStringLiteral("Notes"));
  EXPECT_EQ(Box(dialog, "height").text(), QStringLiteral("2.5"));
  EXPECT_EQ(List(dialog, "layer").currentText(), QStringLiteral("Walls"));
  auto& colors = *dialog.findChild<ColorComboBox*>(QStringLiteral("color"));
  EXPECT_EQ(colors.currentText(), QStringLiteral("Color 12"));

  // "Others..." starts from the layer's colour; 200 replaces the entry of 12.
  ModalCloser pick([](QDialog& select) {
    QTest::mouseClick(select.findChild<QWidget*>(QStringLiteral("lowerPalette")), Qt::LeftButton, {},
                      QPoint(3 + 19 * 18 + 8, 2 + 8));
    return QDialog::Accepted;
  });
  colors.Choose(colors.count() - 1);
  EXPECT_EQ(colors.currentText(), QStringLiteral("Color 201"));
  EXPECT_EQ(colors.findText(QStringLiteral("Color 12")), -1);

  Box(dialog, "text").setText(QStringLiteral("HI"));
  Box(dialog, "height").setText(QStringLiteral("0"));
  Box(dialog, "oblique").setText(QStringLiteral("-30"));
  List(dialog, "style").setCurrentIndex(0);
  PressOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(data_.m_strText, "HI");
  EXPECT_EQ(data_.m_dHeight, 0.0);
  EXPECT_EQ(data_.m_dObliqueAngle, -30.0);
  EXPECT_EQ(data_.m_pTextStyle, graph_.GetTextStyleList().GetAt(0));
  EXPECT_EQ(data_.m_strLayer, "Walls");
  EXPECT_EQ(data_.m_nColor, 201);
}

TEST_F(TextDialogTest, ANegativeSizeIsRefusedAndAMissingLayerStaysUnselected) {
  data_.m_strLayer = "Wall";
  InputTextDialog dialog(data_, nullptr);
  // Only a whole name selects its layer.
  EXPECT_EQ(List(dialog, "layer").currentIndex(), -1);
  dialog.show();
  Box(dialog, "height").setText(QStringLiteral("-1"));
  QString message;
  ModalCloser refusal([&](QDialog& box) {
    if (auto* shown = qobject_cast<QMessageBox*>(&box)) message = shown->text();
    return QDialog::Accepted;
  });
  PressOk(dialog);
  EXPECT_EQ(message, QString::fromLatin1(CInputTextDlg::kNegativeRefused));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(data_.m_dHeight, 2.5);

  Box(dialog, "height").setText(QStringLiteral("3"));
  PressOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(data_.m_dHeight, 3.0);
  EXPECT_EQ(data_.m_strLayer, "Wall");
}

}  // namespace
