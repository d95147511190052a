#include <string>
#include <vector>

#include "display/display_group.h"
#include "display/display_group_lookup.h"
#include "display/drag_grip_point.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "tests/support/pending_band.h"
#include "tests/support/door_block.h"
#include "tests/support/pickable_script.h"

namespace {

// The scripted window shows (0,0)-(400,300), one unit a pixel. Line L runs
// from (50,50) to (150,50), S lies from (60,100) to (80,100), F far off
// from (300,200) to (350,200).
class StretchCommandTest : public PickableScriptTest {
 protected:
  StretchCommandTest() {
    EXPECT_TRUE(script_.Run({"line", "50,50", "150,50", ""}));
    EXPECT_TRUE(script_.Run({"line", "60,100", "80,100", ""}));
    EXPECT_TRUE(script_.Run({"line", "300,200", "350,200", ""}));
  }

  // Each line as "x,y-x,y", in the order drawn.
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const FcLine* line : EntitiesOf<FcLine>()) {
      const FcPoint2d& s = line->GetStartPoint();
      const FcPoint2d& e = line->GetEndPoint();
      lines.push_back(Text(s) + "-" + Text(e));
    }
    return lines;
  }

  static std::string Text(const FcPoint2d& p) {
    return std::to_string(static_cast<long>(p.x)) + "," + std::to_string(static_cast<long>(p.y));
  }

  int Highlighted() {
    return script_.OnWindowThread([this] {
      int count = 0;
      for (const FcEntity* entity : *script_.Drawing().GetCurrentEntitySet()) {
        FcDsGroupEnts* group = FindDisplayGroup(script_.Drawing().GetDisplaySurface(), entity->GetHandle());
        if (group != nullptr && group->highlighted) ++count;
      }
      return count;
    });
  }

  const std::vector<std::string> kDrawn{"50,50-150,50", "60,100-80,100", "300,200-350,200"};
};

TEST_F(StretchCommandTest, PointsInsideTheWindowMoveSoALineHalfInsideStretchesAndOneWhollyInsideMoves) {
  ASSERT_TRUE(script_.Run({"stretch", "100,120", "40,40", "", "0,0", "10,5"}));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"60,55-150,50", "70,105-90,105", "300,200-350,200"}));
  EXPECT_EQ(UndoNames().back(), "Stretch");
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  const std::vector<std::string> tail(prompts.end() - 5, prompts.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Input 1st corner", "Input other corner", "Input 1st corner",
                                            "Input base point", "Input second point"}));
  EXPECT_EQ(Highlighted(), 0);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Lines(), kDrawn);
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"60,55-150,50", "70,105-90,105", "300,200-350,200"}));
}

// The preview at the second point moves the same points of clones.
TEST_F(StretchCommandTest, TheSecondPointPreviewsTheStretchPointsInsideTheWindow) {
  std::vector<std::vector<int>> indices;
  FcPoint2d base;
  LookAtPendingBand<FcDragGripPoint>(script_, {"stretch", "100,120", "40,40", "", "5,5"},
                                     [&](const FcDragGripPoint* band) {
                                       ASSERT_NE(band, nullptr);
                                       base = band->basePoint;
                                       auto& drag = const_cast<FcDragGripPoint&>(*band);
                                       for (int i = 0; i < drag.GetItemCount(); ++i) {
                                         const GripEditItem& item = drag.GetItem(i);
                                         EXPECT_EQ(item.moveKind, 1);
                                         EXPECT_NE(item.clone.get(), nullptr);
                                         std::vector<int>& points = indices.emplace_back();
                                         for (int k = 0; k < item.indices.count; ++k) points.push_back(item.indices[k]);
                                       }
                                     });
  EXPECT_EQ(indices, (std::vector<std::vector<int>>{{0}, {0, 1}}));
  ExpectPointNear(base, {5, 5}, 1e-9);
  EXPECT_EQ(Lines(), kDrawn);
}

// The first window catches F whole and S; only the second window, round
// the end of L, decides what moves.
TEST_F(StretchCommandTest, OnlyTheLastWindowDecidesWhichPointsMove) {
  ASSERT_TRUE(script_.Run({"stretch", "360,210", "55,90", "160,60", "140,40", "", "0,0", "10,0"}));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"50,50-160,50", "60,100-80,100", "300,200-350,200"}));
}

// Every way out before the second point leaves the drawing as it was,
// with no undo step and nothing highlighted.
TEST_F(StretchCommandTest, ACancelOrAWindowWithoutPointsChangesNothing) {
  const struct {
    const char* name;
    std::vector<std::string> answers;
  } cases[] = {
      {"Esc at the first corner", {kEsc}},
      {"Esc at the other corner", {"100,120", kEsc}},
      {"Esc at the next window", {"100,120", "40,40", kEsc}},
      {"Enter before any window", {""}},
      {"a window across the middle of L only", {"90,40", "110,60", ""}},
      {"Esc at the base point", {"100,120", "40,40", "", kEsc}},
      {"Esc at the second point", {"100,120", "40,40", "", "0,0", kEsc}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(RunScript(script_, "stretch", c.answers));
    EXPECT_EQ(Lines(), kDrawn);
    EXPECT_EQ(UndoNames().back(), "Line");
    EXPECT_EQ(Highlighted(), 0);
  }
}

// Block DOOR: a line from (0,0) to (0,40) and the definition ROOM at
// (10,0), plain or aligned up to (30,0). The reference at (200,100) holds
// B7; a window round its insertion point moves the reference, and its
// attribute with it, whole.
TEST_F(StretchCommandTest, AReferenceWhoseInsertionPointIsInsideTakesItsAttributesAlong) {
  for (const bool aligned : {false, true}) {
    SCOPED_TRACE(aligned ? "aligned" : "plain");
    DrawDoorBlockContents(script_, aligned);
    const std::string name = aligned ? "ALIGNED" : "DOOR";
    ASSERT_TRUE(script_.Run({"-block", name, "0,0", "w", "-5,-5", "45,45", ""}));
    ASSERT_TRUE(script_.Run({"-insert", name, "200,100", "", "", "", "B7"}));
    ASSERT_TRUE(script_.Run({"stretch", "195,95", "205,105", "", "0,0", "50,20"}));
    const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
    const std::vector<const FcAttribute*> attributes = EntitiesOf<FcAttribute>();
    ASSERT_EQ(inserts.size(), 1u);
    ASSERT_EQ(attributes.size(), 1u);
    ExpectPointNear(inserts[0]->GetInsertionPoint(), {250, 120}, 1e-9);
    ExpectPointNear(attributes[0]->GetInsertionPoint(), {260, 120}, 1e-9);
    if (aligned) ExpectPointNear(attributes[0]->GetAlignmentPoint(), {280, 120}, 1e-9);
    EXPECT_NEAR(attributes[0]->GetRotation(), 0.0, 1e-12);
    EXPECT_EQ(Lines(), kDrawn);

    ASSERT_TRUE(script_.Run({"undo"}));
    ExpectPointNear(EntitiesOf<FcInsert>()[0]->GetInsertionPoint(), {200, 100}, 1e-9);
    ExpectPointNear(EntitiesOf<FcAttribute>()[0]->GetInsertionPoint(), {210, 100}, 1e-9);
    ASSERT_TRUE(script_.Run({"undo"}));
  }
}

}  // namespace
