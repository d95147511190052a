#include <algorithm>
#include <numbers>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "platform/program_settings.h"
#include "display/display_group.h"
#include "display/display_surface.h"
#include "tests/support/command_script.h"
#include "tests/support/door_block.h"
#include "tests/support/program_settings_guard.h"

namespace {

class VariableCommandTest : public CommandScriptTest {
 protected:
  FcSystemVar Vars() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars(); });
  }
  std::vector<std::string> Prompts() { return script_.Frame().Prompts(); }
  // The command itself, not the view, refused a number: its message last in
  // the history, and the same prompt twice at the end.
  bool AskedAgainAfter(const std::string& message, const std::string& prompt) {
    const std::vector<std::string> prompts = Prompts();
    return LastPrinted() == message && prompts.size() >= 2 && prompts[prompts.size() - 1] == prompt &&
           prompts[prompts.size() - 2] == prompt;
  }
  std::string DictionaryText(const std::string& name) {
    return script_.OnWindowThread([&] {
      FcResBuf value;
      script_.Drawing().GetSysVar(name, value);
      return std::string(value.text != nullptr ? value.text : "");
    });
  }
};

// The commands for a variable of a few whole numbers: a number outside is
// refused and asked again, Enter keeps the value (still one undo step), Esc
// changes nothing.
struct SwitchCase {
  const char* command;
  const char* prompt;  // with the value of a new drawing
  const char* refused;
  const char* accepted;
  const char* refusal;
  int (*read)(const FcSystemVar&);
  int before;
  int after;
};

int QTextMode(const FcSystemVar& v) { return v.qtextmode; }
int MirrText(const FcSystemVar& v) { return v.mirrtext; }
int SplFrame(const FcSystemVar& v) { return v.splframe; }
int AngDir(const FcSystemVar& v) { return v.angdir; }
int SplineType(const FcSystemVar& v) { return v.splinetype; }

TEST_F(VariableCommandTest, SwitchesRefuseOtherNumbersAndUndoAsSetvar) {
  const SwitchCase cases[] = {
      {"qTextMode", "New qTextMode value <0>", "2", "1", "Only need 0 or 1!", QTextMode, 0, 1},
      {"mirrtext", "New mirrtext value <1>", "-1", "0", "Only need 0 or 1!", MirrText, 1, 0},
      {"splframe", "New spline frame<0>", "65537", "1", "Only need 0 or 1!", SplFrame, 0, 1},
      {"angdir", "New angle direction<0>", "7", "1", "Only need 0 or 1!", AngDir, 0, 1},
      {"splinetype", "New spline type<6>", "4", "5", "Only need 5 or 6!", SplineType, 6, 5},
  };
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_EQ(c.read(Vars()), c.before);
    ASSERT_TRUE(script_.Run({c.command, c.refused, c.accepted}));
    EXPECT_TRUE(AskedAgainAfter(c.refusal, c.prompt));
    EXPECT_EQ(c.read(Vars()), c.after);
    EXPECT_EQ(UndoNames().back(), "setvar");

    const std::size_t steps = UndoNames().size();
    ASSERT_TRUE(script_.Run({c.command, ""}));
    EXPECT_EQ(c.read(Vars()), c.after);
    EXPECT_EQ(UndoNames().size(), steps + 1);
    ASSERT_TRUE(script_.Run({c.command, kEsc}));
    EXPECT_EQ(UndoNames().size(), steps + 1);

    ASSERT_TRUE(script_.Run({"undo"}));
    ASSERT_TRUE(script_.Run({"undo"}));
    EXPECT_EQ(LastPrinted(), "Undo : setvar");
    EXPECT_EQ(c.read(Vars()), c.before);
    ASSERT_TRUE(script_.Run({"redo"}));
    EXPECT_EQ(c.read(Vars()), c.after);
  }
}

// Settings of the whole program: refused numbers are asked again, Enter
// ends, nothing goes on the drawing's undo list.
struct ProgramSwitchCase {
  const char* command;
  const char* prompt;
  const char* refused;
  const char* accepted;
  const char* refusal;
  int ProgramSettings::*field;
  int after;
};

TEST_F(VariableCommandTest, ProgramSettingsAreCheckedAndLeaveNoUndo) {
  ProgramSettingsGuard keep;
  ProgramSettings& settings = GetProgramSettings();
  settings.attreq = 1;
  settings.attdia = 0;
  settings.del_obj = 1;
  settings.zoom_factor = 20;
  const ProgramSwitchCase cases[] = {
      {"attreq", "New value for ATTREQ <1>", "2", "0", "Requires 0 or 1 only!", &ProgramSettings::attreq, 0},
      {"attdia", "New value for ATTDIA<0>", "-1", "1", "Requires 0 or 1 only!", &ProgramSettings::attdia, 1},
      {"delobj", "New value for DELOBJ<1>", "3", "0", "Requires 0 or 1 only!", &ProgramSettings::del_obj, 0},
      {"ZoomFactor", "Enter new value for ZOOMFACTOR <20>", "2", "100", "Requires an integer between 3 and 100.",
       &ProgramSettings::zoom_factor, 100},
  };
  for (const ProgramSwitchCase& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_TRUE(script_.Run({c.command, c.refused, c.accepted}));
    EXPECT_TRUE(AskedAgainAfter(c.refusal, c.prompt));
    EXPECT_EQ(settings.*c.field, c.after);
    ASSERT_TRUE(script_.Run({c.command, ""}));
    EXPECT_EQ(settings.*c.field, c.after);
  }
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(VariableCommandTest, SplineSegmentsTakeTheSizeAndKeepTheCountForZero) {
  ASSERT_TRUE(script_.Run({"splinesegs", "-8"}));
  EXPECT_EQ(Prompts().back(), "New spline segments number<8>");
  EXPECT_EQ(Vars().splinesegs, 8);
  ASSERT_TRUE(script_.Run({"splinesegs", "0"}));
  EXPECT_EQ(Vars().splinesegs, 8);
  ASSERT_TRUE(script_.Run({"splinesegs", ""}));
  EXPECT_EQ(Vars().splinesegs, 8);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"setvar", "setvar", "setvar"}));
  // A size beyond what the variable holds is not cut to another number.
  ASSERT_TRUE(script_.Run({"splinesegs", "-70000"}));
  EXPECT_EQ(Vars().splinesegs, 32767);
  ASSERT_TRUE(script_.Run({"splinesegs", kEsc}));
  EXPECT_EQ(UndoNames().size(), 4u);
}

TEST_F(VariableCommandTest, CurrentColourTakesNumbersUpTo256AndTheTwoKeywords) {
  struct Case {
    const char* answer;
    const char* prompt;
    int color;
  };
  const Case cases[] = {
      {"7", "New value for CECOLOR <\"ByLayer\">", 7},
      {"300", "New value for CECOLOR <\"7\">", 7},
      // Not cut to 16 bits, which would make it colour 7 again.
      {"65543", "New value for CECOLOR <\"7\">", 7},
      {"byb", "New value for CECOLOR <\"7\">", 0},
      {"byl", "New value for CECOLOR <\"ByBlock\">", 256},
      {"0", "New value for CECOLOR <\"ByLayer\">", 0},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(script_.Run({"cecolor", c.answer})) << c.answer;
    EXPECT_EQ(Prompts().back(), c.prompt) << c.answer;
    EXPECT_EQ(Vars().cecolor, c.color) << c.answer;
  }
  EXPECT_TRUE(Printed().empty());
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(VariableCommandTest, CurrentLinetypeAndLayerMustExist) {
  script_.OnWindowThread([this] { return script_.Drawing().FindOrCreateLayer("Walls") != nullptr; });
  ASSERT_TRUE(script_.Run({"celtype", "continuous"}));
  EXPECT_EQ(Prompts().back(), "New value for CELTYPE <\"ByLayer\">");
  EXPECT_EQ(Vars().celtype, "Continuous");
  ASSERT_TRUE(script_.Run({"celtype", "Dashed"}));
  EXPECT_EQ(Vars().celtype, "Continuous");
  ASSERT_TRUE(script_.Run({"celtype", "BYBLOCK"}));
  EXPECT_EQ(Prompts().back(), "New value for CELTYPE <\"Continuous\">");
  EXPECT_EQ(Vars().celtype, "ByBlock");
  EXPECT_TRUE(Printed().empty());

  ASSERT_TRUE(script_.Run({"clayer", "walls"}));
  EXPECT_EQ(Prompts().back(), "New value for CLAYER <\"0\">");
  EXPECT_EQ(Vars().clayer, "Walls");
  ASSERT_TRUE(script_.Run({"clayer", ""}));
  ASSERT_TRUE(script_.Run({"clayer", "Doors"}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"Can't set CLAYER to that value."});
  EXPECT_EQ(Vars().clayer, "Walls");
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetCurrentLayer()->GetName(); }), "Walls");
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(VariableCommandTest, UcsIconSwitchesItsTwoBits) {
  struct Case {
    const char* answer;
    const char* prompt;
    int icon;
  };
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().ucsicon = 1; });
  const Case cases[] = {
      {"ORigin", "ON/OFF/Noorigin/ORigin<ON>", 3},
      {"OFF", "ON/OFF/Noorigin/ORigin<ON>", 2},
      {"n", "ON/OFF/Noorigin/ORigin<OFF>", 0},
      {"on", "ON/OFF/Noorigin/ORigin<OFF>", 1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(script_.Run({"UCSIcon", c.answer})) << c.answer;
    EXPECT_EQ(Prompts().back(), c.prompt) << c.answer;
    EXPECT_EQ(Vars().ucsicon, c.icon) << c.answer;
  }
  ASSERT_TRUE(script_.Run({"UCSIcon", ""}));
  EXPECT_EQ(UndoNames().size(), 4u);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Vars().ucsicon, 0);
}

TEST_F(VariableCommandTest, AngleBaseTurnsByTheTypedAngle) {
  ASSERT_TRUE(script_.Run({"angbase", "90"}));
  EXPECT_EQ(Prompts().back(), "New angbase<0.0000>");
  EXPECT_NEAR(Vars().angbase, std::numbers::pi / 2, 1e-12);
  ASSERT_TRUE(script_.Run({"angbase", "90"}));
  EXPECT_EQ(Prompts().back(), "New angbase<1.5708>");
  EXPECT_NEAR(Vars().angbase, std::numbers::pi, 1e-12);
  ASSERT_TRUE(script_.Run({"angbase", ""}));
  EXPECT_NEAR(Vars().angbase, std::numbers::pi, 1e-12);
  ASSERT_TRUE(script_.Run({"angbase", "270"}));
  EXPECT_NEAR(Vars().angbase, std::numbers::pi / 2, 1e-12);
  EXPECT_EQ(UndoNames().size(), 4u);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_NEAR(Vars().angbase, std::numbers::pi, 1e-12);

  // Clockwise angles: the answer is mirrored back.
  script_.OnWindowThread([this] {
    FcSystemVar& vars = script_.Drawing().GetSysVars();
    vars.angbase = 0.0;
    return vars.angdir = 1;
  });
  ASSERT_TRUE(script_.Run({"angbase", "90"}));
  EXPECT_NEAR(Vars().angbase, std::numbers::pi / 2, 1e-12);
}

// Every primitive of the display list: attributes that are switched off
// leave it only through a regeneration.
int DrawnPrimitives(ScriptedView& script) {
  return script.OnWindowThread([&script] {
    FcDisplaySurface* surface = script.Drawing().GetDisplaySurface();
    int count = 0;
    for (int i = 0; surface != nullptr && i < surface->GetGroupCount(); ++i) count += surface->GetGroup(i)->GetCount();
    return count;
  });
}

TEST_F(VariableCommandTest, AttributeDisplayChangesOnlyWhenTheModeDoes) {
  DrawDoorBlockContents(script_);
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "100,100", "", "", "", "B7"}));
  const std::size_t steps = UndoNames().size();
  const int shown = DrawnPrimitives(script_);

  ASSERT_EQ(Vars().attmode, 1);
  ASSERT_TRUE(script_.Run({"attdisp", "n"}));
  EXPECT_EQ(Prompts().back(), "Normal/ON/OFF");
  EXPECT_EQ(UndoNames().size(), steps);
  ASSERT_TRUE(script_.Run({"attdisp", "off"}));
  EXPECT_EQ(Vars().attmode, 0);
  EXPECT_LT(DrawnPrimitives(script_), shown);
  ASSERT_TRUE(script_.Run({"attdisp", "on"}));
  EXPECT_EQ(Vars().attmode, 2);
  EXPECT_EQ(DrawnPrimitives(script_), shown);
  EXPECT_EQ(UndoNames().size(), steps + 2);
  EXPECT_EQ(UndoNames().back(), "attdisp");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(LastPrinted(), "Undo : attdisp");
  EXPECT_EQ(Vars().attmode, 0);
}

TEST_F(VariableCommandTest, DrawOrderControlIsKeptAsText) {
  ASSERT_TRUE(script_.Run({"DrawOrderCtl", "4", "1"}));
  EXPECT_TRUE(AskedAgainAfter("Requires an integer between 0 and 3.", "Enter new value for DRAWORDERCTL<3>"));
  EXPECT_EQ(DictionaryText("DrawOrderCtl"), "1");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(DictionaryText("DrawOrderCtl"), "3");

  // A value that is no number reads as 3.
  script_.OnWindowThread([this] {
    FcResBuf text;
    text.type = kResTypeString;
    text.SetString("x2");
    return script_.Drawing().SetSysVar("DrawOrderCtl", text) == FcSysVarResult::kDone;
  });
  ASSERT_TRUE(script_.Run({"DrawOrderCtl", ""}));
  EXPECT_EQ(Prompts().back(), "Enter new value for DRAWORDERCTL<3>");
  EXPECT_EQ(DictionaryText("DrawOrderCtl"), "3");
}

TEST_F(VariableCommandTest, SetVarHandsNamesToTheirCommandsOrEditsThem) {
  ASSERT_TRUE(script_.Run({"SetVar", "ATTMODE", "off"}));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Input variable name or ? for list of variables", "Normal/ON/OFF"}));
  EXPECT_EQ(Vars().attmode, 0);
  ASSERT_TRUE(script_.Run({"SetVar", "clayer", "nosuch"}));
  EXPECT_EQ(LastPrinted(), "Can't set CLAYER to that value.");
  ASSERT_TRUE(script_.Run({"SetVar", "ltscale", "2.5"}));
  EXPECT_EQ(Prompts().back(), "New value for LTSCALE<1.0000>");
  EXPECT_EQ(Vars().ltscale, 2.5);
  ASSERT_TRUE(script_.Run({"SetVar", "dimscale"}));
  EXPECT_EQ(LastPrinted(), "Value of DIMSCALE is 1.0000.(Readonly)");
  ASSERT_TRUE(script_.Run({"SetVar", "nosuchvariable"}));
  EXPECT_EQ(LastPrinted(), "Unknown variable name.");
  ASSERT_TRUE(script_.Run({"SetVar", ""}));
  EXPECT_EQ(LastPrinted(), "Unknown variable name.");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"attdisp", "setvar"}));
}

TEST_F(VariableCommandTest, ListingPausesEveryTwentyFiveNames) {
  script_.Type("SetVar");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  script_.Type("?");
  for (const char* name : {"dimalttd", "dimldrblk", "dimtolj", "mirrtext", "useri2"}) {
    ASSERT_TRUE(script_.WaitForPromptOrIdle() && script_.IsWaitingForInput()) << name;
    EXPECT_EQ(Prompts().back(), "Press ENTER key to continue");
    EXPECT_EQ(LastPrinted().substr(0, LastPrinted().find('\t')), name);
    script_.Type("");
  }
  ASSERT_TRUE(script_.WaitUntilIdle());
  const std::vector<std::string> lines = Printed();
  // Every listed variable but DIMUNIT, which has no value.
  ASSERT_EQ(lines.size(), 134u);
  EXPECT_EQ(lines.front(), "angbase\t0.0000");
  EXPECT_EQ(lines.back(), "zoomfactor\t" + std::to_string(GetProgramSettings().zoom_factor));
  for (const char* line : {"attmode\t1", "limmax\t420.0000,297.0000", "draworderctl\t3", "celtype\tByLayer"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;

  script_.Printed().Clear();
  ASSERT_TRUE(script_.Run({"SetVar", "?", kEsc}));
  EXPECT_EQ(Printed().size(), 26u);
  EXPECT_EQ(LastPrinted().substr(0, 9), "dimalttd\t");
}

}  // namespace
