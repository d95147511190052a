#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/dwg_entity_prefetch.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/insert.h"
#include "entities/polyline.h"
#include "entities/text.h"
#include "files/dwg_file.h"
#include "filers/filer_dwg.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/drawing_file_support.h"

namespace {

using Bytes = std::vector<char>;

// Everything a read leaves that another read could get wrong: the result,
// the whole DXF file written from the drawing (handles, order, values and
// the handle seed), every layer's member list in its order, the handles the
// polylines' vertices took from the seed, and the records passed over.
struct ReadOutcome {
  FcDwgReadResult result = FcDwgReadResult::kError;
  std::string dxf;
  std::string members;
  std::string skipped;
};

ReadOutcome ReadWithThreads(std::unique_ptr<FcFile> file, int threads) {
  FcFilerDwg filer;
  filer.AttachFile(std::move(file), FcFileKind::kDwg);
  filer.SetDecodeThreads(threads);
  FcGraph graph;
  ReadOutcome outcome;
  outcome.result = ReadDwgFile(graph, filer);
  if (outcome.result != FcDwgReadResult::kDone) return outcome;
  outcome.dxf = AsciiDxfOf(graph);
  for (int i = 0; i < graph.GetLayerList().GetCount(); ++i) {
    const FcLayer* layer = graph.GetLayerList().GetAt(i);
    outcome.members += layer->GetName() + ":";
    const auto& handles = layer->GetEntityHandles();
    for (int j = 0; j < handles.count; ++j) outcome.members += " " + std::to_string(handles.items[j]);
    outcome.members += "\n";
  }
  for (FcEntity* entity : graph.GetCurrentBlock()->GetEntities()) {
    const auto* polyline = dynamic_cast<const FcPolyline*>(entity);
    if (polyline == nullptr) continue;
    for (const PolylineVertex& vertex : polyline->GetVertices()) outcome.members += std::to_string(vertex.handle) + " ";
  }
  for (const auto& [name, count] : graph.GetSkippedRecords()) outcome.skipped += name + "=" + std::to_string(count) + " ";
  return outcome;
}

void ExpectSameOutcome(const ReadOutcome& one, const ReadOutcome& several) {
  EXPECT_EQ(several.result, one.result);
  EXPECT_EQ(FirstDifference(several.dxf, one.dxf), "");
  // Whole lists of handles: a mismatch is told, not printed.
  EXPECT_TRUE(several.members == one.members) << "layer member lists or vertex handles differ";
  EXPECT_EQ(several.skipped, one.skipped);
}

// Model space holds cells of the kinds a large drawing is made of, on
// three layers, a block reference in every tenth cell, and gaps where
// entities were erased, so that the chain's links are not all the next
// handle.
void FillCells(FcGraph& graph, int cells) {
  FillTestDrawing(graph);
  const char* layers[] = {"0", "Walls", "Edges"};
  std::vector<FcEntity*> added;
  for (int i = 0; i < cells; ++i) {
    const double x = (i % 50) * 20.0;
    const double y = (i / 50) * 20.0;
    graph.SetCurrentLayer(layers[i % 3]);
    added.push_back(AddTestLine(graph, {x, y}, {x + 5, y + 1}));
    auto* circle = new FcCircle;
    circle->SetCenter({x + 8, y + 2});
    circle->SetRadius(1.5);
    graph.AddEntity(circle, false);
    auto* arc = new FcArc;
    arc->SetCenter({x + 12, y + 2});
    arc->SetRadius(1);
    arc->SetStartAngle(0.5);
    arc->SetEndAngle(2.5);
    graph.AddEntity(arc, false);
    auto* polyline = new FcPolyline;
    for (int v = 0; v < 5; ++v) polyline->AppendVertex({x + v, y + 6 + (v % 2)}, 0, 0, v == 2 ? 0.5 : 0);
    graph.AddEntity(polyline, false);
    auto* text = new FcText;
    text->SetInsertionPoint({x, y + 10});
    text->SetText("cell " + std::to_string(i));
    graph.AddEntity(text, false);
    if (i % 10 == 0) {
      auto* reference = new FcInsert;
      reference->SetBlockName("Door");
      reference->SetInsertionPoint({x + 15, y + 15});
      graph.AddEntity(reference, false);
    }
  }
  for (std::size_t i = 0; i < added.size(); i += 13) delete graph.RemoveEntity(added[i]);
  graph.SetCurrentLayer("0");
}

Bytes WriteToMemory(FcGraph& graph) {
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  filer.SetGraph(&graph);
  WriteDwgFile(filer, graph, nullptr);
  return filer.DetachFile()->TakeBytes();
}

TEST(DwgDecodeThreadsTest, SeveralThreadsReadALargeDrawingAsOneDoes) {
  FcGraph original;
  // More records than one thread's share, so that two threads decode.
  FillCells(original, 1000);
  const Bytes bytes = WriteToMemory(original);
  const ReadOutcome one = ReadWithThreads(std::make_unique<FcFile>(bytes), 1);
  ASSERT_EQ(one.result, FcDwgReadResult::kDone);
  ExpectSameOutcome(one, ReadWithThreads(std::make_unique<FcFile>(bytes), 4));
}

TEST(DwgDecodeThreadsTest, SeveralThreadsReadEveryCorpusFileAsOneDoes) {
  const std::string directory = CorpusDirectory();
  const std::vector<CorpusFile> files = CorpusFiles(directory, "dwg/");
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  for (const CorpusFile& file : files) {
    SCOPED_TRACE(file.name);
    ReadOutcome outcomes[2];
    for (int i = 0; i < 2; ++i) {
      auto disk = std::make_unique<FcFile>();
      ASSERT_TRUE(disk->Open(directory + "/" + file.name, kFcOpenRead));
      outcomes[i] = ReadWithThreads(std::move(disk), i == 0 ? 1 : 4);
    }
    ExpectSameOutcome(outcomes[0], outcomes[1]);
  }
}

TEST(DwgDecodeThreadsTest, SmallFilesAreReadOnOneThread) {
  EXPECT_EQ(ChooseDwgDecodeThreads(0), 1);
  EXPECT_EQ(ChooseDwgDecodeThreads(5000), 1);
  const int large = ChooseDwgDecodeThreads(600000);
  EXPECT_GE(large, 1);
  EXPECT_LE(large, 4);
}

}  // namespace
