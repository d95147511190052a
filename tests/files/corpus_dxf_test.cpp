#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "platform/recording_frame_link.h"

namespace {

struct CorpusFile {
  std::string name;
  std::string release;
  std::string role;
};

std::string CorpusDirectory() {
  const char* overridden = std::getenv("KOVRA_CORPUS");
  return overridden != nullptr ? overridden : KOVRA_CORPUS_DIR;
}

// The DXF rows of the manifest: file name, release and role.
std::vector<CorpusFile> DxfFiles(const std::string& directory) {
  std::vector<CorpusFile> files;
  std::ifstream manifest(directory + "/MANIFEST.tsv");
  std::string line;
  std::getline(manifest, line);
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string file, bytes, release, kind, role;
    std::getline(fields, file, '\t');
    std::getline(fields, bytes, '\t');
    std::getline(fields, release, '\t');
    std::getline(fields, kind, '\t');
    std::getline(fields, role, '\t');
    if (file.rfind("dxf/", 0) == 0) files.push_back({file, release, role});
  }
  return files;
}

// Entities of every block by record name.
std::string EntitiesByKind(const FcGraph& graph) {
  std::map<std::string, int> counts;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    for (const FcEntity* entity : blocks.GetAt(i)->GetEntities()) ++counts[entity->GetRecordName()];
  }
  std::string text;
  for (const auto& [kind, count] : counts) text += kind + ":" + std::to_string(count) + " ";
  return text.empty() ? "-" : text;
}

std::string SkippedText(const FcSkippedRecords& skipped) {
  std::string text;
  for (const auto& [kind, count] : skipped) text += kind + ":" + std::to_string(count) + " ";
  return text.empty() ? "-" : text;
}

TEST(CorpusDxfTest, EveryFileOpensOrFailsAsItsRoleSays) {
  const std::string directory = CorpusDirectory();
  const std::vector<CorpusFile> files = DxfFiles(directory);
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  for (const CorpusFile& file : files) {
    SCOPED_TRACE(file.name);
    RecordingFrameLink link;
    SetFrameLink(&link);
    FcGraph graph;
    std::uint8_t skipped = 0;
    FcSkippedRecords byKind;
    const int result = OpenDrawing(graph, directory + "/" + file.name, false, &skipped, &byKind);
    SetFrameLink(nullptr);
    std::cout << file.name << "  result " << result << "  entities " << EntitiesByKind(graph) << " skipped "
              << SkippedText(byKind) << "\n";
    const std::vector<std::string> lines = link.HistoryLines();
    const bool toldRelease = std::find(lines.begin(), lines.end(), kDxfOtherReleaseMessage) != lines.end();
    if (file.role == "target") {
      EXPECT_EQ(result, kOpenDone);
    } else if (file.role == "wrong-release" && file.release.rfind("none", 0) == 0) {
      // A file without a HEADER section names no release; it is read as it
      // is, without the check.
      EXPECT_EQ(result, kOpenDone);
    } else if (file.role == "wrong-release") {
      EXPECT_EQ(result, kOpenOtherRelease);
      EXPECT_TRUE(toldRelease);
    } else {
      EXPECT_NE(result, kOpenDone);
    }
  }
}

}  // namespace
