#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/temp_dir.h"

namespace {

std::string SkippedText(const FcSkippedRecords& skipped) {
  std::string text;
  for (const auto& [kind, count] : skipped) text += kind + ":" + std::to_string(count) + " ";
  return text.empty() ? "-" : text;
}

// Every file the program reads is opened once and saved as DWG and as DXF,
// each with the purge a user's save does, and each saved file is opened
// again. Entities of a kind the program keeps must all come back, nothing
// it wrote may be passed over, and the blocks must all be there: while the
// drawing holds skipped records (which may reference any anonymous block)
// the saves purge none, and otherwise the file holds what the drawing
// kept after its purge.
TEST(CorpusRoundTripTest, SavedAsDwgAndDxfEveryKeptEntityAndBlockComesBack) {
  const std::string directory = CorpusDirectory();
  std::vector<CorpusFile> files = CorpusFiles(directory, "dwg/");
  const std::vector<CorpusFile> dxfFiles = CorpusFiles(directory, "dxf/");
  files.insert(files.end(), dxfFiles.begin(), dxfFiles.end());
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  TempDir dir;
  int skippingFiles = 0;
  for (const CorpusFile& file : files) {
    if (file.role != "target") continue;
    SCOPED_TRACE(file.name);
    FcGraph graph;
    ASSERT_EQ(OpenDrawing(graph, directory + "/" + file.name, false, nullptr), FcOpenResult::kDone);
    const std::string kept = EntitiesByKind(graph);
    const FcSkippedRecords skipped = graph.GetSkippedRecords();
    const int blocks = graph.GetBlockList().GetBlockCount();
    for (const char* curve : {"ARC", "CIRCLE", "ELLIPSE", "SPLINE"}) EXPECT_EQ(skipped.count(curve), 0u) << curve;
    if (!skipped.empty()) ++skippingFiles;
    std::cout << file.name << "  kept " << kept << " skipped " << SkippedText(skipped) << " blocks " << blocks
              << "\n";
    for (const FcFileKind kind : {FcFileKind::kDwg, FcFileKind::kAsciiDxf}) {
      SCOPED_TRACE(kind == FcFileKind::kDwg ? "as DWG" : "as DXF");
      const std::string path = dir.path() + (kind == FcFileKind::kDwg ? "saved.dwg" : "saved.dxf");
      ASSERT_EQ(SaveDrawing(graph, path, kind, true, false), FcSaveResult::kDone);
      EXPECT_EQ(graph.GetSkippedRecords(), skipped);
      if (!skipped.empty()) {
        EXPECT_EQ(graph.GetBlockList().GetBlockCount(), blocks);
      }

      FcGraph again;
      ASSERT_EQ(OpenDrawing(again, path, false, nullptr), FcOpenResult::kDone);
      EXPECT_EQ(EntitiesByKind(again), kept);
      EXPECT_EQ(SkippedText(again.GetSkippedRecords()), "-");
      EXPECT_EQ(again.GetBlockList().GetBlockCount(), graph.GetBlockList().GetBlockCount());
    }
  }
  // The corpus holds drawings with records the program does not know; the
  // guard on the purge is exercised, not only its absence.
  EXPECT_GT(skippingFiles, 0);
}

}  // namespace
