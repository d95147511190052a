#include "dialogs/tolerance_dialogs.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

namespace sym = tolerance_symbol;

QLineEdit& Entry(QDialog& dialog, const char* name) {
  return *dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}
QToolButton& Box(QDialog& dialog, const char* name) {
  return *dialog.findChild<QToolButton*>(QString::fromLatin1(name));
}
int Shown(QDialog& dialog, const char* name) { return Box(dialog, name).property("symbol").toInt(); }

// The editor fills from the text, its boxes toggle, and OK builds the text
// from the entries as typed.
TEST(ToleranceDialogsTest, TheEditorFillsFromTheTextAndBuildsItBackOnOk) {
  GuiApplication();
  CTolEdtDlg data;
  data.m_strToleranceText = "{\\Fgdt;j}%%v{\\Fgdt;n}0.05{\\Fgdt;m}%%v%%vA%%vB%%vC";
  ModalCloser closer([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Geometric Tolerance"));
    EXPECT_EQ(Shown(dialog, "symbol1"), sym::kPosition);
    EXPECT_EQ(Shown(dialog, "diameter1_1"), sym::kDiameter);
    EXPECT_EQ(Entry(dialog, "value1_1").text(), QStringLiteral("0.05"));
    EXPECT_EQ(Shown(dialog, "valueCondition1_1"), sym::kMaximumMaterial);
    EXPECT_EQ(Entry(dialog, "datum1_3").text(), QStringLiteral("C"));
    Box(dialog, "diameter1_1").click();
    EXPECT_EQ(Shown(dialog, "diameter1_1"), sym::kBlank);
    Box(dialog, "projectedZone").click();
    EXPECT_EQ(Shown(dialog, "projectedZone"), sym::kProjectedZone);
    Entry(dialog, "height").setText(QStringLiteral("8"));
    Entry(dialog, "datumIdentifier").setText(QStringLiteral("D"));
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(data.m_strToleranceText, "{\\Fgdt;j}%%v0.05{\\Fgdt;m}%%v%%vA%%vB%%vC^J8{\\Fgdt;p}^JD");
}

TEST(ToleranceDialogsTest, CancelLeavesTheTextAsGiven) {
  GuiApplication();
  CTolEdtDlg data;
  data.m_strToleranceText = "{\\Fgdt;u}%%v1";
  ModalCloser closer([](QDialog& dialog) {
    Entry(dialog, "value1_1").setText(QStringLiteral("2"));
    return QDialog::Rejected;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kCancel);
  EXPECT_EQ(data.m_strToleranceText, "{\\Fgdt;u}%%v1");
}

// A click on a picker's box ends it with that symbol, which the editor's
// box then shows; Escape chooses nothing and the box stays as it was.
TEST(ToleranceDialogsTest, PickersSetTheBoxesOnlyWhenSomethingIsChosen) {
  GuiApplication();
  CTolEdtDlg data;
  data.m_strToleranceText = "{\\Fgdt;f}%%v1";
  TolEdtDialog editor(data, nullptr);
  struct Case {
    const char* box;
    const char* choice;  // null: Escape
    int shown;
  };
  const Case cases[] = {
      {"symbol1", nullptr, sym::kParallelism},
      {"symbol1", "choice3", sym::kSymmetry},
      {"symbol2", "choice14", sym::kTotalRunout},
      {"symbol1", "choice15", sym::kBlank},
      {"datumCondition2_3", "choice2", sym::kLeastMaterial},
      {"datumCondition2_3", nullptr, sym::kLeastMaterial},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    ModalCloser closer([&c](QDialog& picker) {
      if (c.choice == nullptr) {
        QTest::keyClick(&picker, Qt::Key_Escape);
        return static_cast<int>(QDialog::Rejected);
      }
      QToolButton& choice = Box(picker, c.choice);
      choice.click();
      return choice.property("symbol").toInt();
    });
    Box(editor, c.box).click();
    EXPECT_EQ(closer.Closed(), 1);
    EXPECT_EQ(Shown(editor, c.box), c.shown);
  }
  editor.accept();
  EXPECT_EQ(data.m_strToleranceText, "%%v1%%v%%v%%v%%v^J{\\Fgdt;t}%%v%%v%%v%%v%%v{\\Fgdt;l}");
}

}  // namespace
