#include <string>
#include <vector>

#include "tests/support/pickable_script.h"

namespace {

class ListCommandTest : public PickableScriptTest {
 protected:
  // A line along y = 10 and a circle around (100,100), drawn in that order.
  void SetUp() override {
    ASSERT_TRUE(script_.Run({"line", "10,10", "40,10", ""}));
    ASSERT_TRUE(script_.Run({"circle", "100,100", "5"}));
    script_.Printed().Clear();
  }
};

TEST_F(ListCommandTest, ListsEachEntityInSelectionOrderAfterABlankAndUnlightsThem) {
  // Picked circle first: the order of the selection, not of the drawing.
  ASSERT_TRUE(script_.Run({"list", "105,100", "25,10", ""}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "1 Object selected and added.",
                           "1 Object selected and added.",
                           "",
                           "  CIRCLE     Layer: 0",
                           "  Handle: 25",
                           "  Center point: X= 100.0000    Y= 100.0000",
                           "  Radius  5.0000",
                           "  Circumference  31.4159",
                           "  Area 78.5398",
                           "",
                           "  LINE     Layer: 0",
                           "  Handle: 24",
                           "  From point: X= 10.0000    Y= 10.0000",
                           "  To point: X= 40.0000    Y= 10.0000",
                           "  Length = 30.0000  ,  Angle = 0.0000",
                           "  Delta X = 30.0000  ,  Delta Y = 0.0000",
                       }));
  EXPECT_EQ(HighlightedGroups(script_), 0);
  EXPECT_EQ(UndoNames().size(), 2u);
}

TEST_F(ListCommandTest, EmptyOrCancelledSelectionListsNothing) {
  ASSERT_TRUE(script_.Run({"list", ""}));
  ASSERT_TRUE(script_.Run({"list", "25,10", kEsc}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"1 Object selected and added."});
  EXPECT_EQ(HighlightedGroups(script_), 0);
}

}  // namespace
