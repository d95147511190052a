#include <algorithm>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_linear.h"
#include "entities/insert.h"
#include "entities/solid.h"
#include "tests/support/dimension_blocks.h"
#include "tests/support/command_script.h"

namespace {

class DimStyleCommandTest : public CommandScriptTest {
 protected:
  const FcDimStyle* Style(const std::string& name) {
    return script_.OnWindowThread([this, &name] {
      return static_cast<const FcDimStyle*>(script_.Drawing().GetDimStyleList().Find(name));
    });
  }
  std::string CurrentStyleName() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetCurrentDimStyle()->GetName(); });
  }
  int StyleCount() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetDimStyleList().GetCount(); });
  }
};

TEST_F(DimStyleCommandTest, DimOnlyPointsToTheDimensionCommands) {
  ASSERT_TRUE(RunScript(script_, "dim", {}));
  EXPECT_EQ(LastPrinted(), "Don't support \"Dim\" command! Please use DimXXX instead, such as dimlinear, dimangle.");
  EXPECT_TRUE(UndoNames().empty());
}

// The step is there even when nothing changed, and taking it back changes
// nothing.
TEST_F(DimStyleCommandTest, ClosedAtOnceStillLeavesOneStep) {
  ASSERT_TRUE(RunScript(script_, "-DimStyle", {""}));
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"DimStyle"}));
  EXPECT_EQ(LastPrinted(), "Current Dimension Style : ISO-25");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(CurrentStyleName(), "ISO-25");
  EXPECT_EQ(StyleCount(), 1);
}

// A new style copies its base under the proposed name and takes the
// changed variables; made current, the next dimension uses it; one Undo
// takes the whole run back.
TEST_F(DimStyleCommandTest, NewModifyCurrentThenUndo) {
  ASSERT_TRUE(RunScript(script_, "-DimStyle", {"n", "", "", "dimasz", "5", "DIMTMOVE", "7", "", "n", "", "", "",
                                              "c", "copy iso-25", ""}));
  const FcDimStyle* copy = Style("Copy ISO-25");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetName(), "Copy ISO-25");
  EXPECT_EQ(copy->dimasz, 5.0);
  // Out of range: the base's value stays.
  EXPECT_EQ(copy->dimtmove, Style("ISO-25")->dimtmove);
  EXPECT_EQ(copy->dimtxt, Style("ISO-25")->dimtxt);
  EXPECT_NE(copy->GetHandle(), Style("ISO-25")->GetHandle());
  EXPECT_NE(Style("Copy (1) ISO-25"), nullptr);
  EXPECT_EQ(CurrentStyleName(), "Copy ISO-25");
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().dimasz; }), 5.0);

  ASSERT_TRUE(RunScript(script_, "DimLinear", {"0,0", "10,0", "5,5", ""}));
  EXPECT_EQ(EntitiesOf<FcDimRotate>().at(0)->GetDimStyle(), copy);

  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(StyleCount(), 1);
  EXPECT_EQ(CurrentStyleName(), "ISO-25");
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().dimasz; }), 2.5);
}

TEST_F(DimStyleCommandTest, RefusesExistingNamesAndUnknownVariables) {
  ASSERT_TRUE(RunScript(script_, "-DimStyle", {"n", "", " iso-25 ", "c", "Plans", "m", "", "dimfoo", "ltscale", "",
                                              "?", ""}));
  const std::vector<std::string> printed = Printed();
  auto said = [&printed](const std::string& line) {
    return std::find(printed.begin(), printed.end(), line) != printed.end();
  };
  EXPECT_TRUE(said("There already is the same dimension style in the database!"));
  EXPECT_TRUE(said("Dimension style Plans not found."));
  EXPECT_TRUE(said("DIMFOO is not a dimension variable."));
  EXPECT_TRUE(said("LTSCALE is not a dimension variable."));
  EXPECT_TRUE(said("  ISO-25"));
  EXPECT_EQ(StyleCount(), 1);
}

// An arrow named at DIMBLK is built into the drawing and bound to the
// current style, so that the next dimension draws it; "_None" draws no
// arrow; "." goes back to the built-in one; a name the drawing cannot give
// is refused and the arrow stays as it was.
TEST_F(DimStyleCommandTest, ArrowVariablesBindTheirBlocks) {
  script_.OnWindowThread([this] { return script_.Drawing().GetBlockList().AddNew()->SetName("Pointer"), 0; });
  struct Case {
    const char* answer;
    const char* stored;
    const char* insertName;  // of both arrows; empty for solids or none
    int solids;
    bool refused;
  };
  const Case cases[] = {
      {"_Dot", "_Dot", "_Dot", 0, false},
      {"No Such Arrow", "_Dot", "_Dot", 0, true},
      {"*Model_Space", "_Dot", "_Dot", 0, true},
      {"_none", "_None", "", 0, false},
      {".", "", "", 2, false},
      {"pointer", "Pointer", "Pointer", 0, false},
      {"_ARCHTICK", "_ArchTick", "_ArchTick", 0, false},
  };
  double x = 0.0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    ASSERT_TRUE(RunScript(script_, "-DimStyle", {"m", "", "dimblk", c.answer, "", ""}));
    if (c.refused) {
      const std::vector<std::string> printed = Printed();
      EXPECT_NE(std::find(printed.begin(), printed.end(),
                          std::string("Block ") + c.answer + " not found; DIMBLK is unchanged."),
                printed.end());
    }
    ASSERT_TRUE(RunScript(script_, "DimLinear",
                          {std::to_string(x) + ",0", std::to_string(x + 10) + ",0", std::to_string(x + 5) + ",5", ""}));
    x += 20;
    const std::string seen = script_.OnWindowThread([this] {
      const FcDimStyle& style = *script_.Drawing().GetCurrentDimStyle();
      const FcBlock* bound = script_.Drawing().GetBlockList().FindByHandle(style.dimblkHandle);
      std::string text = style.dimblk.str() + "|" + script_.Drawing().GetSysVars().dimblk.str() + "|" +
                         (bound != nullptr ? bound->GetName() : std::string()) + "|";
      const FcDimension* dimension = nullptr;
      for (const FcEntity* entity : *script_.Drawing().GetCurrentEntitySet())
        if (const auto* each = dynamic_cast<const FcDimension*>(entity)) dimension = each;
      if (dimension == nullptr) return text + "no dimension";
      for (const FcInsert* arrow : InDimBlock<FcInsert>(*dimension)) text += arrow->GetBlockName() + " ";
      return text + "|" + std::to_string(InDimBlock<FcSolid>(*dimension).size());
    });
    const std::string inserts = *c.insertName != '\0' ? std::string(c.insertName) + " " + c.insertName + " " : "";
    EXPECT_EQ(seen, std::string(c.stored) + "|" + c.stored + "|" + c.stored + "|" + inserts + "|" +
                        std::to_string(c.solids));
  }
  // The "_None" block is kept empty; each named arrow block is made once.
  const std::string blocks = script_.OnWindowThread([this] {
    const FcBlockList& list = script_.Drawing().GetBlockList();
    std::string text;
    for (const char* name : {"_None", "_Dot", "No Such Arrow"}) {
      const FcBlock* block = list.FindByName(name);
      text += block != nullptr ? std::to_string(block->GetEntities().GetCount()) + " " : "- ";
    }
    return text;
  });
  EXPECT_EQ(blocks, "0 2 - ");
}

}  // namespace
