#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/graph_view_link.h"
#include "database/viewport.h"
#include "database/sort_ents_table.h"
#include "display/display_surface.h"
#include "export/export_device.h"
#include "export/svg_export.h"
#include "tests/support/export_test_support.h"
#include "tests/support/line_drawing.h"

namespace {

std::vector<FcViewRequest>& ViewRequests() {
  static std::vector<FcViewRequest> requests;
  return requests;
}

void RecordViewRequest(FcGraph&, FcViewRequest request) { ViewRequests().push_back(request); }

class GraphDisplayTest : public LineDrawingTest {
 protected:
  GraphDisplayTest() {
    ViewRequests().clear();
    SetViewRequestLink(RecordViewRequest);
  }
  ~GraphDisplayTest() override { SetViewRequestLink(nullptr); }

  FcDisplaySurface& Surface() { return *graph.GetDisplaySurface(); }

  std::vector<FcHandle> GroupHandles() {
    std::vector<FcHandle> handles;
    for (int i = 0; i < Surface().GetGroupCount(); ++i) handles.push_back(Surface().GetGroup(i)->entityHandle);
    return handles;
  }
};

TEST_F(GraphDisplayTest, RegenFillsOneGroupPerEntityInDrawOrder) {
  const FcLine* first = AddLine({0, 0}, {10, 0});
  const FcLine* second = AddLine({0, 5}, {10, 5});
  const FcLine* third = AddLine({0, 9}, {10, 9});
  graph.AddToDrawOrder(first->GetHandle(), true);
  FcSortEntsTable& order = *graph.GetCurrentBlock()->GetSortEntsTable();
  order.AddHandle(second->GetHandle());
  order.AddHandle(third->GetHandle());
  order.MoveEntityBefore(third->GetHandle(), 0);
  frame.Clear();

  graph.Regen();

  EXPECT_EQ(GroupHandles(), (std::vector<FcHandle>{third->GetHandle(), first->GetHandle(), second->GetHandle()}));
  for (int i = 0; i < Surface().GetGroupCount(); ++i) EXPECT_EQ(Surface().GetGroup(i)->GetCount(), 1);
  const std::vector<RecordingFrameLink::Call> calls = frame.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front().message, FrameMessage::kProgressStart);
  EXPECT_EQ(calls.front().text, "Regenerating...");
  EXPECT_EQ(calls.back().message, FrameMessage::kProgressEnd);
  EXPECT_EQ(ViewRequests(), std::vector<FcViewRequest>{FcViewRequest::kRedrawNow});
}

TEST_F(GraphDisplayTest, RegenPostsAtMostSeventyFivePercentages) {
  for (int i = 0; i < 300; ++i) AddLine({0, double(i)}, {10, double(i)});
  frame.Clear();
  graph.Regen();
  int reports = 0;
  int last = -1;
  for (const RecordingFrameLink::Call& call : frame.Calls()) {
    if (call.message != FrameMessage::kProgressPosition) continue;
    EXPECT_TRUE(call.posted);
    EXPECT_GT(call.percent, last);
    last = call.percent;
    ++reports;
  }
  EXPECT_GT(reports, 0);
  EXPECT_LE(reports, 75);
}

TEST_F(GraphDisplayTest, LayerStateDecidesWhatRegenShows) {
  const FcLine* shown = AddLine({0, 0}, {10, 0});
  const FcLine* off = AddLine({0, 5}, {10, 5}, "Off");
  AddLine({0, 9}, {10, 9}, "Frozen");
  FcLine* invisible = AddLine({0, 12}, {10, 12});
  invisible->SetInvisible(1);
  graph.GetLayerList().FindByName("Off")->SetOn(false);
  graph.GetLayerList().FindByName("Frozen")->SetFrozen(true);

  graph.Regen();

  EXPECT_EQ(GroupHandles(), (std::vector<FcHandle>{shown->GetHandle(), off->GetHandle()}));
  EXPECT_TRUE(Surface().GetGroup(0)->visible);
  EXPECT_FALSE(Surface().GetGroup(1)->visible);

  graph.GetLayerList().FindByName("Off")->SetOn(true);
  ViewRequests().clear();
  graph.UpdateLayerDisplay();
  EXPECT_TRUE(Surface().GetGroup(1)->visible);
  EXPECT_EQ(ViewRequests(), std::vector<FcViewRequest>{FcViewRequest::kRepaint});
}

TEST_F(GraphDisplayTest, RedrawingAnEntityKeepsItsPlace) {
  const FcLine* first = AddLine({0, 0}, {10, 0});
  const FcLine* second = AddLine({0, 5}, {10, 5});
  EXPECT_EQ(GroupHandles(), (std::vector<FcHandle>{first->GetHandle(), second->GetHandle()}));

  graph.RedrawEntity(graph.GetCurrentEntitySet()->GetAt(0));
  EXPECT_EQ(GroupHandles(), (std::vector<FcHandle>{first->GetHandle(), second->GetHandle()}));
  EXPECT_EQ(Surface().GetGroup(0)->GetCount(), 1);
}

TEST_F(GraphDisplayTest, HighlightingMarksTheEntitiesGroups) {
  FcLine* first = AddLine({0, 0}, {10, 0});
  AddLine({0, 5}, {10, 5});
  FcEntitySets chosen(8);
  chosen.Add(first);

  graph.HighlightEntities(true, &chosen);
  EXPECT_TRUE(Surface().GetGroup(0)->highlighted);
  EXPECT_FALSE(Surface().GetGroup(1)->highlighted);
  graph.HighlightEntities(false, &chosen);
  EXPECT_FALSE(Surface().GetGroup(0)->highlighted);
  graph.HighlightEntities(true, nullptr);
}

TEST_F(GraphDisplayTest, RedrawRegeneratesOnlyAfterAFarZoom) {
  AddLine({0, 0}, {10, 0});
  graph.Regen();
  ViewRequests().clear();
  graph.Redraw();
  EXPECT_EQ(ViewRequests(), std::vector<FcViewRequest>{FcViewRequest::kRepaint});

  Surface().ZoomScale(1.0 / 300.0);
  ViewRequests().clear();
  graph.Redraw();
  EXPECT_EQ(ViewRequests(), std::vector<FcViewRequest>{FcViewRequest::kRedrawNow});
  EXPECT_FALSE(Surface().NeedsRegen());
}

TEST_F(GraphDisplayTest, PrintingAWindowWithoutExtentFails) {
  EXPECT_FALSE(graph.PrintWindow(nullptr, 100, 100, 0, 0, 0, 0, {5, 0}, {5, 10}, 1.0, 300));
  EXPECT_FALSE(graph.PrintWindow(nullptr, 100, 100, 0, 0, 0, 0, {0, 5}, {10, 5}, 1.0, 300));
  EXPECT_TRUE(frame.HistoryLines().empty());
}

TEST_F(GraphDisplayTest, TheViewportSetsAndReadsTheSurfacesWindow) {
  FcViewport record;
  record.viewCentre = {50, 50};
  record.viewHeight = 100;
  record.aspectRatio = 1;
  record.ApplyToGraph(graph);

  // Widened to the 90 x 120 pixels of the drawing's surface.
  FcViewport captured;
  captured.CaptureFromGraph(graph);
  EXPECT_DOUBLE_EQ(captured.viewCentre.x, 50);
  EXPECT_DOUBLE_EQ(captured.viewCentre.y, 50);
  EXPECT_DOUBLE_EQ(captured.viewHeight, 100.0 / 90 * 120);
  EXPECT_DOUBLE_EQ(captured.aspectRatio, 0.75);
}

}  // namespace

// An export whose file cannot be written reports the failure; one that can
// be written reports success.
TEST_F(GraphDisplayTest, ExportWindowReportsWhetherTheFileWasWritten) {
  AddLine({0, 0}, {10, 10});
  const std::string folder = ::testing::TempDir();
  EXPECT_TRUE(graph.ExportWindow({0, 0}, {10, 10}, std::make_unique<FcEpsExportDevice>(), 200, 200,
                                 folder + "/export_ok.eps"));
  EXPECT_FALSE(graph.ExportWindow({0, 0}, {10, 10}, std::make_unique<FcEpsExportDevice>(), 200, 200,
                                  folder + "/no/such/folder/export.eps"));
}

// A drawing of more entities than an export regenerates at a time goes to
// every device part by part; the file is the one the whole list, regenerated
// first and exported at once, makes: no entity lost, doubled or out of order
// where one part ends and the next begins, and a device that keeps an open
// path, a colour or a compressed stream across groups keeps it across parts.
TEST_F(GraphDisplayTest, LargeExportWritesWhatTheWholeListWrites) {
  constexpr int kLines = 70000;
  for (int i = 0; i < kLines; ++i) {
    const double y = (i % 1000) * 0.1;
    AddLine({i / 1000 * 1.0, y}, {i / 1000 * 1.0 + 0.5, y + 0.05})->SetColor(static_cast<std::int16_t>(1 + i / 9000));
  }
  struct Case {
    const char* extension;
    std::function<std::unique_ptr<FcDisplayDevice>()> make;
  };
  const Case cases[] = {
      {"svg", [] { return std::make_unique<FcSVGExportDevice>(); }},
      {"svgz",
       [] {
         auto device = std::make_unique<FcSVGExportDevice>();
         device->compressed = true;
         return device;
       }},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    const std::string inParts = folder.File(std::string("parts.") + c.extension);
    ASSERT_TRUE(graph.ExportWindow({0, 0}, {100, 100}, c.make(), 1000, 1000, inParts));

    const std::string whole = folder.File(std::string("whole.") + c.extension);
    FcDisplaySurface surface(&graph);
    surface.SetDevice(c.make());
    surface.SetDeviceSize(1000, 1000);
    surface.ZoomWindow({0, 0}, {100, 100});
    graph.RegenToSurface(surface);
    ASSERT_EQ(surface.GetGroupCount(), kLines);
    surface.Export(whole, 1, true);

    const std::string written = ReadWholeFile(inParts);
    EXPECT_GT(written.size(), 10'000u);
    EXPECT_TRUE(written == ReadWholeFile(whole));
  }
}
