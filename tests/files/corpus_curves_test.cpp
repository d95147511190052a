#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/curve_sink.h"
#include "tests/support/run_command.h"

namespace {

const char* const kCountedKinds[] = {"ELLIPSE", "SPLINE", "TEXT", "MTEXT", "DIMENSION"};

// Ellipses, splines, texts, multiline texts and dimensions of every block, or of
// model and paper space only.
std::string OwnCounts(const FcGraph& graph, bool spacesOnly) {
  std::map<std::string, int> counts;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    if (spacesOnly && blocks.GetAt(i)->GetKind() == kBlockKindOther) continue;
    for (const FcEntity* entity : blocks.GetAt(i)->GetEntities()) ++counts[entity->GetRecordName()];
  }
  std::string text;
  for (const char* kind : kCountedKinds) text += std::string(text.empty() ? "" : " ") + kind + ":" + std::to_string(counts[kind]);
  return text;
}

// Each ellipse and spline draws one curve of finite points.
void ExpectEveryCurveDrawn(FcGraph& graph) {
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    for (FcEntity* entity : blocks.GetAt(i)->GetEntities()) {
      if (entity->GetKind() != kEntityEllipse && entity->GetKind() != kEntitySpline) continue;
      CurveSink sink(&graph, 0.01);
      entity->Draw(&sink);
      ASSERT_EQ(sink.curves.size(), 1u) << entity->GetRecordName() << " " << entity->GetHandle();
      EXPECT_GT(sink.curves[0].points.size(), 2u);
      for (const FcPoint2d& p : sink.curves[0].points) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
  }
}

// Each dimension comes with the block the file gave it, which it draws as
// it stands.
void ExpectEveryDimensionKeepsItsBlock(FcGraph& graph) {
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    for (FcEntity* entity : blocks.GetAt(i)->GetEntities()) {
      if (entity->GetKind() != kEntityDimension) continue;
      const FcBlock* block = entity->GetReferencedBlock();
      ASSERT_NE(block, nullptr) << entity->GetHandle();
      const int count = block->GetEntities().GetCount();
      EXPECT_GT(count, 0) << entity->GetHandle();
      CurveSink sink(&graph, 0.01);
      entity->Draw(&sink);
      EXPECT_EQ(entity->GetReferencedBlock(), block);
      EXPECT_EQ(block->GetEntities().GetCount(), count);
    }
  }
}

// The manifest's count of a kind, as "ELLIPSE:1,LINE:2" gives it.
int ManifestCount(const std::string& types, const std::string& kind) {
  std::istringstream list(types);
  for (std::string item; std::getline(list, item, ',');) {
    if (item.rfind(kind + ":", 0) == 0) return std::stoi(item.substr(kind.size() + 1));
  }
  return 0;
}

// Every drawing of the corpus opens with all its ellipses, splines, texts,
// multiline texts and dimensions: the DXF files as many as the independent library
// counts in them, the DWG files as many as the manifest lists in their
// model and paper space.
TEST(CorpusCurvesTest, EveryCurveTextAndDimensionIsKept) {
  const std::string directory = CorpusDirectory();
  std::vector<CorpusFile> files = CorpusFiles(directory, "dxf/");
  const std::vector<CorpusFile> dwgFiles = CorpusFiles(directory, "dwg/");
  files.insert(files.end(), dwgFiles.begin(), dwgFiles.end());
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  int compared = 0;
  for (const CorpusFile& file : files) {
    if (file.role != "target") continue;
    SCOPED_TRACE(file.name);
    const std::string path = directory + "/" + file.name;
    FcGraph graph;
    ASSERT_EQ(OpenDrawing(graph, path, false, nullptr), FcOpenResult::kDone);
    for (const char* kind : kCountedKinds) EXPECT_EQ(graph.GetSkippedRecords().count(kind), 0u) << kind;
    std::string expected;
    if (file.name.rfind("dwg/", 0) == 0) {
      for (const char* kind : kCountedKinds) {
        expected += std::string(expected.empty() ? "" : " ") + kind + ":" + std::to_string(ManifestCount(file.types, kind));
      }
    } else {
      const CommandResult counted = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' counts '" + path + "'");
      // The library refuses a few of the files; those are left out.
      if (counted.status != 0) continue;
      expected = counted.output.substr(0, counted.output.find('\n'));
    }
    EXPECT_EQ(OwnCounts(graph, file.name.rfind("dwg/", 0) == 0), expected);
    ++compared;
    ExpectEveryCurveDrawn(graph);
    ExpectEveryDimensionKeepsItsBlock(graph);
  }
  EXPECT_GT(compared, 10);
}

}  // namespace
