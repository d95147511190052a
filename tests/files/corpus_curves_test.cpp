#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/polyline.h"
#include "entities/polyline_3d.h"
#include "files/drawing_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/curve_sink.h"
#include "tests/support/run_command.h"

namespace {

const char* const kCurveKinds[] = {"ELLIPSE", "SPLINE", "LWPOLYLINE", "POLYLINE"};
// Records that are read as a part of a polyline, never on their own.
const char* const kPolylineParts[] = {"VERTEX", "SEQEND"};

int VerticesOf(const FcEntity& entity) {
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity)) return polyline->GetVertexCount();
  if (const auto* polyline = dynamic_cast<const FcPolyline3d*>(&entity)) return polyline->GetVertexCount();
  return 0;
}

// Ellipses, splines and polylines of every block; with the polylines'
// vertices when asked.
std::string OwnCounts(const FcGraph& graph, bool withVertices) {
  std::map<std::string, int> counts;
  int vertices = 0;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    for (const FcEntity* entity : blocks.GetAt(i)->GetEntities()) {
      ++counts[entity->GetRecordName()];
      vertices += VerticesOf(*entity);
    }
  }
  std::string text;
  for (const char* kind : kCurveKinds) text += std::string(text.empty() ? "" : " ") + kind + ":" + std::to_string(counts[kind]);
  if (withVertices) text += " VERTEX:" + std::to_string(vertices);
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

// The manifest's count of a kind, as "ELLIPSE:1,LINE:2" gives it.
int ManifestCount(const std::string& types, const std::string& kind) {
  std::istringstream list(types);
  for (std::string item; std::getline(list, item, ',');) {
    if (item.rfind(kind + ":", 0) == 0) return std::stoi(item.substr(kind.size() + 1));
  }
  return 0;
}

// The manifest names the DWG polylines by their records: the 2D ones read
// light, the 3D ones and meshes stay heavy.
int ManifestDwgCount(const std::string& types, const std::string& kind) {
  if (kind == std::string("LWPOLYLINE")) return ManifestCount(types, kind) + ManifestCount(types, "POLYLINE2D");
  if (kind == std::string("POLYLINE")) {
    return ManifestCount(types, "POLYLINE3D") + ManifestCount(types, "POLYLINE_PFACE") +
           ManifestCount(types, "POLYLINE_MESH");
  }
  return ManifestCount(types, kind);
}

// Every drawing of the corpus opens with all its ellipses, splines and
// polylines: the DXF files as many, with as many vertices, as the
// independent library counts in them, the DWG files as many as the
// manifest lists. No polyline, vertex or sequence end is passed over.
TEST(CorpusCurvesTest, EveryCurveAndPolylineIsKept) {
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
    for (const char* kind : kCurveKinds) EXPECT_EQ(graph.GetSkippedRecords().count(kind), 0u) << kind;
    for (const char* kind : kPolylineParts) EXPECT_EQ(graph.GetSkippedRecords().count(kind), 0u) << kind;
    // A DWG drawing whose DXF form the corpus holds too is compared with
    // what the library counts in that form: the manifest's count of the
    // DWG records leaves some polylines out.
    std::string counted = path;
    if (file.name.rfind("dwg/", 0) == 0) counted = directory + "/dxf/" + file.name.substr(4, file.name.size() - 8) + ".dxf";
    const bool fromManifest = !std::filesystem::exists(counted);
    std::string expected;
    if (fromManifest) {
      for (const char* kind : kCurveKinds) {
        expected += std::string(expected.empty() ? "" : " ") + kind + ":" + std::to_string(ManifestDwgCount(file.types, kind));
      }
    } else {
      const CommandResult result = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' counts '" + counted + "'");
      // The library refuses a few of the files; those are left out.
      if (result.status != 0) continue;
      expected = result.output.substr(0, result.output.find('\n'));
    }
    EXPECT_EQ(OwnCounts(graph, !fromManifest), expected);
    ++compared;
    ExpectEveryCurveDrawn(graph);
  }
  EXPECT_GT(compared, 10);
}

}  // namespace
