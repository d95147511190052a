#include <functional>
#include <string>
#include <vector>

#include "commands/dialogs/attribute_edit_dlg.h"
#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/dialogs/hatch_dlg.h"
#include "commands/dialogs/input_text_dlg.h"
#include "commands/dialogs/mtext_dlg.h"
#include "entities/attribute.h"
#include "entities/dimension.h"
#include "entities/line.h"
#include "entities/text.h"
#include "platform/program_settings.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/door_block.h"
#include "tests/support/pickable_script.h"
#include "tests/support/program_settings_guard.h"

namespace {

// In the view's (0,0)-(400,300): a reference of block DOOR at (330,200),
// its door a line up from there and its attribute ROOM "B7" at (340,200);
// a text "HELLO" at (20,250); a line from (20,20) to (80,20); a box
// (100,100)-(200,180) hatched with lines 10 apart; a linear dimension whose line runs
// along y = 60 from x = 220 to 320.
class EntityEditorTest : public PickableScriptTest {
 protected:
  // The hatch editor reads the program's own pattern file.
  EntityEditorTest() { GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Support"; }

  void SetUp() override {
    DrawDoorBlockContents(script_);
    ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
    ASSERT_TRUE(script_.Run({"-insert", "DOOR", "330,200", "", "", "", "B7"}));
    ASSERT_TRUE(script_.Run({"dtext", "20,250", "10", "0", "HELLO", ""}));
    ASSERT_TRUE(script_.Run({"line", "20,20", "80,20", ""}));
    ASSERT_TRUE(script_.Run({"line", "100,100", "200,100", "200,180", "100,180", "c"}));
    dialogs_.Answer<CHatchDlg>([](CHatchDlg&) { return CHatchDlg::kPickPoint; });
    dialogs_.Answer<CHatchDlg>([](CHatchDlg& dialog) {
      dialog.m_nPatternType = CHatchDlg::kUserDefined;
      dialog.m_dSpacing = 10;
      return CHatchDlg::kApply;
    });
    ASSERT_TRUE(RunScript(script_, "hatch", {"150,140", ""}));
    ASSERT_TRUE(RunScript(script_, "DimLinear", {"220,20", "320,20", "270,60", ""}));
    ASSERT_EQ(dialogs_.AnswersLeft(), 0);
  }

  // The next dialog must be of the type; it is cancelled.
  template <typename Dialog>
  std::function<void()> Cancels() {
    return [this] { dialogs_.Answer<Dialog>([](Dialog&) { return CModalDialog::kCancel; }); };
  }

  bool DoubleClick(const FcPoint2d& at) {
    const bool edited = script_.DoubleClick(at);
    return script_.WaitUntilIdle() && edited;
  }

  FcPoint2d DimensionTextMidpoint() {
    return script_.OnWindowThread([this] {
      for (const FcEntity* entity : *script_.Drawing().GetCurrentEntitySet())
        if (const auto* dimension = dynamic_cast<const FcDimension*>(entity)) return dimension->GetTextMidpoint();
      return FcPoint2d{};
    });
  }

  int PickFirstCount() {
    return script_.OnWindowThread([this] { return script_.View().GetPickFirstSelection().GetCount(); });
  }

  ProgramSettingsGuard settings_;
  ScriptedDialogs dialogs_;
};

TEST_F(EntityEditorTest, EachKindOpensItsEditor) {
  const struct {
    const char* name;
    FcPoint2d at;
    std::function<void()> expect;
  } cases[] = {
      {"text", {20.5, 255}, Cancels<CInputTextDlg>()},
      {"attribute", {340.5, 202}, Cancels<CAttributeEditDlg>()},
      {"reference with attributes", {330, 220}, Cancels<CAttributeEditDlg>()},
      {"hatch", {150, 140}, Cancels<CHatchDlg>()},
      {"dimension line", {240, 60}, Cancels<CDimPropDlg>()},
      {"dimension text", DimensionTextMidpoint(), Cancels<CMTextDlg>()},
      {"line: the selection's properties", {50, 20}, Cancels<CEntPropDlg>()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int before = dialogs_.Shown();
    c.expect();
    EXPECT_TRUE(DoubleClick(c.at));
    EXPECT_EQ(dialogs_.Shown(), before + 1);
    ASSERT_EQ(dialogs_.AnswersLeft(), 0);
    EXPECT_EQ(dialogs_.Unexpected(), 0);
    // The selection the first click made is gone with its highlight.
    EXPECT_EQ(PickFirstCount(), 0);
  }
}

// The editor is a command of its own: its change is an undo step, and
// Undo takes it back.
TEST_F(EntityEditorTest, AnEditIsOneUndoStep) {
  dialogs_.Answer<CInputTextDlg>([](CInputTextDlg& dialog) {
    dialog.m_strText = "BYE";
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(DoubleClick({20.5, 255}));
  // The attribute, a text too, came first.
  EXPECT_EQ(EntitiesOf<FcText>().back()->GetText(), "BYE");
  EXPECT_EQ(UndoNames().back(), "EditText");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcText>().back()->GetText(), "HELLO");
}

// Nothing under the cursor, a command waiting or a typed line: the double
// click edits nothing and opens no dialog.
TEST_F(EntityEditorTest, NothingIsEditedWhereNothingIsOrWhileBusy) {
  EXPECT_FALSE(DoubleClick({380, 20}));
  // The first click began a selection box.
  script_.PressEsc();
  script_.Type("line");
  ASSERT_TRUE(script_.WaitForPromptOrIdle() && script_.IsWaitingForInput());
  EXPECT_FALSE(script_.OnWindowThread([this] { return script_.View().OnDoubleClick({50, 20}); }));
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
  script_.Type("li", '\0');
  EXPECT_FALSE(script_.OnWindowThread([this] { return script_.View().OnDoubleClick({50, 20}); }));
  EXPECT_EQ(dialogs_.Shown(), 2);
}

}  // namespace
