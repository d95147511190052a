#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "platform/recording_frame_link.h"
#include "tests/support/corpus_manifest.h"

namespace {

std::string SkippedText(const FcSkippedRecords& skipped) {
  std::string text;
  for (const auto& [kind, count] : skipped) text += kind + ":" + std::to_string(count) + " ";
  return text.empty() ? "-" : text;
}

TEST(CorpusDxfTest, EveryFileOpensOrFailsAsItsRoleSays) {
  const std::string directory = CorpusDirectory();
  const std::vector<CorpusFile> files = CorpusFiles(directory, "dxf/");
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  for (const CorpusFile& file : files) {
    SCOPED_TRACE(file.name);
    RecordingFrameLink link;
    SetFrameLink(&link);
    FcGraph graph;
    std::uint8_t skipped = 0;
    FcSkippedRecords byKind;
    const FcOpenResult result = OpenDrawing(graph, directory + "/" + file.name, false, &skipped, &byKind);
    SetFrameLink(nullptr);
    std::cout << file.name << "  result " << static_cast<int>(result) << "  entities " << EntitiesByKind(graph) << " skipped "
              << SkippedText(byKind) << "\n";
    const std::vector<std::string> lines = link.HistoryLines();
    const bool toldRelease = std::find(lines.begin(), lines.end(), kDxfOtherReleaseMessage) != lines.end();
    if (file.role == "target") {
      EXPECT_EQ(result, FcOpenResult::kDone);
    } else if (file.role == "wrong-release" && file.release.rfind("none", 0) == 0) {
      // A file without a HEADER section names no release; it is read as it
      // is, without the check.
      EXPECT_EQ(result, FcOpenResult::kDone);
    } else if (file.role == "wrong-release") {
      EXPECT_EQ(result, FcOpenResult::kOtherRelease);
      EXPECT_TRUE(toldRelease);
    } else {
      EXPECT_NE(result, FcOpenResult::kDone);
    }
  }
}

}  // namespace
