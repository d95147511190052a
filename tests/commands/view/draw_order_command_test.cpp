#include <string>
#include <vector>

#include "database/block.h"
#include "database/sort_ents_table.h"
#include "entities/dim_linear.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "tests/support/pickable_script.h"

namespace {

class TextToFrontCommandTest : public PickableScriptTest {
 protected:
  // Adds the entities in turn; their handles ascend in that order.
  template <typename... Entities>
  std::vector<FcHandle> Add(Entities*... entities) {
    return script_.OnWindowThread([&] {
      std::vector<FcHandle> handles;
      for (FcEntity* entity : {static_cast<FcEntity*>(entities)...}) {
        script_.Drawing().AddEntity(entity, true);
        handles.push_back(entity->GetHandle());
      }
      return handles;
    });
  }

  // The current space's draw order, first drawn first; empty without a table.
  std::vector<FcHandle> DrawOrder() {
    return script_.OnWindowThread([this] {
      std::vector<FcHandle> order;
      const FcSortEntsTable* table = script_.Drawing().GetCurrentBlock()->GetSortEntsTable();
      if (table == nullptr) return order;
      for (int i = 0; i < table->GetEntryCount(); ++i) order.push_back(table->GetEntityHandle(i));
      return order;
    });
  }

  bool HasTable() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetCurrentBlock()->GetSortEntsTable() != nullptr; });
  }
};

TEST_F(TextToFrontCommandTest, NothingToBringStillRecordsTheUndoItem) {
  ASSERT_TRUE(script_.Run({"texttofront", ""}));
  EXPECT_EQ(LastPrinted(), "No objects found.");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"DrawOrder"});
  EXPECT_EQ(script_.Frame().Prompts().back(), "Bring to front [Text/Dimensions/Both] <Both>");
}

TEST_F(TextToFrontCommandTest, EnterBringsTextsAndDimensionsToTheFrontInEntityOrder) {
  const std::vector<FcHandle> h = Add(new FcText, new FcDimAligned, new FcLine, new FcMText, new FcLine);
  ASSERT_FALSE(HasTable());
  ASSERT_TRUE(script_.Run({"texttofront", ""}));
  EXPECT_EQ(LastPrinted(), "2 text object(s) and 1 dimension object(s) brought to front.");
  EXPECT_EQ(DrawOrder(), (std::vector<FcHandle>{h[2], h[4], h[0], h[1], h[3]}));

  // The first change made the table; undoing it takes the table away again.
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_FALSE(HasTable());
}

TEST_F(TextToFrontCommandTest, OneKindLeavesTheOtherInPlace) {
  const std::vector<FcHandle> h = Add(new FcDimAligned, new FcText, new FcLine);
  ASSERT_TRUE(script_.Run({"texttofront", "d"}));
  EXPECT_EQ(LastPrinted(), "0 text object(s) and 1 dimension object(s) brought to front.");
  EXPECT_EQ(DrawOrder(), (std::vector<FcHandle>{h[1], h[2], h[0]}));
  ASSERT_TRUE(script_.Run({"texttofront", "t"}));
  EXPECT_EQ(LastPrinted(), "1 text object(s) and 0 dimension object(s) brought to front.");
  EXPECT_EQ(DrawOrder(), (std::vector<FcHandle>{h[2], h[0], h[1]}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(DrawOrder(), (std::vector<FcHandle>{h[1], h[2], h[0]}));
}

// Four vertical lines at x = 10, 30, 50 and 70, picked by a point on each.
class DrawOrderCommandTest : public TextToFrontCommandTest {
 protected:
  DrawOrderCommandTest() {
    lines_ = Add(Vertical(10), Vertical(30), Vertical(50), Vertical(70));
  }

  static FcLine* Vertical(double x) {
    auto* line = new FcLine;
    line->SetStartPoint({x, 10});
    line->SetEndPoint({x, 50});
    return line;
  }

  std::vector<FcHandle> Order(std::initializer_list<int> lines) {
    std::vector<FcHandle> handles;
    for (int i : lines) handles.push_back(lines_[static_cast<std::size_t>(i)]);
    return handles;
  }

  std::vector<FcHandle> lines_;
};

TEST_F(DrawOrderCommandTest, EnterSendsTheSelectionToTheBack) {
  ASSERT_TRUE(script_.Run({"draworder", "50,30", "", ""}));
  EXPECT_EQ(DrawOrder(), Order({2, 0, 1, 3}));
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"DrawOrder"});
  EXPECT_EQ(script_.Frame().Prompts().back(),
            "Enter object ordering option [Above objects/Under objects/Front/Back] <Back>");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_FALSE(HasTable());
}

TEST_F(DrawOrderCommandTest, FrontPutsTheLastSelectedOnTop) {
  ASSERT_TRUE(script_.Run({"draworder", "10,30", "30,30", "", "f"}));
  EXPECT_EQ(DrawOrder(), Order({2, 3, 0, 1}));
}

TEST_F(DrawOrderCommandTest, AboveAndUnderMoveOnlyWhatIsOnTheWrongSideOfTheReference) {
  // The upper reference is line 2; line 3 lies above it already.
  ASSERT_TRUE(script_.Run({"draworder", "10,30", "70,30", "", "a", "30,30", "50,30", ""}));
  EXPECT_EQ(DrawOrder(), Order({1, 2, 0, 3}));
  EXPECT_EQ(script_.Frame().Prompts().back(), "Select reference objects");
  // The lower reference is now line 1; line 2 lies above it and moves
  // under it, line 1 itself stays.
  ASSERT_TRUE(script_.Run({"draworder", "50,30", "", "u", "30,30", "70,30", ""}));
  EXPECT_EQ(DrawOrder(), Order({2, 1, 0, 3}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(DrawOrder(), Order({1, 2, 0, 3}));
}

TEST_F(DrawOrderCommandTest, AnEmptyOrCancelledSelectionChangesNothing) {
  ASSERT_TRUE(script_.Run({"draworder", ""}));
  ASSERT_TRUE(script_.Run({"draworder", "10,30", "", "a", ""}));
  ASSERT_TRUE(script_.Run({"draworder", "10,30", "", kEsc}));
  EXPECT_FALSE(HasTable());
  EXPECT_TRUE(UndoNames().empty());
}

}  // namespace
