#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commands/dialogs/att_def_dlg.h"
#include "commands/dialogs/attribute_edit_dlg.h"
#include "database/block.h"
#include "database/block_markers.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "files/drawing_file.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/pickable_script.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

class AttributeCommandsTest : public PickableScriptTest {
 protected:
  AttributeCommandsTest() {
    // Quick text draws each attribute as its box, so a pick finds it
    // whatever fonts there are.
    script_.OnWindowThread([this] {
      script_.Drawing().GetSysVars().qtextmode = 1;
      return 0;
    });
  }

  const FcAttributeDef* OnlyDefinition() {
    const std::vector<const FcAttributeDef*> definitions = EntitiesOf<FcAttributeDef>();
    return definitions.size() == 1 ? definitions[0] : nullptr;
  }

  long TimesPrompted(const std::string& prompt) {
    const std::vector<std::string> prompts = script_.Frame().Prompts();
    return std::count(prompts.begin(), prompts.end(), prompt);
  }
  bool Prompted(const std::string& prompt) { return TimesPrompted(prompt) > 0; }

  // The history line was printed and the prompt then asked again.
  bool AskedAgainAfter(const std::string& message, const std::string& prompt, long times) {
    const std::vector<std::string> printed = Printed();
    return std::find(printed.begin(), printed.end(), message) != printed.end() && TimesPrompted(prompt) == times;
  }

  // Block DOOR (a line from (0,0) to (0,40) and the definitions ROOM and
  // OWNER) and one reference at (100, 100) whose attributes hold B7 and
  // KIM; the ROOM attribute lies at (110, 100), OWNER at (110, 120).
  void InsertDoor() {
    script_.OnWindowThread([this] {
      FcGraph& graph = script_.Drawing();
      auto* line = new FcLine;
      line->SetEndPoint({0, 40});
      graph.AddEntity(line, false);
      const struct {
        const char* tag;
        const char* prompt;
        FcPoint2d at;
      } fields[] = {{"ROOM", "Room number", {10, 0}}, {"OWNER", "Owner", {10, 20}}};
      for (const auto& field : fields) {
        auto* definition = new FcAttributeDef;
        definition->SetTag(field.tag);
        definition->SetPrompt(field.prompt);
        definition->SetInsertionPoint(field.at);
        definition->SetHeight(5);
        graph.AddEntity(definition, false);
      }
      return 0;
    });
    ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
    ASSERT_TRUE(script_.Run({"-insert", "DOOR", "100,100", "", "", "", "B7", "KIM"}));
  }

  std::vector<std::string> Values() {
    std::vector<std::string> values;
    for (const FcAttribute* attribute : EntitiesOf<FcAttribute>()) values.push_back(attribute->GetText());
    return values;
  }

  ScriptedDialogs dialogs_;
};

TEST_F(AttributeCommandsTest, AttDefMakesADefinitionFromItsDialogAndItsPickPasses) {
  std::vector<std::string> notes;
  std::string style;
  dialogs_.Answer<CAttDefDlg>([](CAttDefDlg&) { return CAttDefDlg::kPickPoint; });
  dialogs_.Answer<CAttDefDlg>([](CAttDefDlg&) { return CAttDefDlg::kHeight; });
  dialogs_.Answer<CAttDefDlg>([](CAttDefDlg&) { return CAttDefDlg::kRotation; });
  dialogs_.Answer<CAttDefDlg>([&](CAttDefDlg& dialog) {
    dialog.OnInitDialog();
    style = dialog.m_strStyle;
    for (const char* tag : {"", "a b", "room"}) {
      dialog.m_strTag = tag;
      notes.push_back(dialog.TagNote());
    }
    // Constant wins over Verify.
    dialog.m_bInvisible = 1;
    dialog.m_bConstant = 1;
    dialog.m_bVerify = 1;
    EXPECT_FALSE(dialog.VerifyPresetEnabled());
    dialog.m_strPrompt = "Room number";
    dialog.m_strValue = "A1";
    dialog.m_nJustify = 3;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"attdef", "5,6", "2.5", "30"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(notes, (std::vector<std::string>{"Null Tag not allowed!", "Invalid blank is in Tag!", ""}));
  EXPECT_EQ(style, "standard");
  const FcAttributeDef* definition = OnlyDefinition();
  ASSERT_NE(definition, nullptr);
  EXPECT_EQ(definition->GetTag(), "ROOM");
  EXPECT_EQ(definition->GetPrompt(), "Room number");
  EXPECT_EQ(definition->GetText(), "A1");
  EXPECT_EQ(definition->GetFlags(), kAttributeInvisible | kAttributeConstant);
  EXPECT_EQ(definition->GetHorizontalJustification(), kTextMiddle);
  EXPECT_EQ(definition->GetVerticalJustification(), kTextBaseline);
  ExpectPointNear(definition->GetAlignmentPoint(), {5, 6}, 1e-9);
  EXPECT_DOUBLE_EQ(definition->GetHeight(), 2.5);
  EXPECT_NEAR(definition->GetRotation(), 30 * kDegToRad, 1e-9);
  EXPECT_DOUBLE_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().textsize; }), 2.5);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"AttDef"});
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(OnlyDefinition(), nullptr);
}

TEST_F(AttributeCommandsTest, AttDefFitTurnsTowardsTheFitPointAndTheUcsTurnsTheRest) {
  const auto define = [this](int justify) {
    dialogs_.Answer<CAttDefDlg>([justify](CAttDefDlg& dialog) {
      dialog.m_strTag = "W";
      dialog.m_nJustify = justify;
      return CModalDialog::kOk;
    });
  };
  define(1);
  ASSERT_TRUE(script_.Run({"attdef", "10,10"}));
  EXPECT_TRUE(Prompted("Fit point"));
  const FcAttributeDef* fitted = OnlyDefinition();
  ASSERT_NE(fitted, nullptr);
  EXPECT_EQ(fitted->GetHorizontalJustification(), kTextFit);
  EXPECT_NEAR(fitted->GetRotation(), kPi / 4, 1e-9);
  ExpectPointNear(fitted->GetAlignmentPoint(), {10, 10}, 1e-9);

  // A cancelled fit point makes nothing.
  define(1);
  ASSERT_TRUE(RunScript(script_, "attdef", {kEsc}));
  EXPECT_EQ(EntitiesOf<FcAttributeDef>().size(), 1u);

  // Angle 0 in a UCS turned by 30 degrees is 30 degrees in the world.
  ASSERT_TRUE(script_.Run({"undo"}));
  script_.OnWindowThread([this] {
    script_.Drawing().RotateUcs(30 * kDegToRad);
    return 0;
  });
  define(0);
  ASSERT_TRUE(script_.Run({"attdef"}));
  const FcAttributeDef* turned = OnlyDefinition();
  ASSERT_NE(turned, nullptr);
  EXPECT_NEAR(turned->GetRotation(), 30 * kDegToRad, 1e-9);
  // Cancel makes nothing.
  dialogs_.Answer<CAttDefDlg>([](CAttDefDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"attdef"}));
  EXPECT_EQ(EntitiesOf<FcAttributeDef>().size(), 1u);
}

TEST_F(AttributeCommandsTest, AttEditChangesTheValuesOfThePickedReferenceInItsDialogAndUndoTakesThemBack) {
  InsertDoor();
  ASSERT_EQ(Values(), (std::vector<std::string>{"B7", "KIM"}));
  std::vector<CAttributeEditDlg::Row> shown;
  std::string heading;
  dialogs_.Answer<CAttributeEditDlg>([&](CAttributeEditDlg& dialog) {
    shown = dialog.Rows();
    heading = dialog.Heading();
    std::vector<CAttributeEditDlg::Row> rows = shown;
    rows[1].value = "C9";
    dialog.OnOK(rows);
    return CModalDialog::kOk;
  });
  // Empty paper, then the reference's own line (only attributes answer the
  // pick), then its ROOM attribute.
  ASSERT_TRUE(script_.Run({"attedit", "300,250", "100,120", "110,100"}));
  EXPECT_TRUE(AskedAgainAfter("Please select a block reference!", "Select one block reference with attribute(s)", 3));
  EXPECT_EQ(heading, "Block name: DOOR");
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].name, "TAG[Prompt]");
  EXPECT_EQ(shown[1].name, "ROOM[Room number]");
  EXPECT_EQ(shown[1].value, "B7");
  EXPECT_EQ(shown[2].name, "OWNER[Owner]");
  EXPECT_EQ(Values(), (std::vector<std::string>{"C9", "KIM"}));
  EXPECT_EQ(UndoNames().back(), "AttEdit");

  // Cancel changes nothing and adds no step.
  const std::size_t steps = UndoNames().size();
  dialogs_.Answer<CAttributeEditDlg>([](CAttributeEditDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"attedit", "110,100"}));
  EXPECT_EQ(Values(), (std::vector<std::string>{"C9", "KIM"}));
  EXPECT_EQ(UndoNames().size(), steps);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Values(), (std::vector<std::string>{"B7", "KIM"}));
}

TEST_F(AttributeCommandsTest, WithTheValueDialogSwitchedOnInsertAsksEveryValueInItAndCancelLeavesNoReference) {
  ProgramSettingsGuard settings;
  InsertDoor();
  GetProgramSettings().attdia = 1;
  dialogs_.Answer<CAttributeEditDlg>([](CAttributeEditDlg& dialog) {
    std::vector<CAttributeEditDlg::Row> rows = dialog.Rows();
    rows[2].value = "LEE";
    dialog.OnOK(rows);
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "200,100", "", "", ""}));
  EXPECT_EQ(Values(), (std::vector<std::string>{"B7", "KIM", "", "LEE"}));

  dialogs_.Answer<CAttributeEditDlg>([](CAttributeEditDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "300,100", "", "", ""}));
  EXPECT_EQ(LastPrinted(), "Unterminated Complex Entity.");
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 2u);
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

TEST_F(AttributeCommandsTest, AttEditRefusesAReferenceThatDoesNotOwnItsAttributes) {
  InsertDoor();
  // A file that drops the reference's follow flag leaves the attributes
  // behind it without an owner.
  script_.OnWindowThread([this] {
    const_cast<FcInsert*>(EntitiesIn<FcInsert>(script_)[0])->SetEntitiesFollow(0);
    return 0;
  });
  ASSERT_TRUE(RunScript(script_, "attedit", {"110,100", kEsc}));
  EXPECT_TRUE(AskedAgainAfter("There isn't any attribute in the block reference!",
                              "Select one block reference with attribute(s)", 2));
  EXPECT_EQ(Values(), (std::vector<std::string>{"B7", "KIM"}));
}

// A reference travels with its attributes: Copy and Mirror give the copy
// attributes of its own, in their place after it, and the file keeps them.
TEST_F(AttributeCommandsTest, CopiedAndMirroredReferencesBringTheirAttributes) {
  InsertDoor();
  ASSERT_TRUE(script_.Run({"copy", "100,130", "", "0,0", "50,0"}));
  ASSERT_TRUE(script_.Run({"mirror", "100,130", "", "300,0", "300,10", ""}));
  const std::vector<std::string> order = script_.OnWindowThread([this] {
    std::vector<std::string> kinds;
    for (const FcEntity* entity : *script_.Drawing().GetCurrentEntitySet()) kinds.push_back(entity->GetRecordName());
    return kinds;
  });
  const std::vector<std::string> reference = {"INSERT", "ATTRIB", "ATTRIB", "SEQEND"};
  std::vector<std::string> expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), reference.begin(), reference.end());
  EXPECT_EQ(order, expected);
  const std::vector<const FcAttribute*> attributes = EntitiesOf<FcAttribute>();
  ASSERT_EQ(attributes.size(), 6u);
  EXPECT_EQ(Values(), (std::vector<std::string>{"B7", "KIM", "B7", "KIM", "B7", "KIM"}));
  ExpectPointNear(attributes[2]->GetInsertionPoint(), {160, 100}, 1e-9);
  for (const FcAttribute* attribute : attributes) EXPECT_TRUE(attribute->IsSubEntity());
  EXPECT_NE(attributes[2]->GetHandle(), attributes[0]->GetHandle());

  TempDir folder;
  const std::string path = folder.path() + "copies.dxf";
  ASSERT_TRUE(script_.OnWindowThread([&] {
    return SaveDrawing(script_.Drawing(), path, FcFileKind::kAsciiDxf, false, false) == FcSaveResult::kDone;
  }));
  const CommandResult read = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' inserts '" + path + "'");
  EXPECT_EQ(read.status, 0) << read.output;
  const std::string attribs = "  ATTRIB ROOM = B7\n  ATTRIB OWNER = KIM\n";
  EXPECT_EQ(read.output,
            "INSERT DOOR at 100,100 scale 1,1 rotation 0 columns 1 x 0 rows 1 x 0\n" + attribs +
                "INSERT DOOR at 150,100 scale 1,1 rotation 0 columns 1 x 0 rows 1 x 0\n" + attribs +
                "INSERT DOOR at 500,100 scale -1,1 rotation 0 columns 1 x 0 rows 1 x 0\n" + attribs);
}

}  // namespace
