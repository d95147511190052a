#include "display/display_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"
#include "display/drag_object.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "platform/recording_frame_link.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/surface_fixture.h"

namespace {

constexpr FcHandle kHighHandle = 0x8000000000000001ULL;

void AddLine(FcDisplaySurface& surface, FcHandle handle, double y = 10) {
  surface.AddPrimitive(std::make_unique<FcDsLine>(handle, 0, FcPoint2d{10, y}, FcPoint2d{20, y}));
}

std::vector<FcHandle> GroupOrder(FcDisplaySurface& surface) {
  std::vector<FcHandle> order;
  for (int i = 0; i < surface.GetGroupCount(); ++i) order.push_back(surface.GetGroup(i)->entityHandle);
  return order;
}

// The frame messages of a pass over a surface of `count` lines.
template <typename Pass>
std::vector<RecordingFrameLink::Call> FrameCallsOf(SurfaceFixture& f, int count, Pass pass) {
  RecordingFrameLink link;
  SetFrameLink(&link);
  for (int h = 1; h <= count; ++h) AddLine(f.surface, static_cast<FcHandle>(h));
  pass(f.surface);
  SetFrameLink(nullptr);
  return link.Calls();
}

TEST(DisplaySurfaceTest, GroupOrderFollowsTheDrawOrderMode) {
  FcSortEntsTable table;
  for (const FcHandle h : {1, 3, 5}) table.AddHandle(h);
  table.MoveEntityBefore(5, 1);
  struct Case {
    const char* name;
    int mode;
    const FcSortEntsTable* table;
    std::vector<FcHandle> expected;
  };
  const Case cases[] = {
      {"appended", 0, nullptr, {5, kHighHandle, 3, 1}},
      {"by handle, unsigned", 1, nullptr, {1, 3, 5, kHighHandle}},
      {"by draw-order table", 2, &table, {5, 1, 3, kHighHandle}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceFixture f;
    f.surface.BeginDraw(c.mode, c.table);
    for (const FcHandle h : {FcHandle{5}, kHighHandle, FcHandle{3}, FcHandle{1}}) AddLine(f.surface, h);
    f.surface.EndDraw();
    EXPECT_EQ(GroupOrder(f.surface), c.expected);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(f.surface.FindHandleIndex(c.expected[i]), static_cast<int>(i));
    }
  }
}

TEST(DisplaySurfaceTest, NewGroupGoesOnTopUntilResorted) {
  SurfaceFixture f;
  f.surface.BeginDraw(1, nullptr);
  AddLine(f.surface, 4);
  AddLine(f.surface, 9);
  f.surface.EndDraw();
  f.surface.BeginDraw(0, nullptr);
  AddLine(f.surface, 6);
  f.surface.EndDraw();
  EXPECT_EQ(GroupOrder(f.surface), (std::vector<FcHandle>{4, 9, 6}));
  f.surface.ResortGroups(nullptr);
  EXPECT_EQ(GroupOrder(f.surface), (std::vector<FcHandle>{4, 6, 9}));
  EXPECT_EQ(f.surface.FindHandleIndex(9), 2);
}

TEST(DisplaySurfaceTest, PrimitivesFileIntoTheirEntitysGroup) {
  SurfaceFixture f;
  f.surface.BeginDraw(0, nullptr);
  AddLine(f.surface, 1);
  AddLine(f.surface, 1);
  AddLine(f.surface, 2);
  // A block reference: its contents carry their own handles.
  f.surface.OpenGroup(10);
  f.surface.nestingDepth = 1;
  f.surface.insertCell = 4;
  AddLine(f.surface, 11);
  f.surface.nestingDepth = 0;
  f.surface.EndDraw();
  ASSERT_EQ(GroupOrder(f.surface), (std::vector<FcHandle>{1, 2, 10}));
  EXPECT_EQ(f.surface.GetGroup(0)->GetCount(), 2);
  const FcDsEntity& nested = *f.surface.GetGroup(2)->GetPrimitive(0);
  EXPECT_EQ(nested.entityHandle, 11u);
  EXPECT_EQ(nested.insertCell, 4);
}

TEST(DisplaySurfaceTest, RemovedDisplayKeepsItsPlaceUnlessDrawOrderCtlIsZero) {
  struct Case {
    const char* value;
    std::vector<FcHandle> expected;
  };
  const Case cases[] = {{"0", {2, 3, 1}}, {"3", {1, 2, 3}}, {"0x", {1, 2, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    FcGraph graph;
    FcResBuf value;
    value.SetString(c.value);
    graph.SetSysVar("DrawOrderCtl", value);
    SurfaceFixture f(&graph);
    for (const FcHandle h : {1, 2, 3}) AddLine(f.surface, h);
    f.surface.RemoveGroup(1);
    AddLine(f.surface, 1);
    EXPECT_EQ(GroupOrder(f.surface), c.expected);
  }
}

TEST(DisplaySurfaceTest, ManyRemovalsKeepOrderAndIndex) {
  FcGraph graph;
  FcResBuf value;
  value.SetString("0");
  graph.SetSysVar("DrawOrderCtl", value);
  SurfaceFixture f(&graph);
  constexpr FcHandle kCount = 5000;
  for (FcHandle h = 1; h <= kCount; ++h) AddLine(f.surface, h);
  for (FcHandle h = 1; h <= kCount; ++h) {
    if (h % 5 != 0) f.surface.RemoveGroup(h);
  }
  AddLine(f.surface, 7);
  ASSERT_EQ(f.surface.GetGroupCount(), static_cast<int>(kCount / 5 + 1));
  EXPECT_EQ(f.surface.GetGroup(0)->entityHandle, 5u);
  EXPECT_EQ(f.surface.GetGroup(static_cast<int>(kCount / 5))->entityHandle, 7u);
  EXPECT_EQ(f.surface.FindHandleIndex(kCount), static_cast<int>(kCount / 5 - 1));
  EXPECT_EQ(f.surface.FindHandleIndex(4), -1);
}

TEST(DisplaySurfaceTest, QueriesOverDrawnGroups) {
  SurfaceFixture f;
  AddLine(f.surface, 1, 10);
  AddLine(f.surface, 2, 100);
  AddLine(f.surface, 3, 1000);  // off screen
  f.surface.Redraw();
  EXPECT_EQ(f.surface.CollectOnScreen(), (std::vector<FcHandle>{1, 2}));
  EXPECT_EQ(f.surface.CollectInsideWindow({0, 0}, {50, 50}), (std::vector<FcHandle>{1}));
  EXPECT_EQ(f.surface.CollectCrossingWindow({15, 0}, {16, 200}), (std::vector<FcHandle>{1, 2}));
  FcPoint2d min;
  FcPoint2d max;
  ASSERT_TRUE(f.surface.GetExtents(min, max));
  EXPECT_DOUBLE_EQ(max.y, 1000);
  EXPECT_EQ(f.surface.HighlightGroup(true, 2), 1);
  EXPECT_LT(f.surface.HighlightGroup(true, 99), 0);
}

TEST(DisplaySurfaceTest, ExportReportsProgressAboveAThousandGroups) {
  for (const int count : {1000, 1001}) {
    SCOPED_TRACE(count);
    SurfaceFixture f;
    const std::vector<RecordingFrameLink::Call> calls =
        FrameCallsOf(f, count, [](FcDisplaySurface& surface) { surface.Export("out.svg"); });
    if (count == 1000) {
      EXPECT_TRUE(calls.empty());
    } else {
      ASSERT_FALSE(calls.empty());
      EXPECT_EQ(calls.front().text, "Exporting");
      EXPECT_EQ(calls.back().message, FrameMessage::kProgressEnd);
    }
    EXPECT_EQ(f.device->calls.front(), "BeginPaint out.svg 0");
    EXPECT_EQ(f.device->calls.back(), "EndPaint");
  }
}

// Each drawn group, highlighted ones too, counts towards the percentage.
TEST(DisplaySurfaceTest, RedrawReportsProgressOnlyAboveTheThreshold) {
  ProgramSettingsGuard guard;
  GetProgramSettings().redraw_progress_threshold = 5;
  for (const int count : {5, 6}) {
    SCOPED_TRACE(count);
    SurfaceFixture f;
    const std::vector<RecordingFrameLink::Call> calls = FrameCallsOf(f, count, [](FcDisplaySurface& surface) {
      surface.HighlightGroup(true, 2);
      surface.Redraw();
    });
    if (count == 5) {
      EXPECT_TRUE(calls.empty());
      continue;
    }
    ASSERT_EQ(calls.size(), static_cast<std::size_t>(count + 2));
    EXPECT_EQ(calls.front().message, FrameMessage::kProgressStart);
    EXPECT_EQ(calls.front().text, "Redrawing");
    EXPECT_EQ(calls[count].message, FrameMessage::kProgressPosition);
    EXPECT_EQ(calls[count].percent, 100);
    EXPECT_EQ(calls.back().message, FrameMessage::kProgressEnd);
  }
}

// A drag preview collects into its own group for the overlay: it neither
// paints nor touches the temporary entity's image.
TEST(DisplaySurfaceTest, DragPreviewLeavesTheDeviceAndTheTemporaryImageAlone) {
  SurfaceFixture f;
  f.surface.temporaryCollecting = true;
  AddLine(f.surface, 1);
  f.surface.temporaryCollecting = false;
  f.surface.Redraw();
  f.device->calls.clear();
  FcDragObject drag;
  drag.mode = 1;
  f.surface.DragPreview(&drag, {0, 0}, 0);
  EXPECT_TRUE(f.device->calls.empty());
  EXPECT_EQ(f.surface.GetTemporaryGroup().GetCount(), 1);
  EXPECT_TRUE(f.surface.GetPreviewGroup().IsEmpty());
}

}  // namespace
