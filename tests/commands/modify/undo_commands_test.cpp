#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "entities/line.h"

namespace {

using UndoCommandTest = CommandScriptTest;

TEST_F(UndoCommandTest, ANewDrawingHasNothingToUndoOrRedo) {
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"There isn't any undo data!", "There isn't any redo data!"}));
}

TEST_F(UndoCommandTest, StepsBackOneItemAtATimeAndRedoStartsAtTheFirst) {
  ASSERT_TRUE(script_.Run({"line", "0,0", "1,0", "2,0", ""}));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"Undo : Line", "Undo : Line", "There isn't any undo data!"}));
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());

  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(LastPrinted(), "Redo : Line");
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 1u);
  ExpectPointNear(lines[0]->GetStartPoint(), {0, 0}, 1e-9);
}

TEST_F(UndoCommandTest, ANewItemDiscardsWhatWasUndone) {
  ASSERT_TRUE(script_.Run({"line", "0,0", "1,0", "2,0", "3,0", ""}));
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_TRUE(script_.Run({"line", "5,5", "6,6", ""}));
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(LastPrinted(), "There isn't any redo data!");
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Line"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 2u);
}

}  // namespace
