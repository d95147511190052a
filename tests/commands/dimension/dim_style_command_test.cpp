#include <algorithm>
#include <string>
#include <vector>

#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_linear.h"
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
  ASSERT_TRUE(RunScript(script_, "DimStyle", {""}));
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
  ASSERT_TRUE(RunScript(script_, "DimStyle", {"n", "", "", "dimasz", "5", "DIMTMOVE", "7", "", "n", "", "", "",
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
  ASSERT_TRUE(RunScript(script_, "DimStyle", {"n", "", " iso-25 ", "c", "Plans", "m", "", "dimfoo", "ltscale", "",
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

}  // namespace
