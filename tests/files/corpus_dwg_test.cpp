#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "files/dwg_file.h"
#include "filers/filer_dwg.h"
#include "tests/support/corpus_manifest.h"

namespace {

// What was read writes a file that reads again.
FcDwgReadResult ReadAgainAfterWriting(FcGraph& graph) {
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  writer.SetGraph(&graph);
  WriteDwgFile(writer, graph, nullptr);
  FcFilerDwg reader;
  reader.AttachFile(writer.DetachFile(), FcFileKind::kDwg);
  reader.Seek(0, FcSeekOrigin::kBegin);
  FcGraph again;
  return ReadDwgFile(again, reader);
}

const char* MessageFor(FcDwgReadResult result) {
  if (result == FcDwgReadResult::kOtherRelease) return kDwgOtherReleaseMessage;
  return result == FcDwgReadResult::kDone ? "" : kDwgReadErrorMessage;
}

TEST(CorpusDwgTest, EveryFileGivesTheResultOfItsRole) {
  const std::string directory = CorpusDirectory();
  const std::vector<CorpusFile> files = CorpusFiles(directory, "dwg/");
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  for (const CorpusFile& file : files) {
    SCOPED_TRACE(file.name);
    FcGraph graph;
    FcFilerDwg filer;
    ASSERT_TRUE(filer.Open(directory + "/" + file.name, kFcOpenRead, FcFileKind::kDwg));
    const FcDwgReadResult result = ReadDwgFile(graph, filer);
    if (result == FcDwgReadResult::kDone) CompleteDefaultObjects(graph);
    std::cout << file.name << "  result " << static_cast<int>(result) << " " << MessageFor(result) << "  entities "
              << EntitiesByKind(graph) << " skipped records " << (filer.HasSkippedRecords() ? "yes" : "no") << "\n";
    if (file.role == "target") {
      EXPECT_EQ(result, FcDwgReadResult::kDone);
      if (result == FcDwgReadResult::kDone) {
        EXPECT_EQ(ReadAgainAfterWriting(graph), FcDwgReadResult::kDone);
      }
    } else if (file.role == "wrong-release") {
      EXPECT_EQ(result, FcDwgReadResult::kOtherRelease);
      EXPECT_STREQ(MessageFor(result), "Drawing file created by incompatible version!");
    } else if (file.role == "target-malformed") {
      EXPECT_NE(result, FcDwgReadResult::kDone);
    }
  }
}

}  // namespace
