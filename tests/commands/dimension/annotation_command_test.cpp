#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/dialogs/tol_edt_dlg.h"
#include "database/dim_style.h"
#include "entities/leader.h"
#include "entities/mtext.h"
#include "entities/tolerance.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/pickable_script.h"

namespace {

using AnnotationCommandTest = PickableScriptTest;

// Arrows 0.18 long, the text 0.09 off the line and DIMTAD as asked.
void UseStyle(ScriptedView& script, int dimtad) {
  script.OnWindowThread([&script, dimtad] {
    FcDimStyle* style = script.Drawing().GetCurrentDimStyle();
    style->dimasz = 0.18;
    style->dimscale = 1.0;
    style->dimgap = 0.09;
    style->dimtad = static_cast<std::uint8_t>(dimtad);
    return true;
  });
}

// Leaders without text: the points given, the moving vertex dropped, no
// hook line; Undo takes back the last point given.
TEST_F(AnnotationCommandTest, LeaderPointsAndUndo) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<FcPoint2d> vertices;
    std::int16_t pathType;
  };
  const Case cases[] = {
      {{"0,0", "10,5", "", ""}, {{0, 0}, {10, 5}}, 0},
      {{"0,0", "10,5", "u", ""}, {}, 0},
      {{"0,0", "10,5", "20,5", "u", "", ""}, {{0, 0}, {10, 5}}, 0},
      {{"0,0", "10,5", "20,5", "", ""}, {{0, 0}, {10, 5}, {20, 5}}, 0},
      {{"0,0", "10,5", "f", "s", "20,5", "", ""}, {{0, 0}, {10, 5}, {20, 5}}, 1},
      {{"0,0", "10,5", "f", "s", "f", "STraight", "", ""}, {{0, 0}, {10, 5}}, 0},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "Leader", c.answers)) << c.answers.size();
    const std::vector<const FcLeader*> leaders = EntitiesIn<FcLeader>(script);
    if (c.vertices.empty()) {
      EXPECT_TRUE(leaders.empty());
      continue;
    }
    ASSERT_EQ(leaders.size(), 1u);
    EXPECT_EQ(leaders[0]->GetVertices(), c.vertices);
    EXPECT_EQ(leaders[0]->GetPathType(), c.pathType);
    EXPECT_EQ(leaders[0]->GetHookLine(), 0);
    EXPECT_TRUE(EntitiesIn<FcMText>(script).empty());
  }
}

// With DIMTAD 1 the leader gets a hook vertex an arrow size past its end in
// the hook's direction, and the text stands on the line, a gap above the
// end and an arrow size along, attached at its bottom on the hook side.
TEST_F(AnnotationCommandTest, LeaderWithDimtadPutsTheTextAboveTheHook) {
  struct Case {
    std::vector<std::string> answers;
    std::vector<FcPoint2d> vertices;
    std::int16_t hookDirection;
    FcPoint2d insertion;
    std::uint8_t attachment;
  };
  const Case cases[] = {
      {{"0,0", "10,5", "", "Note", ""}, {{0, 0}, {10, 5}, {10.18, 5}}, 0, {10.18, 5.09}, kMTextBottomLeft},
      {{"0,0", "-10,5", "", "Note", ""}, {{0, 0}, {-10, 5}, {-10.18, 5}}, 1, {-10.18, 5.09}, kMTextBottomRight},
      {{"0,0", "10,5", "f", "s", "", "Note", ""}, {{0, 0}, {10, 5}}, 0, {10.18, 5.09}, kMTextBottomLeft},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    UseStyle(script, 1);
    ASSERT_TRUE(RunScript(script, "Leader", c.answers));
    const std::vector<const FcLeader*> leaders = EntitiesIn<FcLeader>(script);
    const std::vector<const FcMText*> texts = EntitiesIn<FcMText>(script);
    ASSERT_EQ(leaders.size(), 1u);
    ASSERT_EQ(texts.size(), 1u);
    const FcLeader& leader = *leaders[0];
    ASSERT_EQ(leader.GetVertexCount(), static_cast<int>(c.vertices.size()));
    for (std::size_t i = 0; i < c.vertices.size(); ++i) ExpectPointNear(leader.GetVertices()[i], c.vertices[i], 1e-12);
    EXPECT_EQ(leader.GetHookLine(), 1);
    EXPECT_EQ(leader.GetHookDirection(), c.hookDirection);
    const FcMText& text = *texts[0];
    ExpectPointNear(text.GetInsertionPoint(), c.insertion, 1e-12);
    EXPECT_EQ(text.GetAttachment(), c.attachment);
    EXPECT_EQ(text.GetContents(), "Note");
    EXPECT_GT(text.GetInsertionPoint().y, leader.GetVertices().back().y);
    EXPECT_EQ(leader.GetAnnotationHandle(), text.GetHandle());
    EXPECT_NEAR(leader.GetAnnotationWidth(), text.GetLaidOutWidth() + 0.18, 1e-12);
    EXPECT_GT(leader.GetAnnotationWidth(), 0.18);
  }
}

// DIMTAD 0: no hook, the text at the end itself; lines join with "\P";
// one undo step takes back text and leader together.
TEST_F(AnnotationCommandTest, LeaderTextLinesAndOneUndoStep) {
  UseStyle(script_, 0);
  ASSERT_TRUE(RunScript(script_, "Leader", {"0,0", "10,5", "", "A", "B", ""}));
  ASSERT_EQ(EntitiesOf<FcLeader>().size(), 1u);
  const FcLeader& leader = *EntitiesOf<FcLeader>()[0];
  EXPECT_EQ(leader.GetVertexCount(), 2);
  EXPECT_EQ(leader.GetHookLine(), 0);
  ASSERT_EQ(EntitiesOf<FcMText>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcMText>()[0]->GetContents(), "A\\PB");
  ExpectPointNear(EntitiesOf<FcMText>()[0]->GetInsertionPoint(), {10.18, 5}, 1e-12);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Leader"}));
  ASSERT_TRUE(RunScript(script_, "Undo", {}));
  EXPECT_TRUE(EntitiesOf<FcLeader>().empty());
  EXPECT_TRUE(EntitiesOf<FcMText>().empty());
}

TEST_F(AnnotationCommandTest, CancelledLeaderLeavesNothing) {
  for (const std::vector<std::string>& answers :
       {std::vector<std::string>{"0,0", kEsc}, {"0,0", "10,5", kEsc}, {"0,0", "10,5", "f", kEsc},
        {"0,0", "10,5", "", kEsc}, {"0,0", "10,5", "", "A", kEsc}}) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "Leader", answers)) << answers.size();
    EXPECT_TRUE(EntitiesIn<FcLeader>(script).empty());
    EXPECT_TRUE(EntitiesIn<FcMText>(script).empty());
    EXPECT_EQ(NewestUndoName(script), "(none)");
  }
}

// The frame text, then its place; the frame runs along the UCS x axis.
// The frame editor's answer: OK with the given frame text.
void AnswerFrame(ScriptedDialogs& dialogs, const std::string& text) {
  dialogs.Answer<CTolEdtDlg>([text](CTolEdtDlg& dialog) {
    dialog.m_strToleranceText = text;
    return CModalDialog::kOk;
  });
}

TEST_F(AnnotationCommandTest, TolerancePlacedAlongTheUcs) {
  script_.OnWindowThread([this] {
    script_.Drawing().RotateUcs(kHalfPi);
    return true;
  });
  ScriptedDialogs dialogs;
  std::string given = "unset";
  dialogs.Answer<CTolEdtDlg>([&given](CTolEdtDlg& dialog) {
    given = dialog.m_strToleranceText;
    dialog.OnInitDialog();
    dialog.m_rows[0].m_nSymbol = tolerance_symbol::kPosition;
    dialog.m_rows[0].m_strValue[0] = "0.1";
    dialog.OnOK();
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "Tolerance", {"2,3"}));
  EXPECT_EQ(given, "");
  ASSERT_EQ(EntitiesOf<FcTolerance>().size(), 1u);
  const FcTolerance& tolerance = *EntitiesOf<FcTolerance>()[0];
  EXPECT_EQ(tolerance.GetText(), "{\\Fgdt;j}%%v0.1%%v%%v%%v%%v");
  ExpectPointNear(tolerance.GetInsertionPoint(), {-3, 2}, 1e-12);
  ExpectPointNear(tolerance.GetDirection(), {0, 1}, 1e-12);
  EXPECT_EQ(tolerance.GetDimStyle(), script_.Drawing().GetCurrentDimStyle());
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Tolerance"}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Tolerance position");
  EXPECT_EQ(dialogs.Unexpected(), 0);
}

// A frame text longer than the field is cut, with a line that says so.
TEST_F(AnnotationCommandTest, ToleranceTextIsCutToTheField) {
  ScriptedDialogs dialogs;
  AnswerFrame(dialogs, std::string(1500, 'x'));
  ASSERT_TRUE(RunScript(script_, "Tolerance", {"0,0"}));
  ASSERT_EQ(EntitiesOf<FcTolerance>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcTolerance>()[0]->GetText(), std::string(FcTolerance::kMaxText, 'x'));
  const std::vector<std::string> printed = Printed();
  EXPECT_NE(std::find(printed.begin(), printed.end(), "The tolerance text is cut to 1023 characters."), printed.end());
}

// Cancel, an empty frame, or no place given: nothing is made, nothing
// asked after the editor when it gave nothing.
TEST_F(AnnotationCommandTest, ToleranceWithoutTextOrPlaceMakesNothing) {
  struct Case {
    int endCode;
    std::string text;
    std::vector<std::string> answers;
  };
  const Case cases[] = {
      {CModalDialog::kCancel, "{\\Fgdt;j}", {}},
      {CModalDialog::kOk, "", {}},
      {CModalDialog::kOk, "{\\Fgdt;j}", {""}},
      {CModalDialog::kOk, "{\\Fgdt;j}", {kEsc}},
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ScriptedDialogs dialogs;
    dialogs.Answer<CTolEdtDlg>([&c](CTolEdtDlg& dialog) {
      dialog.m_strToleranceText = c.text;
      return c.endCode;
    });
    ASSERT_TRUE(RunScript(script, "Tolerance", c.answers));
    EXPECT_TRUE(EntitiesIn<FcTolerance>(script).empty());
    EXPECT_EQ(NewestUndoName(script), "(none)");
    EXPECT_EQ(dialogs.Unexpected(), 0);
  }
}

// DDEdit on a tolerance opens the frame editor on its text: OK records an
// "EditText" step even without a change, an emptied frame or Cancel leave
// the entity and the undo list alone, and Undo brings the old frame back.
TEST_F(AnnotationCommandTest, DDEditChangesAToleranceInTheFrameEditor) {
  const std::string first = "{\\Fgdt;j}%%v0.05%%v%%vA%%v%%v";
  ScriptedDialogs dialogs;
  AnswerFrame(dialogs, first);
  ASSERT_TRUE(RunScript(script_, "Tolerance", {"100,100"}));
  const FcTolerance* tolerance = EntitiesOf<FcTolerance>().at(0);

  std::string shown;
  dialogs.Answer<CTolEdtDlg>([&shown](CTolEdtDlg& dialog) {
    shown = dialog.m_strToleranceText;
    dialog.OnInitDialog();
    dialog.OnOK();
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ddedit", {"100,100"}));
  EXPECT_EQ(shown, first);
  EXPECT_EQ(tolerance->GetText(), first);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Tolerance", "EditText"}));

  for (const int endCode : {CModalDialog::kOk, CModalDialog::kCancel}) {
    dialogs.Answer<CTolEdtDlg>([endCode](CTolEdtDlg& dialog) {
      dialog.m_strToleranceText = endCode == CModalDialog::kOk ? "" : "{\\Fgdt;u}";
      return endCode;
    });
    ASSERT_TRUE(RunScript(script_, "ddedit", {"100,100"}));
    EXPECT_EQ(tolerance->GetText(), first);
    EXPECT_EQ(UndoNames().size(), 2u);
  }

  AnswerFrame(dialogs, "{\\Fgdt;u}%%v0.2%%v%%v%%v%%v");
  ASSERT_TRUE(RunScript(script_, "ddedit", {"100,100"}));
  EXPECT_EQ(tolerance->GetText(), "{\\Fgdt;u}%%v0.2%%v%%v%%v%%v");
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_EQ(EntitiesOf<FcTolerance>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcTolerance>()[0]->GetText(), first);
  EXPECT_EQ(dialogs.Unexpected(), 0);
}

}  // namespace
