#include <string>
#include <vector>

#include "commands/dialogs/dim_style_dlg.h"
#include "commands/dialogs/dim_style_mng_dlg.h"
#include "commands/dialogs/new_dim_style_dlg.h"
#include "commands/dialogs/text_style_dlg.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"

namespace {

class DimStyleManagerTest : public CommandScriptTest {
 protected:
  FcDimVars VarsOf(const std::string& name) {
    return script_.OnWindowThread([this, &name] {
      const FcDimStyle* style = script_.Drawing().GetDimStyleList().Find(name);
      return style != nullptr ? FcDimVars(*style) : FcDimVars();
    });
  }
  bool Exists(const std::string& name) {
    return script_.OnWindowThread([this, &name] { return script_.Drawing().GetDimStyleList().Find(name) != nullptr; });
  }
  std::string CurrentName() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetCurrentDimStyle()->GetName(); });
  }
  double SysVarDimAsz() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().dimasz; });
  }

  ScriptedDialogs dialogs_;
};

// New (cancelled in the sheet), Modify (OK), Set Current, a New under a
// name the drawing has, then Close; one Undo takes the whole run back.
TEST_F(DimStyleManagerTest, NewModifySetCurrentThenUndo) {
  const FcDimVars base = VarsOf("ISO-25");
  std::vector<std::string> seen;
  dialogs_.Answer<CDimStyleMngDlg>([&](CDimStyleMngDlg& d) {
    seen.push_back(d.m_strCurrent + "|" + d.m_strSelected + "|" + std::to_string(d.m_names.size()));
    return CDimStyleMngDlg::kNew;
  });
  dialogs_.Answer<CNewDimStyleDlg>([&](CNewDimStyleDlg& d) {
    seen.push_back(d.m_strBaseName + "|" + d.m_strNewName);
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleDlg>([&](CDimStyleDlg& d) {
    seen.push_back(d.m_strCaption);
    d.m_vars.dimasz = 9.0;
    return CModalDialog::kCancel;
  });
  dialogs_.Answer<CDimStyleMngDlg>([&](CDimStyleMngDlg& d) {
    seen.push_back(d.m_strCurrent + "|" + d.m_strSelected + "|" + std::to_string(d.m_names.size()));
    d.m_strSelected = "Copy ISO-25";
    return CDimStyleMngDlg::kModify;
  });
  dialogs_.Answer<CDimStyleDlg>([&](CDimStyleDlg& d) {
    // The cancelled sheet left the new style an exact copy of its base.
    EXPECT_TRUE(d.m_vars == base);
    d.m_vars.dimasz = 5.0;
    d.m_vars.dimtxt = 3.5;
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg& d) {
    // The sample shows the selected style as the sheet left it.
    EXPECT_TRUE(d.m_bSample);
    EXPECT_EQ(d.m_sampleVars.dimasz, 5.0);
    d.Select("no such style");
    EXPECT_FALSE(d.m_bSample);
    d.Select("Copy ISO-25");
    return CDimStyleMngDlg::kSetCurrent;
  });
  dialogs_.Answer<CDimStyleMngDlg>([&](CDimStyleMngDlg& d) {
    seen.push_back(d.m_strCurrent + "|" + d.m_strSelected);
    return CDimStyleMngDlg::kNew;
  });
  dialogs_.Answer<CNewDimStyleDlg>([](CNewDimStyleDlg& d) {
    d.m_strNewName = "iso-25";
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CModalDialog::kCancel; });

  ASSERT_TRUE(script_.Run({"DimStyle"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(dialogs_.AnswersLeft(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Current Dimension Style : ISO-25|ISO-25|1",
                      "ISO-25|Copy ISO-25",
                      "Modify dimension style - Copy ISO-25",
                      "Current Dimension Style : ISO-25|ISO-25|2",
                      "Current Dimension Style : Copy ISO-25|Copy ISO-25",
                  }));

  FcDimVars expected = base;
  expected.dimasz = 5.0;
  expected.dimtxt = 3.5;
  EXPECT_TRUE(VarsOf("Copy ISO-25") == expected);
  EXPECT_TRUE(VarsOf("ISO-25") == base);
  EXPECT_EQ(CurrentName(), "Copy ISO-25");
  EXPECT_EQ(SysVarDimAsz(), 5.0);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimStyle"}));
  // The sample lives only while the manager is open.
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetDimStylePreview(); }), nullptr);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_FALSE(Exists("Copy ISO-25"));
  EXPECT_EQ(CurrentName(), "ISO-25");
  EXPECT_EQ(SysVarDimAsz(), base.dimasz);
}

// Without a window the manager counts as closed: nothing changes, but the
// step is there.
TEST_F(DimStyleManagerTest, HeadlessRunChangesNothing) {
  const FcDimVars base = VarsOf("ISO-25");
  ASSERT_TRUE(script_.Run({"DimStyle"}));
  EXPECT_EQ(dialogs_.Shown(), 1);
  EXPECT_TRUE(VarsOf("ISO-25") == base);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimStyle"}));
}

// An arrow chosen in the sheet gets its block when the sheet is accepted,
// bound to the style by handle.
TEST_F(DimStyleManagerTest, AcceptedArrowGetsItsBlock) {
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CDimStyleMngDlg::kModify; });
  dialogs_.Answer<CDimStyleDlg>([](CDimStyleDlg& d) {
    d.m_lines.OnArrowChosen(CDimLinesPage::kFirst, "_Dot");
    d.m_lines.ApplyToStyle(d.m_vars);
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"DimStyle"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  const std::string seen = script_.OnWindowThread([this] {
    const FcDimStyle& style = *script_.Drawing().GetCurrentDimStyle();
    const FcBlock* bound = script_.Drawing().GetBlockList().FindByHandle(style.dimblk1Handle);
    return style.dimblk1.str() + "|" + (bound != nullptr ? bound->GetName() : std::string("-")) + "|" +
           script_.Drawing().GetSysVars().dimblk.str();
  });
  EXPECT_EQ(seen, "_Dot|_Dot|_Dot");
}

// "..." on the text page edits the drawing's text styles as one undo step
// of their own, then opens the sheet again on the text page, which now
// offers the new style; the style chosen there is bound to the dimension
// style by its own handle when the sheet is accepted.
TEST_F(DimStyleManagerTest, TextStylesMadeFromTheSheetAreOfferedAndBound) {
  std::vector<std::string> offered;
  int reopenedOn = -1;
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CDimStyleMngDlg::kModify; });
  dialogs_.Answer<CDimStyleDlg>([](CDimStyleDlg& d) {
    d.m_text.m_bFrame = true;
    d.m_text.ApplyToStyle(d.m_vars);
    return CDimStyleDlg::kTextStyles;
  });
  dialogs_.Answer<CTextStyleDlg>([](CTextStyleDlg& d) {
    d.NewStyle("Notes");
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleDlg>([&](CDimStyleDlg& d) {
    offered = d.m_text.m_textStyles;
    reopenedOn = d.m_nFirstPage;
    d.m_text.m_strTextStyle = "NOTES";
    d.m_text.ApplyToStyle(d.m_vars);
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"DimStyle"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(dialogs_.AnswersLeft(), 0);
  EXPECT_EQ(offered, (std::vector<std::string>{"Notes", "standard"}));
  EXPECT_EQ(reopenedOn, CDimStyleDlg::kTextPage);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimStyle", "Style"}));
  const FcDimVars vars = VarsOf("ISO-25");
  const FcHandle notes = script_.OnWindowThread(
      [this] { return script_.Drawing().GetTextStyleList().Find("Notes")->GetHandle(); });
  EXPECT_EQ(vars.dimtxsty.str(), "Notes");
  EXPECT_EQ(vars.dimtxstyHandle, notes);
  // The changes made before "..." survived the second run of the sheet.
  EXPECT_LT(vars.dimgap, 0.0);
  // The text styles were edited, not chosen: the current one stays.
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetCurrentTextStyle()->GetName(); }),
            "standard");
}

// The text style dialog opened from the sheet shows the style the page
// names; closing it without a change neither makes that style current nor
// leaves an undo step.
TEST_F(DimStyleManagerTest, TextStyleDialogThatChangesNothingLeavesNoStep) {
  script_.OnWindowThread([this] { return script_.Drawing().FindOrCreateTextStyle("Notes") != nullptr; });
  std::string shown;
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CDimStyleMngDlg::kModify; });
  dialogs_.Answer<CDimStyleDlg>([](CDimStyleDlg& d) {
    d.m_text.m_strTextStyle = "Notes";
    return CDimStyleDlg::kTextStyles;
  });
  dialogs_.Answer<CTextStyleDlg>([&](CTextStyleDlg& d) {
    shown = d.ShownStyle()->GetName();
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleDlg>([](CDimStyleDlg&) { return CModalDialog::kCancel; });
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"DimStyle"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(shown, "Notes");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimStyle"}));
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetCurrentTextStyle()->GetName(); }),
            "standard");
}

// A text style renamed through "..." is still the one the style uses: the
// sheet opens again showing it under its new name.
TEST_F(DimStyleManagerTest, TextStyleRenamedFromTheSheetKeepsItsPlace) {
  script_.OnWindowThread([this] {
    script_.Drawing().FindOrCreateTextStyle("Notes");
    script_.Drawing().GetCurrentDimStyle()->SetTextStyle("Notes");
    return true;
  });
  std::string reopenedWith;
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CDimStyleMngDlg::kModify; });
  dialogs_.Answer<CDimStyleDlg>([](CDimStyleDlg&) { return CDimStyleDlg::kTextStyles; });
  dialogs_.Answer<CTextStyleDlg>([](CTextStyleDlg& d) {
    EXPECT_EQ(d.Rename("Labels"), "");
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CDimStyleDlg>([&](CDimStyleDlg& d) {
    d.m_text.OnInitDialog(d.m_vars);
    const int selected = d.m_text.SelectedTextStyle();
    reopenedWith = selected >= 0 ? d.m_text.m_textStyles[static_cast<std::size_t>(selected)] : "none";
    return CModalDialog::kCancel;
  });
  dialogs_.Answer<CDimStyleMngDlg>([](CDimStyleMngDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"DimStyle"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(reopenedWith, "Labels");
}

TEST(NewDimStyleDlgTest, ProposesAFreeName) {
  struct Case {
    std::vector<std::string> names;
    const char* base;
    const char* proposal;
  };
  const Case cases[] = {
      {{"ISO-25"}, "iso", "Copy ISO-25"},
      {{"ISO-25", "copy iso-25"}, "ISO-25", "Copy (1) ISO-25"},
      {{"ISO-25", "Copy ISO-25", "Copy (1) ISO-25"}, "ISO-25", "Copy (2) ISO-25"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.proposal);
    CNewDimStyleDlg dialog;
    dialog.m_names = c.names;
    dialog.m_strBaseName = c.base;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_strNewName, c.proposal);
  }
}

// A proposal follows the base; a name the user typed stays.
TEST(NewDimStyleDlgTest, ChangingTheBaseKeepsATypedName) {
  CNewDimStyleDlg dialog;
  dialog.m_names = {"ISO-25", "Plans"};
  dialog.m_strBaseName = "ISO-25";
  dialog.OnInitDialog();
  dialog.OnBaseChanged("Plans");
  EXPECT_EQ(dialog.m_strNewName, "Copy Plans");
  dialog.m_strNewName = "Details";
  dialog.OnBaseChanged("ISO-25");
  EXPECT_EQ(dialog.m_strNewName, "Details");
  EXPECT_EQ(dialog.m_strBaseName, "ISO-25");
}

TEST(NewDimStyleDlgTest, RefusesExistingAndEmptyNames) {
  struct Case {
    const char* typed;
    const char* message;  // empty when accepted
  };
  const Case cases[] = {
      {" plans ", "There already is the same dimension style in the database!"},
      {"  ", "Please enter a name for the new dimension style."},
      {" Details ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CNewDimStyleDlg dialog;
    dialog.m_names = {"ISO-25", "Plans"};
    dialog.m_strNewName = c.typed;
    std::string message;
    EXPECT_EQ(dialog.OnOK(message), *c.message == '\0');
    EXPECT_EQ(message, c.message);
  }
}

}  // namespace
