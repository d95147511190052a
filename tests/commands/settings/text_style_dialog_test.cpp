#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "commands/dialogs/text_style_dlg.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "platform/program_settings.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/program_settings_guard.h"

namespace {

constexpr const char* kSameStyle = "There is the same style!\nPlease input other style name!";

// A drawing whose search path holds the program's SHX fonts.
class TextStyleDialogTest : public testing::Test {
 protected:
  TextStyleDialogTest() {
    GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Fonts";
    dialog.m_pGraph = &graph;
  }

  ProgramSettingsGuard keep;
  FcGraph graph;
  CTextStyleDlg dialog;
};

TEST_F(TextStyleDialogTest, NewProposesTheFirstFreeNumberAndRefusesTakenNames) {
  graph.FindOrCreateTextStyle("Style2");
  dialog.Load();
  EXPECT_EQ(dialog.ProposedName(), "Style1");
  ASSERT_EQ(dialog.NewStyle("style1"), "");
  EXPECT_EQ(dialog.ProposedName(), "Style3");
  EXPECT_EQ(dialog.ShownStyle()->GetName(), "style1");
  EXPECT_EQ(dialog.NewStyle("STYLE2"), kSameStyle);
  EXPECT_EQ(dialog.NewStyle(""), "It is faiult to create new style!");
  EXPECT_EQ(graph.GetTextStyleList().Find("style1"), nullptr);
}

TEST_F(TextStyleDialogTest, RenameRefusesStandardDuplicatesAndEmptyNames) {
  graph.FindOrCreateTextStyle("Notes");
  graph.GetTextStyleList().Find("standard")->SetName("STANDARD");
  dialog.Load();
  dialog.ShowStyle("standard");
  EXPECT_EQ(dialog.Rename("Plain"), "Can't rename \"standard\" style!");
  dialog.ShowStyle("notes");
  EXPECT_EQ(dialog.Rename("NOTES"), kSameStyle);
  EXPECT_EQ(dialog.Rename(""), "The style name can't be empty!");
  EXPECT_EQ(dialog.Rename("Remarks"), "");
  EXPECT_TRUE(dialog.m_bTableChanged);
  EXPECT_FALSE(dialog.m_bModified);
  EXPECT_NE(graph.GetTextStyleList().Find("Notes"), nullptr);
}

TEST_F(TextStyleDialogTest, ApplyStoresOnlyValuesThatChangeAndAreInRange) {
  FcTextStyle* notes = graph.FindOrCreateTextStyle("Notes");
  notes->SetObliqueAngle(0.3);
  notes->SetFixedHeight(2.5);
  dialog.Load();
  dialog.CollectFonts();
  dialog.ShowStyle("Notes");
  EXPECT_TRUE(dialog.m_bBigFontEnabled);
  EXPECT_EQ(dialog.m_strFont, "txt.shx");
  dialog.Apply();
  EXPECT_FALSE(dialog.m_bModified);

  dialog.m_dHeight = -1.0;
  dialog.m_dWidthFactor = 0.0;
  dialog.Apply();
  EXPECT_FALSE(dialog.m_bModified);
  EXPECT_EQ(dialog.ShownStyle()->GetFixedHeight(), 2.5);

  // No font chosen is the default font; a height of 0 asks each text.
  dialog.m_strFont.clear();
  dialog.m_dHeight = 0.0;
  dialog.m_bBackward = true;
  dialog.Apply();
  EXPECT_TRUE(dialog.m_bModified);
  EXPECT_EQ(dialog.ShownStyle()->GetFontFile(), "txt.shx");
  EXPECT_EQ(dialog.ShownStyle()->GetFixedHeight(), 0.0);
  EXPECT_EQ(dialog.ShownStyle()->GetGenerationFlags(), FcTextStyle::kBackward);
  EXPECT_EQ(notes->GetFixedHeight(), 2.5);

  const std::vector<std::string>& fonts = dialog.m_shxFonts;
  EXPECT_NE(std::find(fonts.begin(), fonts.end(), "simplex.shx"), fonts.end());
}

TEST_F(TextStyleDialogTest, AStyleWhoseFontIsMissingShowsAsATrueTypeStyle) {
  graph.FindOrCreateTextStyle("Lost")->SetFontFile("nosuchfont.shx");
  dialog.Load();
  dialog.ShowStyle("Lost");
  EXPECT_FALSE(dialog.m_bBigFontEnabled);
  EXPECT_FALSE(dialog.m_bUseBigFont);
  // An unknown name shows the current style.
  dialog.ShowStyle("Nowhere");
  EXPECT_EQ(dialog.ShownStyle()->GetName(), "standard");
}

class StyleCommandTest : public CommandScriptTest {
 protected:
  StyleCommandTest() { GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Fonts"; }

  std::string Current() { return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().textstyle.str(); }); }
  bool Has(const std::string& name) {
    return script_.OnWindowThread([&] { return script_.Drawing().GetTextStyleList().Find(name) != nullptr; });
  }

  ProgramSettingsGuard keep_;
  ScriptedDialogs dialogs_;
};

TEST_F(StyleCommandTest, CloseRecordsOneStepAndEscOrNoChangeRecordsNothing) {
  dialogs_.Answer<CTextStyleDlg>([](CTextStyleDlg& dialog) {
    dialog.NewStyle("Titles");
    return CModalDialog::kCancel;
  });
  dialogs_.Answer<CTextStyleDlg>([](CTextStyleDlg&) { return CModalDialog::kOk; });
  ASSERT_TRUE(script_.Run({"Style"}));
  ASSERT_TRUE(script_.Run({"Style"}));
  EXPECT_FALSE(Has("Titles"));
  EXPECT_TRUE(UndoNames().empty());

  dialogs_.Answer<CTextStyleDlg>([](CTextStyleDlg& dialog) {
    dialog.NewStyle("Titles");
    dialog.m_dWidthFactor = 0.8;
    dialog.Apply();
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"Style"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_TRUE(Has("Titles"));
  EXPECT_EQ(Current(), "Titles");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Style"});
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : Style");
  EXPECT_FALSE(Has("Titles"));
  EXPECT_EQ(Current(), "standard");
}

}  // namespace
