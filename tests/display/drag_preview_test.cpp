#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/point2d.h"
#include "database/entity_sets.h"
#include "display/display_primitives.h"
#include "display/display_surface.h"
#include "display/drag_selects.h"
#include "tests/support/line_drawing.h"
#include "tests/support/surface_fixture.h"

namespace {

// The lines of the preview group, as "(x,y)-(x,y)" rounded to whole units.
std::vector<std::string> PreviewLines(FcDisplaySurface& surface) {
  std::vector<std::string> lines;
  FcDsGroupEnts& group = surface.GetPreviewGroup();
  const auto text = [](const FcPoint2d& p) {
    return "(" + std::to_string(std::lround(p.x)) + "," + std::to_string(std::lround(p.y)) + ")";
  };
  for (int i = 0; i < group.GetCount(); ++i) {
    if (const auto* line = dynamic_cast<const FcDsLine*>(group.GetPrimitive(i)))
      lines.push_back(text(line->first) + "-" + text(line->second));
  }
  return lines;
}

class DragSelectsTest : public LineDrawingTest {
 protected:
  DragSelectsTest() : view(&graph) {}

  FcDragSelects& SelectLines(std::initializer_list<std::pair<FcPoint2d, FcPoint2d>> lines) {
    FcEntitySets set(8);
    for (const auto& [start, end] : lines) set.Add(AddLine(start, end));
    band.SetEntities(set);
    return band;
  }

  SurfaceFixture view;
  FcDragSelects band;
};

TEST_F(DragSelectsTest, EachTransformPreviewsTheSelectionForTheCursor) {
  struct Case {
    const char* name;
    FcDragSelects::Transform transform;
    double reference;
    FcPoint2d cursor;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"move", FcDragSelects::kMove, 0, {15, 25}, {"(25,25)-(35,25)"}},
      {"rotate a quarter", FcDragSelects::kRotate, 0, {10, 30}, {"(10,20)-(10,30)"}},
      {"rotate with the cursor on the base", FcDragSelects::kRotate, 0, {10, 10}, {"(20,10)-(30,10)"}},
      {"rotate by a reference of a quarter", FcDragSelects::kRotateByReference, kHalfPi, {10, 30},
       {"(20,10)-(30,10)"}},
      {"scale by two", FcDragSelects::kScale, 0, {12, 10}, {"(30,10)-(50,10)"}},
      {"scale with the cursor on the base", FcDragSelects::kScale, 0, {10, 10}, {}},
      {"scale by a reference of four", FcDragSelects::kScaleByReference, 4, {18, 10}, {"(30,10)-(50,10)"}},
      {"scale by a reference of nothing", FcDragSelects::kScaleByReference, 0, {18, 10}, {}},
      {"mirror about the vertical", FcDragSelects::kMirror, 0, {10, 40}, {"(0,10)-(-10,10)"}},
  };
  SelectLines({{{20, 10}, {30, 10}}});
  band.basePoint = {10, 10};
  const int groups = view.surface.GetGroupCount();
  for (const Case& c : cases) {
    band.transform = c.transform;
    band.referenceAngle = c.reference;
    band.referenceLength = c.reference;
    view.device->calls.clear();
    view.surface.DragPreview(&band, c.cursor, 0);
    EXPECT_EQ(PreviewLines(view.surface), c.lines) << c.name;
    EXPECT_TRUE(view.device->calls.empty()) << c.name << ": the preview is painted by the overlay, not here";
  }
  EXPECT_EQ(view.surface.GetGroupCount(), groups) << "previews stay out of the display list";
  const auto* clone = dynamic_cast<const FcLine*>(band.GetClones().GetAt(0));
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetStartPoint(), (FcPoint2d{20, 10})) << "the stored clones never move";
}

TEST_F(DragSelectsTest, ReplacingTheSelectionDropsTheOldClonesAndKeepsTheDrawingsEntities) {
  SelectLines({{{0, 0}, {1, 0}}, {{0, 1}, {1, 1}}});
  SelectLines({{{5, 5}, {6, 5}}});
  ASSERT_EQ(band.GetClones().GetCount(), 1);
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 3) << "only clones are deleted";
  view.surface.DragPreview(&band, {0, 0}, 0);
  EXPECT_EQ(PreviewLines(view.surface), (std::vector<std::string>{"(5,5)-(6,5)"}));
}

// A big selection is previewed a slice at a time; each slice adds the next
// entities and a fresh first slice starts over.
TEST_F(DragSelectsTest, SlicesDrawTheSelectionInPartsAndAFirstSliceStartsOver) {
  FcEntitySets set(8);
  for (int i = 0; i < 5; ++i) set.Add(AddLine({0, double(i)}, {1, double(i)}));
  band.SetEntities(set);
  FcPreviewSlice slice;
  slice.limit = 2;
  std::vector<std::size_t> counts;
  std::vector<bool> unfinished;
  for (int turn = 0; turn < 3; ++turn) {
    view.surface.DragPreviewSlice(&band, {10, 0}, 0, slice);
    counts.push_back(PreviewLines(view.surface).size());
    unfinished.push_back(slice.unfinished);
  }
  EXPECT_EQ(counts, (std::vector<std::size_t>{2, 4, 5}));
  EXPECT_EQ(unfinished, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(PreviewLines(view.surface).back(), "(10,4)-(11,4)");

  FcPreviewSlice fresh;
  fresh.limit = 2;
  view.surface.DragPreviewSlice(&band, {20, 0}, 0, fresh);
  EXPECT_EQ(PreviewLines(view.surface), (std::vector<std::string>{"(20,0)-(21,0)", "(20,1)-(21,1)"}));
}

}  // namespace
