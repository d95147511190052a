#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "commands/dialogs/text_style_dlg.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "dialogs/dialog_shows.h"
#include "platform/program_settings.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/program_settings_guard.h"

namespace {

TEST(TextStyleDialogWidgetTest, ShowsTheStyleAndAppliesTheBoxesToTheCopy) {
  GuiApplication();
  ProgramSettingsGuard keep;
  GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Fonts";
  FcGraph graph;
  graph.FindOrCreateTextStyle("Notes");
  CTextStyleDlg data;
  data.m_pGraph = &graph;
  data.Load();
  data.m_shxFonts = {"txt.shx", "simplex.shx"};
  data.m_ttFaces = {"Some Face"};
  data.ShowStyle("Notes");
  QString font;
  bool bigFontWithShx = false;
  bool bigFontWithTrueType = true;
  ModalCloser closer([&](QDialog& dialog) {
    auto* fonts = dialog.findChild<QComboBox*>(QStringLiteral("fonts"));
    auto* useBigFont = dialog.findChild<QCheckBox*>(QStringLiteral("useBigFont"));
    font = fonts->currentText();
    bigFontWithShx = useBigFont->isEnabled();
    fonts->setCurrentIndex(fonts->findText(QStringLiteral("Some Face")));
    bigFontWithTrueType = useBigFont->isEnabled();
    fonts->setCurrentIndex(fonts->findText(QStringLiteral("simplex.shx")));
    dialog.findChild<QLineEdit*>(QStringLiteral("widthFactor"))->setText(QStringLiteral("0.8"));
    dialog.findChild<QPushButton*>(QStringLiteral("apply"))->click();
    dialog.accept();
    return dialog.result();
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(font, QStringLiteral("txt.shx"));
  EXPECT_TRUE(bigFontWithShx);
  EXPECT_FALSE(bigFontWithTrueType);
  EXPECT_TRUE(data.m_bModified);
  EXPECT_EQ(data.ShownStyle()->GetWidthFactor(), 0.8);
  EXPECT_EQ(data.ShownStyle()->GetFontFile(), "simplex.shx");
  EXPECT_EQ(graph.GetTextStyleList().Find("Notes")->GetWidthFactor(), 1.0);
}

}  // namespace
