#include <memory>
#include <set>
#include <string>
#include <vector>

#include "database/select_filter.h"
#include "display/display_surface.h"
#include "tests/support/line_drawing.h"
#include "tests/support/recording_device.h"

namespace {

// Refuses entities of colour 1.
class NotRedFilter : public FcSelectFilter {
 public:
  bool Accepts(const FcEntity* entity) const override { return entity->GetColor() != 1; }
  void CopyFrom(const FcSelectFilter&) override {}
};

// Lines A to E (the view shows 2 world units per pixel, so both pick boxes
// are 10 units across each way from the point):
//   A (10,10)-(40,10) and B (10,30)-(40,30) on layer 0,
//   C (10,50)-(40,50) on locked layer "L1", D (10,70)-(40,70) on locked "L2",
//   E (100,10)-(140,10) in colour 1.
class GraphSelectionTest : public LineDrawingTest {
 protected:
  GraphSelectionTest() {
    lines = {AddLine({10, 10}, {40, 10}), AddLine({10, 30}, {40, 30}), AddLine({10, 50}, {40, 50}, "L1"),
             AddLine({10, 70}, {40, 70}, "L2"), AddLine({100, 10}, {140, 10})};
    lines[4]->SetColor(1);
    graph.GetLayerList().FindByName("L1")->SetLocked(true);
    graph.GetLayerList().FindByName("L2")->SetLocked(true);
    graph.SetSelectFilter(&filter);
    // Selection sees what the last redraw drew.
    graph.GetDisplaySurface()->SetDevice(std::make_unique<RecordingDevice>());
    graph.Redraw();
    frame.Clear();
  }

  // The letters of the set's lines, in order.
  std::string Letters(const FcEntitySets* set) const {
    std::string letters;
    if (set == nullptr) return "null";
    for (const FcEntity* entity : *set) {
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (entity == lines[i]) letters += static_cast<char>('A' + i);
      }
    }
    return letters;
  }

  NotRedFilter filter;
  std::vector<FcLine*> lines;
};

TEST_F(GraphSelectionTest, WindowAndCrossingFilterLockedLayersAndTheSelectCondition) {
  struct Case {
    FcPoint2d corner1, corner2;
    bool crossing;
    const char* selected;
    std::vector<std::string> history;
  };
  const Case cases[] = {
      {{0, 0}, {50, 40}, false, "AB", {}},
      {{50, 20}, {0, 0}, false, "A", {}},
      {{0, 0}, {50, 60}, false, "AB", {"There is one object on locked layers."}},
      {{0, 0}, {50, 80}, false, "AB", {"There are 2 objects on locked layers."}},
      {{0, 0}, {150, 40}, false, "AB", {"1 Object(s) are filtered by select condition!"}},
      {{20, 0}, {30, 35}, true, "AB", {}},
      {{20, 0}, {30, 35}, false, "null", {}},
      {{20, 45}, {120, 75}, true, "", {"There are 2 objects on locked layers."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected);
    frame.Clear();
    const std::unique_ptr<FcEntitySets> set =
        c.crossing ? graph.SelectCrossing(c.corner1, c.corner2) : graph.SelectWindow(c.corner1, c.corner2);
    EXPECT_EQ(Letters(set.get()), c.selected);
    EXPECT_EQ(frame.HistoryLines(), c.history);
  }
}

TEST_F(GraphSelectionTest, PickingTakesTheFirstAcceptableEntityInListOrder) {
  FcLine* over = AddLine({10, 10}, {40, 10});
  lines.push_back(over);
  graph.Redraw();
  struct Case {
    FcPoint2d point;
    const char* picked;
  };
  const Case cases[] = {
      {{25, 12}, "A"},     // A and the later F overlap: the first group wins
      {{25, 48}, "null"},  // only the locked C
      {{25, 62}, "null"},  // between C and D, both locked
      {{120, 8}, "null"},  // E, which the select condition refuses
      {{25, 29}, "B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picked);
    EXPECT_EQ(Letters(graph.PickEntities(c.point).get()), c.picked);
  }
  graph.SetSelectFilter(nullptr);
  EXPECT_EQ(Letters(graph.PickEntities({120, 8}).get()), "E");
}

TEST_F(GraphSelectionTest, SnapPickAndDisplayedEntities) {
  FcHandle primitive = 0;
  int part = -1;
  EXPECT_EQ(graph.PickEntity({25, 11}, primitive, part), lines[0]);
  EXPECT_EQ(primitive, lines[0]->GetHandle());
  EXPECT_EQ(part, 0);
  EXPECT_EQ(graph.PickEntity({25, 51}, primitive, part), nullptr);
  EXPECT_EQ(Letters(graph.GetDisplayedEntities().get()), "ABCDE");
}

TEST_F(GraphSelectionTest, ErasingTakesEntitiesOutEverywhere) {
  for (const int extra : {0, 80}) {
    SCOPED_TRACE(extra);
    for (int i = 0; i < extra; ++i) lines.push_back(AddLine({60, 100.0 + i}, {70, 100.0 + i}));
    FcEntitySets doomed(8);
    std::vector<FcLine*> kept;
    std::vector<FcHandle> erased;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i % 2 == 0) {
        doomed.Add(lines[i]);
        erased.push_back(lines[i]->GetHandle());
      } else {
        kept.push_back(lines[i]);
      }
    }
    FcEntitySets& previous = graph.GetPreviousSelection();
    previous.RemoveAll(false);
    for (FcLine* line : lines) previous.Add(line);

    graph.EraseEntities(doomed);

    EXPECT_EQ(doomed.GetCount(), 0);
    const FcEntitySets& space = *graph.GetCurrentEntitySet();
    ASSERT_EQ(space.GetCount(), static_cast<int>(kept.size()));
    ASSERT_EQ(previous.GetCount(), static_cast<int>(kept.size()));
    for (std::size_t i = 0; i < kept.size(); ++i) {
      EXPECT_EQ(space.GetAt(static_cast<int>(i)), kept[i]);
      EXPECT_EQ(previous.GetAt(static_cast<int>(i)), kept[i]);
    }
    const CDataArray<FcHandle>& members = graph.GetLayerList().FindByName("0")->GetEntityHandles();
    const std::set<FcHandle> onLayerZero(members.items, members.items + members.count);
    for (const FcLine* line : kept) {
      EXPECT_EQ(onLayerZero.count(line->GetHandle()), line->GetLayer()->GetName() == "0" ? 1u : 0u);
    }
    for (const FcHandle handle : erased) EXPECT_EQ(onLayerZero.count(handle), 0u);
    // The erased entities' groups are empty: only the kept ones, less the
    // locked D, can still be selected.
    EXPECT_EQ(graph.SelectCrossing({0, 0}, {200, 300})->GetCount(), static_cast<int>(kept.size()) - 1);
    lines.assign(kept.begin(), kept.end());
  }
}

TEST_F(GraphSelectionTest, ErasingTheWholeSpaceEmptiesIt) {
  graph.EraseEntities(*graph.GetCurrentEntitySet());
  EXPECT_EQ(graph.GetCurrentEntitySet()->GetCount(), 0);
  EXPECT_EQ(graph.SelectWindow({0, 0}, {200, 200}), nullptr);
}

}  // namespace
