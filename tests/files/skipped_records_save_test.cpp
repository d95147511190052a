#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"

namespace {

// A record of a kind the program does not know, placed first in the
// ENTITIES section of the ASCII DXF text.
std::string WithUnknownEntity(std::string text) {
  const std::string section = "ENTITIES\r\n";
  const std::size_t at = text.find(section);
  if (at == std::string::npos) return text;
  return text.insert(at + section.size(), "  0\r\nGIZMO\r\n  5\r\nFFFF\r\n  8\r\n0\r\n");
}

// Whatever referenced an anonymous block may be among the records passed
// over on reading, so a purging save keeps every anonymous block while the
// drawing holds such records; without them the purge goes on.
TEST(SkippedRecordsSaveTest, PurgingSaveKeepsAnonymousBlocksWhileRecordsWereSkipped) {
  FcGraph source;
  AddTestLine(source, {0, 0}, {1, 1});
  FcBlock* anonymous = source.GetBlockList().AddAnonymousBlock();
  ASSERT_NE(anonymous, nullptr);
  const std::string name = anonymous->GetName();
  const std::string plain = AsciiDxfOf(source);

  struct Case {
    bool skipped;
    FcFileKind kind;
  };
  const Case cases[] = {{true, FcFileKind::kDwg},
                        {true, FcFileKind::kAsciiDxf},
                        {false, FcFileKind::kDwg},
                        {false, FcFileKind::kAsciiDxf}};
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.skipped ? "with" : "without") + " a skipped record, saved as " +
                 (c.kind == FcFileKind::kDwg ? "DWG" : "DXF"));
    const std::string text = c.skipped ? WithUnknownEntity(plain) : plain;
    FcGraph graph;
    FcSkippedRecords byKind;
    ASSERT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), nullptr, &byKind),
              FcOpenResult::kDone);
    EXPECT_EQ(byKind, (c.skipped ? FcSkippedRecords{{"GIZMO", 1}} : FcSkippedRecords{}));
    EXPECT_EQ(graph.GetSkippedRecords(), byKind);
    ASSERT_NE(graph.GetBlockList().FindByName(name), nullptr);

    const std::string path = dir.path() + (c.kind == FcFileKind::kDwg ? "saved.dwg" : "saved.dxf");
    ASSERT_EQ(SaveDrawing(graph, path, c.kind, true, false), FcSaveResult::kDone);
    EXPECT_EQ(graph.GetBlockList().FindByName(name) != nullptr, c.skipped);
    FcGraph again;
    ASSERT_EQ(OpenDrawing(again, path, false, nullptr), FcOpenResult::kDone);
    EXPECT_EQ(again.GetBlockList().FindByName(name) != nullptr, c.skipped);
    EXPECT_EQ(EntitiesByKind(again), "LINE:1 ");
  }
}

}  // namespace
