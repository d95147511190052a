#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/sort_ents_table.h"
#include "display/display_surface.h"
#include "display/graph_display.h"
#include "display/regen_pass.h"
#include "display/view_transform.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/dim_linear.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "tests/support/drawing_file_support.h"
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
// entity, the last hiddenTail groups hidden, the slices drawn on the given
// number of threads; a consumed list must be empty afterwards.
std::string ExportInSlices(FcGraph& graph, const std::string& path, int slices, int hiddenTail,
                           bool consume = false, int threads = 0) {
  FcDisplaySurface surface(&graph);
  surface.exportThreads = threads;
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
    // The file is the same whichever thread draws which slice.
    const std::string oneThread = ReadWholeFile(folder.File("sliced.pdf"));
    for (const int threads : {1, 2, 16}) {
      EXPECT_EQ(ExportInSlices(graph, folder.File("threads.pdf"), c.slices, c.hiddenTail, true, threads), oneThread)
          << threads << " threads";
    }
  }
}

// A large export regenerates and draws its list part by part. The cells
// again, with references to a block (some of them through a block that
// nests it) among them, whose nested entities join the reference's group.
void AddCellsWithReferences(FcGraph& graph) {
  FcBlock* modelSpace = graph.GetCurrentBlock();
  const auto define = [&graph](const char* name, const std::function<void()>& fill) {
    FcBlock* block = graph.GetBlockList().AddNew();
    block->SetName(name);
    graph.SetCurrentBlock(block);
    graph.SetCurrentEntitySet(&block->GetEntities());
    fill();
  };
  define("Mark", [&graph] {
    AddTestLine(graph, {-2, 0}, {2, 0})->SetColor(3);
    auto* circle = new FcCircle;
    circle->SetRadius(1.5);
    graph.AddEntity(circle, false);
  });
  define("Outer", [&graph] {
    AddTestLine(graph, {0, -2}, {0, 2});
    auto* mark = new FcInsert;
    mark->SetBlockName("Mark");
    graph.AddEntity(mark, false);
  });
  graph.SetCurrentBlock(modelSpace);
  graph.SetCurrentEntitySet(&modelSpace->GetEntities());
  AddCells(graph);
  for (int i = 0; i < kRows * kColumns; i += 3) {
    auto* reference = new FcInsert;
    reference->SetBlockName(i % 2 == 0 ? "Mark" : "Outer");
    reference->SetInsertionPoint({(i % kColumns) * 10.0 + 8, (i / kColumns) * 10.0 + 3});
    reference->SetColor(static_cast<std::int16_t>(1 + i % 5));
    graph.AddEntity(reference, false);
  }
}

// A surface made as an export of the whole grid makes it, with its
// regeneration and its slices on the given numbers of threads.
std::unique_ptr<FcDisplaySurface> GridExportSurface(FcGraph& graph, int threads, int exportThreads = 0) {
  auto surface = std::make_unique<FcDisplaySurface>(&graph);
  surface->SetDevice(std::make_unique<FcPDFExportDevice>());
  surface->SetDeviceSize(kColumns * 10'000, kRows * 10'000);
  FcViewTransform& view = *surface->GetView();
  view.x0 = 0;
  view.y0 = 0;
  view.x1 = kColumns * 10.0;
  view.y1 = kRows * 10.0;
  surface->FitWindowToDevice();
  surface->regenThreads = threads;
  surface->exportThreads = exportThreads;
  return surface;
}

TEST(PdfSlicesTest, PartByPartWritesTheContentOfTheWholeList) {
  FcGraph graph;
  AddCellsWithReferences(graph);
  const int entities = graph.GetCurrentEntitySet()->GetCount();
  ScratchFolder folder;
  const std::string wholePath = folder.File("whole.pdf");
  ASSERT_TRUE(graph.ExportWindow({0, 0}, {kColumns * 10.0, kRows * 10.0}, std::make_unique<FcPDFExportDevice>(),
                                 kColumns * 10'000, kRows * 10'000, wholePath));
  int streams = 0;
  const std::string whole = ContentOf(ReadWholeFile(wholePath), streams);
  ASSERT_GT(whole.size(), 10'000u);
  struct Case {
    int partEntities;
    int threads;
  };
  // Parts of one entity, parts that cut between a reference and the cells
  // around it, parts regenerated on several threads.
  const Case cases[] = {{1, 1}, {7, 1}, {50, 3}, {entities - 1, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.partEntities) + " entities a part on " + std::to_string(c.threads) + " threads");
    const std::string path = folder.File("parts.pdf");
    std::unique_ptr<FcDisplaySurface> surface = GridExportSurface(graph, c.threads);
    ASSERT_TRUE(ExportCurrentSpaceInParts(graph, *surface, path, c.partEntities));
    EXPECT_TRUE(surface->GetDevice()->Succeeded());
    EXPECT_EQ(surface->GetGroupCount(), 0);
    EXPECT_EQ(ContentOf(ReadWholeFile(path), streams), whole);
  }
}

// Parts large enough to be cut into several slices of their own: the file,
// byte for byte, is the one drawn and compressed on a single thread, however
// many threads regenerate the parts and draw their slices.
TEST(PdfSlicesTest, TheFileDoesNotDependOnTheThreads) {
  FcGraph graph;
  for (int i = 0; i < 20'000; ++i) {
    const double x = (i % 200) * 0.6;
    const double y = (i / 200) * 1.0;
    AddTestLine(graph, {x, y}, {x + 0.5, y + 0.3})->SetColor(static_cast<std::int16_t>(1 + i / 3000));
  }
  ScratchFolder folder;
  const auto exportOn = [&](int regenThreads, int exportThreads) {
    const std::string path = folder.File("threads.pdf");
    std::unique_ptr<FcDisplaySurface> surface = GridExportSurface(graph, regenThreads, exportThreads);
    EXPECT_TRUE(ExportCurrentSpaceInParts(graph, *surface, path, 12'000));
    return ReadWholeFile(path);
  };
  const std::string oneThread = exportOn(1, 1);
  int streams = 0;
  ContentOf(oneThread, streams);
  EXPECT_GT(streams, 3);
  for (const auto& [regenThreads, exportThreads] : {std::pair{4, 1}, std::pair{1, 4}, std::pair{3, 16}}) {
    EXPECT_TRUE(exportOn(regenThreads, exportThreads) == oneThread)
        << regenThreads << " regen threads, " << exportThreads << " export threads";
  }
}

// The next part is regenerated while another thread draws the part before
// it: a regeneration that fails must wait for that thread before its error
// leaves the export, or the program ends.
TEST(PdfSlicesTest, APartThatFailsToRegenerateEndsTheExportWithItsError) {
  FcGraph graph;
  AddCells(graph);
  ScratchFolder folder;
  std::unique_ptr<FcDisplaySurface> surface = GridExportSurface(graph, 2);
  int parts = 0;
  const auto drawPart = [&](FcDisplaySurface& into) {
    if (++parts == 2) throw std::runtime_error("the part failed");
    into.BeginDraw(1, nullptr);
    DrawEntitiesIntoPass(into, *graph.GetCurrentEntitySet(), [](const FcEntity&) { return true; }, nullptr);
    into.EndDraw();
    return true;
  };
  EXPECT_THROW(surface->ExportInParts(folder.File("parts.pdf"), drawPart), std::runtime_error);
  EXPECT_EQ(parts, 2);
}

TEST(PdfSlicesTest, ListsThatCannotBeCutAreLeftWhole) {
  using Spoil = std::function<void(FcGraph&)>;
  struct Case {
    const char* name;
    Spoil spoil;
    int partEntities;
  };
  const Case cases[] = {
      {"no more entities than a part", [](FcGraph&) {}, kRows * kColumns * 4},
      {"a draw-order table",
       [](FcGraph& graph) {
         graph.AddToDrawOrder(graph.GetCurrentEntitySet()->GetAt(5)->GetHandle(), true);
       },
       50},
      {"an entity out of handle order",
       [](FcGraph& graph) {
         FcEntitySets& entities = *graph.GetCurrentEntitySet();
         entities.Add(entities.RemoveAt(0));
       },
       50},
      {"a dimension, which draws more than its own group",
       [](FcGraph& graph) {
         auto* dimension = new FcDimAligned;
         dimension->SetDefPoint13({1, 1});
         dimension->SetDefPoint14({7, 1});
         dimension->SetDefPoint10({1, 3});
         graph.AddEntity(dimension, false);
       },
       50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    AddCellsWithReferences(graph);
    c.spoil(graph);
    ScratchFolder folder;
    std::unique_ptr<FcDisplaySurface> surface = GridExportSurface(graph, 1);
    EXPECT_FALSE(ExportCurrentSpaceInParts(graph, *surface, folder.File("parts.pdf"), c.partEntities));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  }
}

}  // namespace
