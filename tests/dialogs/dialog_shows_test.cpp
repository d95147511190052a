#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "commands/dialogs/about_dlg.h"
#include "dialogs/dialog_shows.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

class UnshownDlg : public CModalDialog {};

QString LabelText(QDialog& dialog, const char* name) {
  auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
  return label == nullptr ? QString() : label->text();
}

TEST(DialogShowsTest, TheAboutBoxShowsItsTitleAndLinks) {
  GuiApplication();
  QString title, homePage, support;
  ModalCloser closer([&](QDialog& dialog) {
    title = dialog.windowTitle();
    homePage = LabelText(dialog, "homePage");
    support = LabelText(dialog, "support");
    return QDialog::Accepted;
  });
  CAboutDlg about;
  EXPECT_EQ(ShowModalDialog(about, nullptr), CModalDialog::kOk);
  EXPECT_EQ(closer.Closed(), 1);
  EXPECT_EQ(title, QStringLiteral("About Kovra Draft"));
  EXPECT_TRUE(homePage.contains(QStringLiteral("href=\"https://")));
  EXPECT_TRUE(support.contains(QStringLiteral("href=\"mailto:")));
}

TEST(DialogShowsTest, ADialogWithoutAWidgetIsCancelledWithoutShowingAnything) {
  GuiApplication();
  UnshownDlg dialog;
  EXPECT_EQ(ShowModalDialog(dialog, nullptr), CModalDialog::kCancel);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
