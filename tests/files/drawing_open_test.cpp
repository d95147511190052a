#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "files/drawing_file.h"
#include "tests/files/drawing_file_support.h"
#include "tests/platform/temp_dir.h"

namespace {

// A new drawing is read into directly; a file that fails must still leave
// it a new drawing, and one that reads must fill it.
TEST(DrawingOpenTest, NewDrawingStaysNewWhenTheFileFails) {
  struct Case {
    const char* name;
    const char* contents;
  };
  const Case cases[] = {
      {"cut.dxf", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"},
      {"noise.dwg", "AC1015\x01\x02 not a drawing"},
  };
  TempDir dir;
  FcGraph reference;
  const std::string fresh = AsciiDxfOf(reference);
  FcGraph graph;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(dir.path() + c.name, std::ios::binary) << c.contents;
    EXPECT_NE(OpenDrawing(graph, dir.path() + c.name, false, nullptr), kOpenDone);
    EXPECT_EQ(FirstDifference(AsciiDxfOf(graph), fresh), "");
    EXPECT_EQ(graph.GetFileKind(), reference.GetFileKind());
  }

  FcGraph source;
  FillTestDrawing(source);
  ASSERT_EQ(SaveDrawing(source, dir.path() + "good.dxf", FcFileKind::kAsciiDxf, false, false), 0);
  ASSERT_EQ(OpenDrawing(graph, dir.path() + "good.dxf", false, nullptr), kOpenDone);
  EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(graph), AsciiDxfWithoutSeed(source)), "");
}

}  // namespace
