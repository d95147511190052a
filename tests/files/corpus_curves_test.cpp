#include <gtest/gtest.h>

#include <cctype>
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

// The kinds a drawing must keep every entity of. VERTEX stands for the
// polylines' own vertices, which the manifest does not count.
const std::vector<std::string> kCountedKinds = {"ARC", "CIRCLE", "ELLIPSE", "SPLINE", "LWPOLYLINE", "POLYLINE", "VERTEX",
                                                 "TEXT", "MTEXT", "INSERT", "ATTRIB", "ATTDEF", "HATCH", "DIMENSION",
                                                 "LEADER", "TOLERANCE"};
// Records that are read as a part of a polyline, never on their own.
const char* const kPolylineParts[] = {"VERTEX", "SEQEND"};

bool IsLayoutBlock(const FcBlock& block) {
  std::string name = block.GetName();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name.rfind("*MODEL_SPACE", 0) == 0 || name.rfind("*PAPER_SPACE", 0) == 0;
}

int VerticesOf(const FcEntity& entity) {
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity)) return polyline->GetVertexCount();
  if (const auto* polyline = dynamic_cast<const FcPolyline3d*>(&entity)) return polyline->GetVertexCount();
  return 0;
}

std::string CountText(const std::vector<std::string>& kinds, std::map<std::string, int>& counts) {
  std::string text;
  for (const std::string& kind : kinds) text += (text.empty() ? "" : " ") + kind + ":" + std::to_string(counts[kind]);
  return text;
}

// Entities of the kinds in every block, or in model and paper space alone.
std::string OwnCounts(const FcGraph& graph, const std::vector<std::string>& kinds, bool layoutsOnly) {
  std::map<std::string, int> counts;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    if (layoutsOnly && !IsLayoutBlock(*blocks.GetAt(i))) continue;
    for (const FcEntity* entity : blocks.GetAt(i)->GetEntities()) {
      ++counts[entity->GetRecordName()];
      counts["VERTEX"] += VerticesOf(*entity);
    }
  }
  return CountText(kinds, counts);
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

// The manifest names the DWG polylines by their records: the 2D ones read
// light, the 3D ones and meshes stay heavy.
int ManifestDwgCount(const std::string& types, const std::string& kind) {
  if (kind == "LWPOLYLINE") return ManifestCount(types, kind) + ManifestCount(types, "POLYLINE2D");
  if (kind == "POLYLINE") {
    return ManifestCount(types, "POLYLINE3D") + ManifestCount(types, "POLYLINE_PFACE") +
           ManifestCount(types, "POLYLINE_MESH");
  }
  return ManifestCount(types, kind);
}

// The counts of "KIND:N KIND:N" text.
std::map<std::string, int> ParseCounts(const std::string& text) {
  std::map<std::string, int> counts;
  std::istringstream items(text);
  for (std::string item; items >> item;) {
    const size_t colon = item.find(':');
    if (colon != std::string::npos) counts[item.substr(0, colon)] = std::stoi(item.substr(colon + 1));
  }
  return counts;
}

bool IsPolylineKind(const std::string& kind) { return kind == "LWPOLYLINE" || kind == "POLYLINE" || kind == "VERTEX"; }

// Every drawing of the corpus opens with all entities of the counted kinds.
// A DXF file has as many in all its blocks as the independent library
// counts. A DWG file is compared in model and paper space with the
// manifest, except for polylines: the manifest leaves some out and counts
// no vertices, so those are compared with what the library counts in the
// drawing's DXF form where the corpus holds one.
TEST(CorpusCurvesTest, EveryCountedKindIsKept) {
  const std::string directory = CorpusDirectory();
  std::vector<CorpusFile> files = CorpusFiles(directory, "dxf/");
  const std::vector<CorpusFile> dwgFiles = CorpusFiles(directory, "dwg/");
  files.insert(files.end(), dwgFiles.begin(), dwgFiles.end());
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  std::string kindArguments;
  for (const std::string& kind : kCountedKinds) kindArguments += " " + kind;
  int compared = 0;
  for (const CorpusFile& file : files) {
    if (file.role != "target") continue;
    SCOPED_TRACE(file.name);
    const std::string path = directory + "/" + file.name;
    FcGraph graph;
    ASSERT_EQ(OpenDrawing(graph, path, false, nullptr), FcOpenResult::kDone);
    for (const std::string& kind : kCountedKinds) EXPECT_EQ(graph.GetSkippedRecords().count(kind), 0u) << kind;
    for (const char* kind : kPolylineParts) EXPECT_EQ(graph.GetSkippedRecords().count(kind), 0u) << kind;
    // Text styles come in the tables; none of them may be passed over.
    EXPECT_EQ(graph.GetSkippedRecords().count("STYLE"), 0u);
    const bool dwg = file.name.rfind("dwg/", 0) == 0;
    const std::string counted = dwg ? directory + "/dxf/" + file.name.substr(4, file.name.size() - 8) + ".dxf" : path;
    std::map<std::string, int> library;
    const bool twin = std::filesystem::exists(counted);
    if (twin) {
      const CommandResult result = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' counts '" + counted + "'" +
                                              (dwg ? " --layouts" : "") + kindArguments);
      // The library refuses a few of the files; those are left out.
      if (result.status != 0) continue;
      library = ParseCounts(result.output.substr(0, result.output.find('\n')));
    }
    std::vector<std::string> kinds = kCountedKinds;
    if (!twin) std::erase(kinds, "VERTEX");
    std::map<std::string, int> expected;
    for (const std::string& kind : kinds) {
      const bool fromLibrary = !dwg || (twin && IsPolylineKind(kind));
      expected[kind] = fromLibrary ? library[kind] : ManifestDwgCount(file.types, kind);
    }
    EXPECT_EQ(OwnCounts(graph, kinds, dwg), CountText(kinds, expected));
    ++compared;
    ExpectEveryCurveDrawn(graph);
    ExpectEveryDimensionKeepsItsBlock(graph);
  }
  EXPECT_GT(compared, 10);
}

}  // namespace
