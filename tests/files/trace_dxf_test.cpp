#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "database/block.h"
#include "database/graph.h"
#include "entities/trace.h"
#include "files/drawing_file.h"
#include "platform/recording_frame_link.h"
#include "tests/support/temp_dir.h"

namespace {

// What the program prints; the status is pclose's.
std::string RunPython(const std::string& script, const std::string& path, int* status) {
  const std::string command = "/usr/bin/python3 -c \"" + script + "\" '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  *status = pclose(pipe);
  return output;
}

// A file group by group.
std::string Groups(std::initializer_list<std::pair<int, std::string>> groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += std::to_string(code) + "\r\n" + value + "\r\n";
  return text;
}

// A TRACE as other programs write it, a rectangle whose corner groups come
// in the file's order (1, 2, 4, 3 around the outline), reads into outline
// order, and is written back in the file's order as an independent DXF
// library reads it.
TEST(TraceDxfTest, AnotherProgramsTraceReadsAndWritesInTheFilesCornerOrder) {
  TempDir dir;
  const std::string text =
      Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {0, "ENDSEC"}, {0, "SECTION"},
              {2, "ENTITIES"}, {0, "TRACE"}, {5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbTrace"},
              {10, "0"}, {20, "0"}, {30, "0"}, {11, "4"}, {21, "0"}, {31, "0"}, {12, "0"}, {22, "3"}, {32, "0"},
              {13, "4"}, {23, "3"}, {33, "0"}, {0, "ENDSEC"}, {0, "EOF"}});
  FcGraph graph;
  std::uint8_t skipped = 0;
  RecordingFrameLink link;
  SetFrameLink(&link);
  const FcOpenResult opened = OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), &skipped);
  SetFrameLink(nullptr);
  std::string messages;
  for (const std::string& line : link.HistoryLines()) messages += line + "\n";
  ASSERT_EQ(opened, FcOpenResult::kDone) << messages;
  const FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  ASSERT_NE(modelSpace, nullptr);
  const FcTrace* trace = nullptr;
  for (int i = 0; i < modelSpace->GetEntities().GetCount(); ++i) {
    if (auto* found = dynamic_cast<const FcTrace*>(modelSpace->GetEntities().GetAt(i))) trace = found;
  }
  ASSERT_NE(trace, nullptr);
  const FcPoint2d outline[] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
  for (int k = 0; k < FcCornerEntity::kCornerCount; ++k) {
    EXPECT_EQ(trace->GetCorner(k).x, outline[k].x) << k;
    EXPECT_EQ(trace->GetCorner(k).y, outline[k].y) << k;
  }

  const std::string output = dir.path() + "saved.dxf";
  graph.SetFileKind(FcFileKind::kAsciiDxf);
  ASSERT_EQ(WriteDxf(graph, output, false), FcSaveResult::kDone);
  int status = 0;
  const std::string corners = RunPython(
      "import sys, ezdxf; t = ezdxf.readfile(sys.argv[1]).modelspace().query('TRACE')[0]; "
      "print(*[(v.x, v.y) for v in (t.dxf.vtx0, t.dxf.vtx1, t.dxf.vtx2, t.dxf.vtx3)])",
      output, &status);
  EXPECT_EQ(status, 0) << corners;
  EXPECT_EQ(corners, "(0.0, 0.0) (4.0, 0.0) (0.0, 3.0) (4.0, 3.0)\n");
}

}  // namespace
