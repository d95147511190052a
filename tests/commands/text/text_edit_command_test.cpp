#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "commands/dialogs/att_edt_dlg.h"
#include "commands/dialogs/input_text_dlg.h"
#include "commands/dialogs/mtext_dlg.h"
#include "commands/text/text_box.h"
#include "commands/text/text_commands.h"
#include "database/layer.h"
#include "entities/attribute.h"
#include "entities/dim_linear.h"
#include "entities/mtext.h"
#include "entities/polyline.h"
#include "entities/text.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/pickable_script.h"

namespace {

// Texts 10 high in the program's txt font, whose "H" has a stroke up its
// left side: a pick a little right of the insertion point finds it.
class TextEditTest : public PickableScriptTest {
 protected:
  ScriptedDialogs dialogs_;

  // OK in the multiline text dialog with the lines as given.
  void AnswerMText(const std::string& lines) {
    dialogs_.Answer<CMTextDlg>([lines](CMTextDlg& dialog) {
      dialog.m_strText = lines;
      return CModalDialog::kOk;
    });
  }

  void WriteText(const std::string& at, const std::string& text) {
    ASSERT_TRUE(RunScript(script_, "dtext", {at, "10", "0", text, ""}));
  }

  template <typename Entity>
  Entity* Only() {
    const std::vector<const Entity*> found = EntitiesOf<Entity>();
    return found.size() == 1 ? const_cast<Entity*>(found[0]) : nullptr;
  }

  // Whether the prompt was shown, after the first `from` prompts.
  bool Prompted(const std::string& prompt, std::size_t from = 0) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return std::find(prompts.begin() + static_cast<std::ptrdiff_t>(std::min(from, prompts.size())), prompts.end(),
                     prompt) != prompts.end();
  }

  // The multiline text's box corners as laid out now.
  std::array<FcPoint2d, 4> MTextBox(FcMText* text) {
    return script_.OnWindowThread([&] {
      std::array<FcPoint2d, 4> box{};
      TextBoxCorners(*text, box);
      return box;
    });
  }

  // The text's box corners as laid out now.
  std::array<FcPoint2d, 4> Box(FcText* text) {
    return script_.OnWindowThread([&] {
      FcMatrix2d placement;
      text->Layout(placement, &script_.Drawing());
      return text->GetBox();
    });
  }
};

TEST_F(TextEditTest, DDEditChangesATextInItsDialogAndEmptyingItErasesIt) {
  WriteText("100,100", "HELLO");
  ScriptedDialogs dialogs;
  // Cancel changes nothing and leaves no step.
  dialogs.Answer<CInputTextDlg>([](CInputTextDlg& dialog) {
    dialog.m_strText = "GONE";
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,105"}));
  ASSERT_NE(Only<FcText>(), nullptr);
  EXPECT_EQ(Only<FcText>()->GetText(), "HELLO");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"DText"});

  CInputTextDlg shown;
  dialogs.Answer<CInputTextDlg>([&shown](CInputTextDlg& dialog) {
    shown = dialog;
    dialog.m_strText = "HI THERE";
    dialog.m_dHeight = 5.0;
    dialog.m_dObliqueAngle = 15.0;
    dialog.m_nColor = 1;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,105"}));
  EXPECT_EQ(shown.m_strText, "HELLO");
  EXPECT_DOUBLE_EQ(shown.m_dHeight, 10.0);
  EXPECT_DOUBLE_EQ(shown.m_dWidthFactor, 1.0);
  EXPECT_EQ(shown.m_strLayer, "0");
  EXPECT_EQ(shown.m_nColor, 256);
  EXPECT_EQ(shown.m_pStyleList, &script_.Drawing().GetTextStyleList());
  FcText* text = Only<FcText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(shown.m_pTextStyle, text->GetStyle());
  EXPECT_EQ(text->GetText(), "HI THERE");
  EXPECT_DOUBLE_EQ(text->GetHeight(), 5.0);
  EXPECT_NEAR(text->GetObliqueAngle(), kPi / 12.0, 1e-12);
  EXPECT_EQ(text->GetColor(), 1);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DText", "EditText"}));

  dialogs.Answer<CInputTextDlg>([](CInputTextDlg& dialog) {
    dialog.m_strText.clear();
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"100.5,102"}));
  EXPECT_TRUE(EntitiesOf<FcText>().empty());
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_NE(Only<FcText>(), nullptr);
  EXPECT_EQ(Only<FcText>()->GetText(), "HI THERE");
  EXPECT_EQ(dialogs.Unexpected(), 0);
}

// A height of 0 takes the style's fixed height, or TEXTSIZE without one.
TEST_F(TextEditTest, DDEditHeightZeroFallsBackOnTheStyleOrTextsize) {
  WriteText("100,100", "HELLO");
  FcTextStyle* fixed = script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().textsize = 3.0;
    FcTextStyle* style = script_.Drawing().FindOrCreateTextStyle("Fixed");
    style->SetFixedHeight(7.0);
    return style;
  });
  ScriptedDialogs dialogs;
  dialogs.Answer<CInputTextDlg>([](CInputTextDlg& dialog) {
    dialog.m_dHeight = 0.0;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,105"}));
  EXPECT_DOUBLE_EQ(Only<FcText>()->GetHeight(), 3.0);
  dialogs.Answer<CInputTextDlg>([fixed](CInputTextDlg& dialog) {
    dialog.m_pTextStyle = fixed;
    dialog.m_dHeight = 0.0;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"100.5,101.5"}));
  EXPECT_EQ(Only<FcText>()->GetStyleName(), "Fixed");
  EXPECT_DOUBLE_EQ(Only<FcText>()->GetHeight(), 7.0);
}

TEST_F(TextEditTest, DDEditAttributeDefinitionDropsVerifyOfAConstant) {
  script_.OnWindowThread([this] {
    auto* definition = new FcAttributeDef;
    definition->SetTag("HTAG");
    definition->SetPrompt("Which?");
    definition->SetText("dflt");
    definition->SetHeight(10.0);
    definition->SetInsertionPoint({100, 100});
    script_.Drawing().AddEntity(definition, true);
    return 0;
  });
  const auto answer = [this](int constant, int verify, int preset, double height) {
    dialogs_.Answer<CAttEdtDlg>([=](CAttEdtDlg& dialog) {
      dialog.m_bConstant = constant;
      dialog.m_bVerify = verify;
      dialog.m_bPreset = preset;
      dialog.m_dHeight = height;
      if (constant != 0) {
        dialog.m_strTag = "HNEW";
        dialog.m_strValue = "value";
      }
      std::string message;
      const bool closes = dialog.OnOK(dialog.m_pStyle, message);
      if (!closes) {
        EXPECT_EQ(message, "The height and width factor must be greater than 0.0!");
      }
      return closes ? CModalDialog::kOk : CModalDialog::kCancel;
    });
  };
  answer(1, 1, 0, 10.0);
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,105"}));
  FcAttributeDef* definition = Only<FcAttributeDef>();
  ASSERT_NE(definition, nullptr);
  EXPECT_EQ(definition->GetFlags(), kAttributeConstant);
  EXPECT_EQ(definition->GetTag(), "HNEW");
  EXPECT_EQ(definition->GetText(), "value");
  EXPECT_EQ(definition->GetPrompt(), "Which?");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"EditText"});

  // Without Constant the switches add up; a height of 0 is the drawing's
  // text size, and a negative one is refused.
  answer(0, 1, 1, 0.0);
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,105"}));
  EXPECT_EQ(definition->GetFlags(), kAttributeVerify | kAttributePreset);
  EXPECT_DOUBLE_EQ(definition->GetHeight(), script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().textsize; }));
  answer(1, 0, 0, -1.0);
  const std::size_t steps = UndoNames().size();
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,105"}));
  EXPECT_EQ(UndoNames().size(), steps);
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

TEST_F(TextEditTest, DDEditDimensionTextShowsAndStoresLines) {
  ASSERT_TRUE(RunScript(script_, "DimLinear", {"20,20", "220,20", "120,60", ""}));
  FcDimension* dimension = Only<FcDimension>();
  ASSERT_NE(dimension, nullptr);
  script_.OnWindowThread([dimension] {
    dimension->SetTextOverride("ONE\\PTWO");
    return 0;
  });
  CMTextDlg shown;
  dialogs_.Answer<CMTextDlg>([&shown](CMTextDlg& dialog) {
    shown = dialog;
    dialog.m_strText = "first\r\nsecond";
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"40,60"}));
  EXPECT_EQ(shown.m_strText, "ONE\r\nTWO");
  EXPECT_EQ(shown.m_bProperties, 0);
  EXPECT_EQ(dimension->GetTextOverride(), "first\\Psecond");
  EXPECT_EQ(UndoNames().back(), "EditText");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Only<FcDimension>()->GetTextOverride(), "ONE\\PTWO");
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

TEST_F(TextEditTest, DDEditMultilineText) {
  script_.OnWindowThread([this] {
    script_.Drawing().FindOrCreateLayer("Walls");
    return 0;
  });
  AnswerMText("HELLO\r\nWORLD");
  ASSERT_TRUE(RunScript(script_, "mtext", {"100,200", "h", "10", "300,100"}));
  FcMText* text = Only<FcMText>();
  ASSERT_NE(text, nullptr);
  // Cancel changes nothing and leaves no step.
  dialogs_.Answer<CMTextDlg>([](CMTextDlg& dialog) {
    dialog.m_strText = "GONE";
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,195"}));
  EXPECT_EQ(text->GetContents(), "HELLO\\PWORLD");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"MText"});

  CMTextDlg shown;
  dialogs_.Answer<CMTextDlg>([&shown](CMTextDlg& dialog) {
    shown = dialog;
    dialog.m_strText = "H1\nH2\r\nH3";
    dialog.m_dHeight = -4.0;
    dialog.m_strLayer = "Walls";
    dialog.m_nColor = 2;
    // A style the drawing lacks leaves the text its own.
    dialog.m_strStyle = "Gone";
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"101,195"}));
  EXPECT_EQ(shown.m_strText, "HELLO\r\nWORLD");
  EXPECT_EQ(shown.m_bProperties, 1);
  EXPECT_EQ(shown.m_strStyle, "standard");
  EXPECT_DOUBLE_EQ(shown.m_dHeight, 10.0);
  EXPECT_EQ(shown.m_strLayer, "0");
  EXPECT_EQ(text->GetContents(), "H1\\PH2\\PH3");
  EXPECT_DOUBLE_EQ(text->GetHeight(), 4.0);
  EXPECT_EQ(text->GetLayer()->GetName(), "Walls");
  EXPECT_EQ(text->GetColor(), 2);
  EXPECT_EQ(text->GetStyle()->GetName(), "standard");

  AnswerMText("");
  ASSERT_TRUE(RunScript(script_, "ddedit", {"100.5,199"}));
  EXPECT_TRUE(EntitiesOf<FcMText>().empty());
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"MText", "EditText", "EditText"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_NE(Only<FcMText>(), nullptr);
  EXPECT_EQ(Only<FcMText>()->GetContents(), "H1\\PH2\\PH3");
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

TEST(TextLineBreaksTest, ShownAndStored) {
  struct Case {
    const char* stored;
    const char* shown;
  };
  const Case both[] = {
      {"a\\Pb", "a\r\nb"},
      {"\\P", "\r\n"},
      {"a\\\\Pb", "a\\\\Pb"},
      {"plain", "plain"},
  };
  for (const Case& c : both) {
    EXPECT_EQ(ShownLineBreaks(c.stored), c.shown) << c.stored;
    EXPECT_EQ(StoredLineBreaks(c.shown), c.stored) << c.stored;
  }
  EXPECT_EQ(StoredLineBreaks("a\nb\rc\r\n\r\nd"), "a\\Pb\\Pc\\P\\Pd");
}

TEST_F(TextEditTest, ScaleTextRemembersItsOptionAndHeight) {
  WriteText("100,100", "HELLO");
  FcText* text = Only<FcText>();
  const std::array<FcPoint2d, 4> before = Box(text);
  const FcPoint2d middle{(before[0].x + before[2].x) / 2.0, (before[0].y + before[2].y) / 2.0};
  ASSERT_TRUE(RunScript(script_, "scaletext", {"all", "", "mc", "5"}));
  EXPECT_TRUE(Prompted("[Existing/Left/Center/Middle/Right/TL/TC/TR/ML/MC/MR/BL/BC/BR] <Existing>"));
  EXPECT_TRUE(Prompted("Specify new height or [Match object/Scale factor] <2.0000>"));
  EXPECT_DOUBLE_EQ(text->GetHeight(), 5.0);
  const std::array<FcPoint2d, 4> after = Box(text);
  ExpectPointNear({(after[0].x + after[2].x) / 2.0, (after[0].y + after[2].y) / 2.0}, middle, 1e-9);
  EXPECT_EQ(UndoNames().back(), "ScaleText");

  const std::size_t seen = script_.Frame().Prompts().size();
  ASSERT_TRUE(RunScript(script_, "scaletext", {"all", "", "", ""}));
  EXPECT_TRUE(Prompted("[Existing/Left/Center/Middle/Right/TL/TC/TR/ML/MC/MR/BL/BC/BR] <MC>", seen));
  EXPECT_TRUE(Prompted("Specify new height or [Match object/Scale factor] <5.0000>", seen));
  EXPECT_DOUBLE_EQ(text->GetHeight(), 5.0);
}

// Scale factor 2 about the bottom left corner: each text, single-line or
// multiline, twice as high, its corner where it was; a reference of 2 to
// 6 is a factor of 3.
TEST_F(TextEditTest, ScaleTextByFactorAboutACorner) {
  WriteText("100,100", "HELLO");
  WriteText("100,200", "HI");
  const std::vector<const FcText*> texts = EntitiesOf<FcText>();
  ASSERT_EQ(texts.size(), 2u);
  std::vector<std::array<FcPoint2d, 4>> before;
  for (const FcText* text : texts) before.push_back(Box(const_cast<FcText*>(text)));
  AnswerMText("HI");
  ASSERT_TRUE(RunScript(script_, "mtext", {"150,280", "h", "10", "j", "mc", "250,250"}));
  FcMText* paragraph = Only<FcMText>();
  const std::array<FcPoint2d, 4> paragraphBefore = MTextBox(paragraph);
  ASSERT_TRUE(RunScript(script_, "scaletext", {"all", "", "bl", "s", "2"}));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_DOUBLE_EQ(texts[i]->GetHeight(), 20.0);
    ExpectPointNear(Box(const_cast<FcText*>(texts[i]))[0], before[i][0], 1e-9);
  }
  EXPECT_DOUBLE_EQ(paragraph->GetHeight(), 20.0);
  ExpectPointNear(MTextBox(paragraph)[0], paragraphBefore[0], 1e-9);
  // Existing scales a multiline text about its insertion point.
  const FcPoint2d insertion = paragraph->GetInsertionPoint();
  ASSERT_TRUE(RunScript(script_, "scaletext", {"l", "", "existing", "5"}));
  EXPECT_DOUBLE_EQ(paragraph->GetHeight(), 5.0);
  ExpectPointNear(paragraph->GetInsertionPoint(), insertion, 1e-9);
  ASSERT_TRUE(RunScript(script_, "scaletext", {"all", "", "", "s", "r", "2", "6"}));
  for (const FcText* text : texts) EXPECT_DOUBLE_EQ(text->GetHeight(), 60.0);
  EXPECT_DOUBLE_EQ(paragraph->GetHeight(), 15.0);
  // The factor of a reference is not offered next time.
  const std::size_t seen = script_.Frame().Prompts().size();
  ASSERT_TRUE(RunScript(script_, "scaletext", {"all", "", "", "s", ""}));
  EXPECT_TRUE(Prompted("Specify scale factor or [Reference] <2.0000>", seen));
  for (const FcText* text : texts) EXPECT_DOUBLE_EQ(text->GetHeight(), 120.0);
}

TEST_F(TextEditTest, ScaleTextMatchesAPickedTextsHeight) {
  WriteText("100,100", "HELLO");
  ASSERT_TRUE(RunScript(script_, "dtext", {"100,200", "4", "0", "HI", ""}));
  ASSERT_TRUE(RunScript(script_, "line", {"300,10", "300,290", ""}));
  ASSERT_TRUE(RunScript(script_, "scaletext", {"101,105", "", "", "m", "300,100", "100.5,201"}));
  EXPECT_EQ(LastPrinted(), "Please select text object!");
  for (const FcText* text : EntitiesOf<FcText>()) EXPECT_DOUBLE_EQ(text->GetHeight(), 4.0);
  // Matched heights are not remembered.
  const std::size_t seen = script_.Frame().Prompts().size();
  ASSERT_TRUE(RunScript(script_, "scaletext", {"101,105", "", "", kEsc}));
  EXPECT_TRUE(Prompted("Specify new height or [Match object/Scale factor] <2.0000>", seen));
}

// A multiline text may be 0 high: a new height cannot be a ratio of that,
// so the text keeps its place and takes the height.
TEST_F(TextEditTest, ScaleTextGivesAZeroHighTextItsHeight) {
  script_.OnWindowThread([this] {
    auto* text = new FcMText;
    text->SetContents("HI");
    text->SetHeight(0.0);
    text->SetInsertionPoint({100, 100});
    script_.Drawing().AddEntity(text, true);
    return 0;
  });
  ASSERT_TRUE(RunScript(script_, "scaletext", {"all", "", "mc", "5"}));
  const FcMText* text = Only<FcMText>();
  ASSERT_NE(text, nullptr);
  EXPECT_DOUBLE_EQ(text->GetHeight(), 5.0);
  ExpectPointNear(text->GetInsertionPoint(), {100, 100}, 1e-9);
}

TEST_F(TextEditTest, CommandsOnLinesOnlySayThereIsNoText) {
  ASSERT_TRUE(RunScript(script_, "line", {"10,10", "50,10", ""}));
  for (const char* command : {"scaletext", "frametext"}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(RunScript(script_, command, {"all", ""}));
    EXPECT_EQ(LastPrinted(), "There is not any text object in the select!");
  }
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
}

TEST_F(TextEditTest, FrameTextDrawsWideClosedFramesOnTheCurrentLayer) {
  WriteText("100,100", "HELLO");
  AnswerMText("HI");
  ASSERT_TRUE(RunScript(script_, "mtext", {"100,250", "h", "10", "300,150"}));
  ASSERT_TRUE(RunScript(script_, "line", {"10,10", "50,10", ""}));
  script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().plinewid = 0.5;
    return 0;
  });
  const std::array<FcPoint2d, 4> box = Box(Only<FcText>());
  ASSERT_TRUE(RunScript(script_, "frametext", {"all", ""}));
  const std::vector<const FcPolyline*> frames = EntitiesOf<FcPolyline>();
  ASSERT_EQ(frames.size(), 2u);
  for (const FcPolyline* frame : frames) {
    EXPECT_TRUE(frame->IsClosed());
    ASSERT_EQ(frame->GetVertexCount(), 4);
    for (const PolylineVertex& vertex : frame->GetVertices()) {
      EXPECT_EQ(vertex.startWidth, 0.5);
      EXPECT_EQ(vertex.endWidth, 0.5);
    }
    EXPECT_EQ(frame->GetLayer(), Only<FcText>()->GetLayer());
  }
  // Last selected first: the multiline text's frame, then the text's.
  for (int i = 0; i < 4; ++i) {
    const PolylineVertex* corner = frames[1]->GetVertex(i);
    ExpectPointNear({corner->x, corner->y}, box[i], 1e-9);
  }
  EXPECT_EQ(UndoNames().back(), "TextFrame");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
}

}  // namespace
