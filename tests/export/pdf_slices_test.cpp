#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "tests/support/export_test_support.h"

namespace {

// A large export draws its list in slices on several threads, each slice
// into a content stream of its own. Read in order, the streams must hold
// exactly the content that drawing in one piece writes: cut between groups
// while a path is still open, with empty slices, and with a hidden tail.

constexpr int kColumns = 12;
constexpr int kRows = 10;

// A grid of cells, each with a line, a circle and an arc in a colour of its
// own; a line leaves its path open for whatever comes next, the curves
// are written as curves.
void AddCells(FcGraph& graph) {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const double x = column * 10.0;
      const double y = row * 10.0;
      const auto color = static_cast<std::int16_t>(1 + (row * kColumns + column) % 9);
      auto* line = new FcLine;
      line->SetStartPoint({x + 1, y + 1});
      line->SetEndPoint({x + 9, y + 2});
      line->SetColor(color);
      graph.AddEntity(line, false);
      auto* circle = new FcCircle;
      circle->SetCenter({x + 4, y + 6});
      circle->SetRadius(1.5 + column * 0.1);
      circle->SetColor(color);
      graph.AddEntity(circle, false);
      auto* arc = new FcArc;
      arc->SetCenter({x + 7, y + 6});
      arc->SetRadius(2);
      arc->SetStartAngle(0.3 * row);
      arc->SetEndAngle(2.5 + 0.2 * column);
      graph.AddEntity(arc, false);
    }
  }
}

// The content streams of the file in order, inflated; the count of them
// through count.
std::string ContentOf(const std::string& file, int& count) {
  std::string content;
  count = 0;
  for (std::size_t at = file.find("stream\n"); at != std::string::npos; at = file.find("stream\n", at)) {
    const std::size_t end = file.find("\nendstream", at);
    if (end == std::string::npos) break;
    content += Inflate(file.substr(at + 7, end - at - 7));
    ++count;
    at = end + 10;
  }
  return content;
}

// The drawing exported through a display list of its own, one group per
// entity, the last hiddenTail groups hidden; a consumed list must be empty
// afterwards.
std::string ExportInSlices(FcGraph& graph, const std::string& path, int slices, int hiddenTail,
                           bool consume = false) {
  FcDisplaySurface surface(&graph);
  surface.SetDevice(std::make_unique<FcPDFExportDevice>());
  surface.SetDeviceSize(kColumns * 10'000, kRows * 10'000);
  FcViewTransform& view = *surface.GetView();
  view.x0 = 0;
  view.y0 = 0;
  view.x1 = kColumns * 10.0;
  view.y1 = kRows * 10.0;
  view.Update();
  surface.BeginDraw(1, nullptr);
  surface.RemoveAllGroups();
  const FcEntitySets& entities = *graph.GetCurrentEntitySet();
  for (int i = 0; i < entities.GetCount(); ++i) entities.GetAt(i)->Draw(&surface);
  surface.EndDraw();
  for (int i = entities.GetCount() - hiddenTail; i < entities.GetCount(); ++i) {
    surface.SetGroupVisible(entities.GetAt(i)->GetHandle(), false);
  }
  surface.Export(path, slices, consume);
  EXPECT_TRUE(surface.GetDevice()->Succeeded());
  EXPECT_EQ(surface.GetGroupCount() == 0, consume);
  return ReadWholeFile(path);
}

TEST(PdfSlicesTest, SlicesWriteTheContentOfOnePiece) {
  FcGraph graph;
  AddCells(graph);
  const int groups = graph.GetCurrentEntitySet()->GetCount();
  struct Case {
    const char* name;
    int slices;
    int hiddenTail;
  };
  const Case cases[] = {
      {"a few slices, cut while lines leave their paths open", 3, 0},
      {"many slices", 7, 0},
      {"more slices than groups, most of them empty", groups + 5, 0},
      // The last group drawn is a line, whose path the end of the file strokes.
      {"the last slices draw nothing after an open path", 4, groups - (3 * (groups / 9) + 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    int wholeStreams = 0;
    const std::string whole = ContentOf(ExportInSlices(graph, folder.File("whole.pdf"), 1, c.hiddenTail), wholeStreams);
    int slicedStreams = 0;
    const std::string sliced =
        ContentOf(ExportInSlices(graph, folder.File("sliced.pdf"), c.slices, c.hiddenTail), slicedStreams);
    EXPECT_EQ(wholeStreams, 1);
    EXPECT_GT(slicedStreams, 2);
    ASSERT_GT(whole.size(), 10'000u);
    EXPECT_EQ(whole.substr(0, 12), "0 w 1 J 1 j ");
    EXPECT_EQ(whole.substr(whole.size() - 4), c.hiddenTail > 0 ? " l S" : "c S ");
    EXPECT_EQ(sliced, whole);
    // Groups released as they are drawn, on the slices' threads.
    int consumedStreams = 0;
    EXPECT_EQ(ContentOf(ExportInSlices(graph, folder.File("consumed.pdf"), c.slices, c.hiddenTail, true),
                        consumedStreams),
              whole);
    EXPECT_EQ(consumedStreams, slicedStreams);
  }
}

}  // namespace
