#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/dialogs/mtext_dlg.h"
#include "tests/support/command_script.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "shell/testing/scripted_dialogs.h"

namespace {

using DTextCommandTest = CommandScriptTest;

class MTextCommandTest : public CommandScriptTest {
 protected:
  ScriptedDialogs dialogs_;

  // OK in the text dialog with the lines as given.
  void AnswerText(const std::string& lines) {
    dialogs_.Answer<CMTextDlg>([lines](CMTextDlg& dialog) {
      dialog.m_strText = lines;
      return CModalDialog::kOk;
    });
  }
};

// Two lines typed one after the other: two texts, the second 1.25 times
// the first line's height below it, each its own undo step.
TEST_F(DTextCommandTest, TwoLinesAreTwoTextsALineSpacingApart) {
  script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().textsize = 0.2;
    return 0;
  });
  ASSERT_TRUE(script_.Run({"dtext", "1,2", "2.5", "0", "ABC", "DEF", ""}));
  EXPECT_EQ(Printed()[0], "Current text style standard, text height 0.2000");
  const std::vector<const FcText*> texts = EntitiesOf<FcText>();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->GetText(), "ABC");
  EXPECT_EQ(texts[1]->GetText(), "DEF");
  EXPECT_DOUBLE_EQ(texts[0]->GetHeight(), 2.5);
  ExpectPointNear(texts[0]->GetInsertionPoint(), {1, 2}, 1e-9);
  // Capitals of the program's fonts are exactly the height.
  ExpectPointNear(texts[1]->GetInsertionPoint(), {1, 2 - 1.25 * 2.5}, 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DText", "DText"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcText>().size(), 1u);
}

TEST_F(DTextCommandTest, JustificationsAndRotation) {
  // Top center: both points on the pick, kept from line to line.
  ASSERT_TRUE(script_.Run({"dtext", "j", "tc", "5,5", "1", "30", "ab", "cd", ""}));
  std::vector<const FcText*> texts = EntitiesOf<FcText>();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->GetHorizontalJustification(), kTextCenter);
  EXPECT_EQ(texts[0]->GetVerticalJustification(), kTextTop);
  ExpectPointNear(texts[0]->GetAlignmentPoint(), {5, 5}, 1e-9);
  EXPECT_NEAR(texts[0]->GetRotation(), kPi / 6.0, 1e-9);
  const FcPoint2d down = texts[1]->GetAlignmentPoint();
  EXPECT_NEAR(std::atan2(down.y - 5.0, down.x - 5.0), kPi / 6.0 - kHalfPi, 1e-9);

  // Adjust takes its angle from its two points and asks for none.
  ASSERT_TRUE(script_.Run({"dtext", "j", "adjust", "0,0", "0,10", "1", "up", ""}));
  texts = EntitiesOf<FcText>();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[2]->GetHorizontalJustification(), kTextAligned);
  EXPECT_NEAR(texts[2]->GetRotation(), kHalfPi, 1e-9);
  ExpectPointNear(texts[2]->GetAlignmentPoint(), {0, 10}, 1e-9);
}

TEST_F(DTextCommandTest, StyleChoiceAndFixedHeight) {
  script_.OnWindowThread([this] {
    FcTextStyle* fixed = script_.Drawing().FindOrCreateTextStyle("Fixed");
    fixed->SetFixedHeight(3.0);
    return 0;
  });
  ASSERT_TRUE(script_.Run({"dtext", "s", "nowhere", "fixed", "0,0", "0", "x", ""}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"Current text style standard, text height 0.2000",
                                                 "Can't find the style nowhere"}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Input style name or ?<standard>"), 2);
  const std::vector<const FcText*> texts = EntitiesOf<FcText>();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_DOUBLE_EQ(texts[0]->GetHeight(), 3.0);
  EXPECT_EQ(texts[0]->GetStyleName(), "Fixed");
  // No height prompt for a style of fixed height.
  for (const std::string& prompt : prompts) EXPECT_EQ(prompt.find("height"), std::string::npos);
}

TEST_F(DTextCommandTest, CancelledBeforeTheLinesLeavesNothing) {
  ASSERT_TRUE(script_.Run({"dtext", "1,1", kEsc}));
  ASSERT_TRUE(script_.Run({"dtext", "1,1", "1", "0", kEsc}));
  EXPECT_TRUE(EntitiesOf<FcText>().empty());
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(MTextCommandTest, CornersAndJustificationPlaceTheText) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;
    FcPoint2d insertion;
    std::uint8_t attachment;
    double width;
  };
  const Case cases[] = {
      {"top left", {"0,0", "10,5"}, {0, 5}, kMTextTopLeft, 10.0},
      {"corners in either order", {"10,5", "0,0"}, {0, 5}, kMTextTopLeft, 10.0},
      {"middle center", {"0,0", "j", "mc", "10,4"}, {5, 2}, kMTextMiddleCenter, 10.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnswerText("first line\r\nsecond line");
    ASSERT_TRUE(RunScript(script_, "mtext", c.answers));
    const std::vector<const FcMText*> texts = EntitiesOf<FcMText>();
    ASSERT_FALSE(texts.empty());
    const FcMText& text = *texts.back();
    ExpectPointNear(text.GetInsertionPoint(), c.insertion, 1e-9);
    EXPECT_EQ(text.GetAttachment(), c.attachment);
    EXPECT_DOUBLE_EQ(text.GetReferenceWidth(), c.width);
    EXPECT_EQ(text.GetContents(), "first line\\Psecond line");
  }
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"MText", "MText", "MText"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

TEST_F(MTextCommandTest, OptionsHeightRotationAndLineSpacing) {
  CMTextDlg shown;
  dialogs_.Answer<CMTextDlg>([&shown](CMTextDlg& dialog) {
    shown = dialog;
    dialog.m_strText = "text";
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"mtext", "0,0", "h", "5", "r", "30", "l", "exact", "5", "0,0", "10,10"}));
  EXPECT_EQ(LastPrinted(), "Invalid corner!");
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_NE(std::find(prompts.begin(), prompts.end(), "Opposite corner of MText"), prompts.end());
  EXPECT_DOUBLE_EQ(shown.m_dHeight, 5.0);
  const std::vector<const FcMText*> texts = EntitiesOf<FcMText>();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_DOUBLE_EQ(texts[0]->GetHeight(), 5.0);
  ExpectPointNear(texts[0]->GetXDirection(), {std::cos(kPi / 6.0), std::sin(kPi / 6.0)}, 1e-9);
  EXPECT_EQ(texts[0]->GetLineSpacingStyle(), 2);
  // 5 is outside 0.25..4.
  EXPECT_DOUBLE_EQ(texts[0]->GetLineSpacingFactor(), 1.0);
  const double textsize = script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().textsize; });
  EXPECT_DOUBLE_EQ(textsize, 5.0);
}

// The dialog opens on the drawing's current style, layer and colour; what
// it gives back is the new text's own and leaves those current.
TEST_F(MTextCommandTest, TheDialogsChoicesGoToTheTextOnly) {
  script_.OnWindowThread([this] {
    FcGraph& graph = script_.Drawing();
    graph.FindOrCreateLayer("Walls");
    graph.FindOrCreateTextStyle("Notes");
    graph.GetSysVars().cecolor = 3;
    graph.GetSysVars().celtscale = 2.0;
    return 0;
  });
  CMTextDlg shown;
  dialogs_.Answer<CMTextDlg>([&shown](CMTextDlg& dialog) {
    shown = dialog;
    dialog.m_strText = "a";
    dialog.m_strStyle = "Notes";
    dialog.m_strLayer = "Walls";
    dialog.m_nColor = 1;
    dialog.m_dHeight = -3.0;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "mtext", {"0,0", "10,5"}));
  EXPECT_EQ(shown.m_strStyle, "standard");
  EXPECT_EQ(shown.m_strLayer, "0");
  EXPECT_EQ(shown.m_nColor, 3);
  EXPECT_NE(shown.m_pGraph, nullptr);
  EXPECT_EQ(shown.m_bProperties, 1);
  const std::vector<const FcMText*> texts = EntitiesOf<FcMText>();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(const_cast<FcMText*>(texts[0])->GetStyle()->GetName(), "Notes");
  EXPECT_EQ(texts[0]->GetLayer()->GetName(), "Walls");
  EXPECT_EQ(texts[0]->GetColor(), 1);
  EXPECT_DOUBLE_EQ(texts[0]->GetHeight(), 3.0);
  EXPECT_DOUBLE_EQ(texts[0]->GetLinetypeScale(), 2.0);
  script_.OnWindowThread([this] {
    const FcGraph& graph = script_.Drawing();
    EXPECT_EQ(graph.GetCurrentLayer()->GetName(), "0");
    EXPECT_EQ(graph.GetCurrentTextStyle()->GetName(), "standard");
    EXPECT_EQ(graph.GetSysVars().cecolor, 3);
    return 0;
  });
}

// Names the drawing lacks (typed, or the tables changed meanwhile) give
// the text the current style and layer, never none.
TEST_F(MTextCommandTest, AStyleOrLayerTheDrawingLacksIsTheCurrentOne) {
  dialogs_.Answer<CMTextDlg>([](CMTextDlg& dialog) {
    dialog.m_strText = "a";
    dialog.m_strStyle = "Gone";
    dialog.m_strLayer = "Gone";
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "mtext", {"0,0", "10,5"}));
  const std::vector<const FcMText*> texts = EntitiesOf<FcMText>();
  ASSERT_EQ(texts.size(), 1u);
  auto* text = const_cast<FcMText*>(texts[0]);
  ASSERT_NE(text->GetStyle(), nullptr);
  EXPECT_EQ(text->GetStyle()->GetName(), "standard");
  ASSERT_NE(text->GetLayer(), nullptr);
  EXPECT_EQ(text->GetLayer()->GetName(), "0");
}

TEST_F(MTextCommandTest, CancelOrNoTextMakesNoEntity) {
  dialogs_.Answer<CMTextDlg>([](CMTextDlg& dialog) {
    dialog.m_strText = "cancelled";
    return CModalDialog::kCancel;
  });
  AnswerText("");
  ASSERT_TRUE(RunScript(script_, "mtext", {"0,0", "10,5"}));
  ASSERT_TRUE(RunScript(script_, "mtext", {"0,0", "10,5"}));
  EXPECT_TRUE(EntitiesOf<FcMText>().empty());
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

}  // namespace
