#include "display/grip_point.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/layer.h"
#include "display/color_table.h"
#include "display/drag_grip_point.h"
#include "display/temporary_entity.h"
#include "entities/line.h"
#include "platform/program_settings.h"
#include "tests/support/line_drawing.h"
#include "tests/support/point_expect.h"
#include "tests/support/surface_fixture.h"

namespace {

FcLine MakeLine(FcPoint2d start, FcPoint2d end) {
  FcLine line;
  line.SetStartPoint(start);
  line.SetEndPoint(end);
  return line;
}

// A marker of the entity's grips filed in the surface's grip group, as the
// view makes one for each selected entity.
FcGripPoint& AddMarker(FcDisplaySurface& surface, FcEntity& entity) {
  FcPoint2dArray points;
  entity.GetGripPoints(points);
  auto marker = std::make_unique<FcGripPoint>();
  FcGripPoint& added = *marker;
  marker->SetPoints(&entity, points);
  surface.GetGripGroup().Add(std::move(marker));
  return added;
}

std::vector<int> Indices(const CIntArray& indices) { return {indices.data, indices.data + indices.count}; }

// One world unit per pixel, so the pick box's half-side is the grip size.
class GripPointTest : public testing::Test {
 protected:
  double GripSize() const { return GetProgramSettings().grip_size; }

  SurfaceFixture fixture;
  FcDisplaySurface& surface = fixture.surface;
  FcLine first = MakeLine({0, 0}, {100, 0});
  FcLine second = MakeLine({100, 0}, {100, 80});
};

TEST_F(GripPointTest, ASharedEndIsHotOnBothEntitiesEachWithItsOwnIndex) {
  FcGripPoint& firstMarker = AddMarker(surface, first);
  FcGripPoint& secondMarker = AddMarker(surface, second);
  FcDragGripPoint drag;

  ASSERT_TRUE(FindGripAt({101, 1}, surface, drag));

  ExpectPointEq(drag.basePoint, {100, 0});
  ASSERT_EQ(drag.GetItemCount(), 2);
  EXPECT_EQ(drag.GetItem(0).entity, &first);
  EXPECT_EQ(Indices(drag.GetItem(0).indices), std::vector<int>{2});
  EXPECT_EQ(drag.GetItem(1).entity, &second);
  EXPECT_EQ(Indices(drag.GetItem(1).indices), std::vector<int>{0});
  EXPECT_EQ(firstMarker.GetStates(), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(secondMarker.GetStates(), (std::vector<int>{1, 0, 0}));

  // A miss leaves the hot grips and the drag as they were.
  EXPECT_FALSE(FindGripAt({30, 40}, surface, drag));
  EXPECT_EQ(drag.GetItemCount(), 2);
  EXPECT_EQ(firstMarker.GetStates(), (std::vector<int>{0, 0, 1}));

  firstMarker.ResetGripStates();
  EXPECT_EQ(firstMarker.GetStates(), (std::vector<int>{0, 0, 0}));
}

TEST_F(GripPointTest, TheGripNearestThePickWinsAndTheBoxEdgeCounts) {
  const double s = GripSize();
  // A second entity whose start grip stands one grip size right of the
  // first line's end.
  FcLine beside = MakeLine({100 + s, 0}, {100 + s, 50});
  AddMarker(surface, first);
  AddMarker(surface, beside);
  struct Case {
    const char* name;
    FcPoint2d pick;
    bool found;
    FcPoint2d base;
  };
  const Case cases[] = {
      {"on the box edge", {100 - s, s}, true, {100, 0}},
      {"just outside the box", {100 - s - 0.5, 0}, false, {}},
      {"nearer the second grip", {100 + 0.75 * s, 0}, true, {100 + s, 0}},
      {"halfway: the first marker wins the tie", {100 + 0.5 * s, 0}, true, {100, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcDragGripPoint drag;
    ASSERT_EQ(FindGripAt(c.pick, surface, drag), c.found);
    if (!c.found) continue;
    ExpectPointEq(drag.basePoint, c.base);
    EXPECT_EQ(drag.GetItemCount(), 1);
  }
}

TEST_F(GripPointTest, DrawsOnlyGripsInsideTheViewInTheirStateColour) {
  FcLine partly = MakeLine({10, 20}, {590, 20});
  FcGripPoint& marker = AddMarker(surface, partly);
  FcDragGripPoint drag;
  ASSERT_TRUE(FindGripAt({10, 20}, surface, drag));
  fixture.device->logColors = true;

  marker.Draw(surface);

  // The end at x 590 lies outside the 400-unit-wide view.
  const ProgramSettings& settings = GetProgramSettings();
  EXPECT_EQ(fixture.device->calls,
            (std::vector<std::string>{"SetColor " + std::to_string(ColorIndexRgb(settings.grip_hot)), "DrawGrip 10 20",
                                      "SetColor " + std::to_string(ColorIndexRgb(settings.grip_color)),
                                      "DrawGrip 300 20"}));
  marker.DrawRotated(surface);
  EXPECT_EQ(fixture.device->CallsOf("DrawGrip").size(), 2u);
}

class TemporaryEntityTest : public LineDrawingTest {};

// The preview shows each clone moved from the entity as it is, not from
// where the last preview left it; the entity and the display list stay as
// they were.
TEST_F(TemporaryEntityTest, EachGripPreviewMovesTheHotGripsFromTheUnchangedEntity) {
  FcLine* line = AddLine({0, 0}, {100, 0});
  graph.Regen();
  FcDisplaySurface& surface = *graph.GetDisplaySurface();
  surface.SetDevice(std::make_unique<RecordingDevice>());
  const int groups = surface.GetGroupCount();
  AddMarker(surface, *line);
  FcDragGripPoint drag;
  ASSERT_TRUE(FindGripAt({100, 0}, surface, drag));

  surface.DragPreview(&drag, {100, 5}, 0);
  surface.DragPreview(&drag, {100, 7}, 0);

  ExpectPointEq(drag.offset, {0, 7});
  ExpectPointEq(line->GetEndPoint(), {100, 0});
  EXPECT_EQ(surface.GetGroupCount(), groups);
  EXPECT_EQ(surface.GetGroup(0)->GetCount(), 1);
  FcDsGroupEnts& preview = surface.GetPreviewGroup();
  ASSERT_EQ(preview.GetCount(), 1);
  const auto* moved = dynamic_cast<const FcDsLine*>(preview.GetPrimitive(0));
  ASSERT_NE(moved, nullptr);
  ExpectPointEq(moved->first, {0, 0});
  ExpectPointEq(moved->second, {100, 7});
}

// Outside a block reference an entity on layer "0" keeps that layer's
// colour, whatever block the last regen left as the context.
TEST_F(TemporaryEntityTest, DrawsWithoutTheBlockContextLayerAndPutsItBack) {
  FcDisplaySurface& surface = *graph.GetDisplaySurface();
  surface.SetDevice(std::make_unique<RecordingDevice>());
  FcLayer* red = graph.FindOrCreateLayer("Red");
  red->SetColor(1);
  surface.contextLayer = red;
  FcLine line = MakeLine({0, 0}, {10, 10});
  line.SetLayer(graph.FindOrCreateLayer("0"));

  DrawTemporaryEntity(graph, &line);

  EXPECT_EQ(surface.contextLayer, red);
  FcDsGroupEnts& preview = surface.GetTemporaryGroup();
  ASSERT_EQ(preview.GetCount(), 1);
  EXPECT_EQ(preview.GetPrimitive(0)->colorIndex, graph.FindOrCreateLayer("0")->GetColor());
}

}  // namespace
