#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "database/graph.h"
#include "imaging/dib.h"
#include "window/screen_device_preview.h"
#include "files/drawing_file.h"
#include "files/dwg_file.h"
#include "files/file_preview.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"

namespace {

// The distinct pixel values of an 8-bit picture.
std::set<std::uint8_t> PixelValues(CDib& picture) {
  int bitCount = 0;
  int stride = 0;
  const std::uint8_t* rows = picture.GetBits(&bitCount, &stride);
  std::set<std::uint8_t> values;
  if (rows == nullptr || bitCount != 8) return values;
  for (int j = 0; j < picture.GetHeight(); ++j) {
    for (int i = 0; i < picture.GetWidth(); ++i) values.insert(rows[j * stride + i]);
  }
  return values;
}

// A drawing without a screen, as a save run from a script has it: the
// picture shows its entities, and only a save that asks for the picture
// draws one.
TEST(DrawingPreviewTest, SaveWithPreviewStoresAPictureOfTheDrawing) {
  TempDir dir;
  FcGraph graph;
  AddTestLine(graph, {0, 0}, {100, 50});
  AddTestLine(graph, {0, 50}, {100, 0});
  graph.GetSysVars().ucsicon = 3;

  const std::string with = dir.path() + "with.dwg";
  ASSERT_EQ(SaveDrawing(graph, with, FcFileKind::kDwg, true, true), FcSaveResult::kDone);
  CDib picture;
  ASSERT_TRUE(ReadFilePreview(with, picture));
  EXPECT_EQ(picture.GetWidth(), kDrawingPreviewWidth);
  EXPECT_EQ(picture.GetHeight(), kDrawingPreviewHeight);
  // Background and the lines' ink.
  EXPECT_GE(PixelValues(picture).size(), 2u);
  EXPECT_EQ(graph.GetSysVars().ucsicon, 3);

  const std::string without = dir.path() + "without.dwg";
  ASSERT_EQ(SaveDrawing(graph, without, FcFileKind::kDwg, true, false), FcSaveResult::kDone);
  CDib none;
  EXPECT_FALSE(ReadFilePreview(without, none));

  // Both files read back as drawings.
  for (const std::string& path : {with, without}) {
    FcGraph again;
    EXPECT_EQ(OpenDrawing(again, path, false, nullptr), FcOpenResult::kDone) << path;
  }
}

TEST(DrawingPreviewTest, TheRendererRunsOnlyForSavesThatAskForThePicture) {
  TempDir dir;
  FcGraph graph;
  AddTestLine(graph, {0, 0}, {1, 1});
  int rendered = 0;
  SetDwgPreviewRenderer([&rendered](FcGraph& drawing, std::vector<std::uint8_t>& dib) {
    ++rendered;
    return RenderDrawingPreview(drawing, dib);
  });
  EXPECT_EQ(SaveDrawing(graph, dir.path() + "a.dwg", FcFileKind::kDwg, true, false), FcSaveResult::kDone);
  EXPECT_EQ(WriteDxf(graph, dir.path() + "a.dxf", true), FcSaveResult::kDone);
  EXPECT_EQ(rendered, 0);
  EXPECT_EQ(SaveDrawing(graph, dir.path() + "b.dwg", FcFileKind::kDwg, true, true), FcSaveResult::kDone);
  EXPECT_EQ(rendered, 1);
  SetDwgPreviewRenderer(RenderDrawingPreview);
}

}  // namespace
