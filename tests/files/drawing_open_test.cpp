#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "database/dictionary.h"
#include "database/linetype.h"
#include "entities/raster_image.h"
#include "files/drawing_file.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"

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
    EXPECT_NE(OpenDrawing(graph, dir.path() + c.name, false, nullptr), FcOpenResult::kDone);
    EXPECT_EQ(FirstDifference(AsciiDxfOf(graph), fresh), "");
    EXPECT_EQ(graph.GetFileKind(), reference.GetFileKind());
  }

  FcGraph source;
  FillTestDrawing(source);
  ASSERT_EQ(SaveDrawing(source, dir.path() + "good.dxf", FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
  ASSERT_EQ(OpenDrawing(graph, dir.path() + "good.dxf", false, nullptr), FcOpenResult::kDone);
  EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(graph), AsciiDxfWithoutSeed(source)), "");
}

// A file far larger than the bytes the reader keeps behind it, whose
// entities start with a long record of an unknown kind (counting that
// record reads the section again from its start), opens from disk as it
// opens from memory; so it does into a drawing with contents, which reads
// the file twice.
TEST(DrawingOpenTest, LargeFileOpensFromDiskAsFromMemory) {
  FcGraph source;
  FillTestDrawing(source);
  std::string text = AsciiDxfOf(source);
  const std::string section = "ENTITIES\r\n";
  const std::size_t at = text.find(section);
  ASSERT_NE(at, std::string::npos);
  const std::string padding(std::size_t{20} << 20, 'x');
  text.insert(at + section.size(), "  0\r\nWIDGET\r\n  1\r\n" + padding + "\r\n");

  FcGraph fromMemory;
  FcSkippedRecords memorySkipped;
  ASSERT_EQ(OpenDrawingFromMemory(fromMemory, std::vector<char>(text.begin(), text.end()), nullptr, &memorySkipped),
            FcOpenResult::kDone);
  TempDir dir;
  std::ofstream(dir.path() + "large.dxf", std::ios::binary) << text;
  FcGraph fromDisk;
  FcSkippedRecords diskSkipped;
  ASSERT_EQ(OpenDrawing(fromDisk, dir.path() + "large.dxf", false, nullptr, &diskSkipped), FcOpenResult::kDone);
  EXPECT_EQ(diskSkipped, memorySkipped);
  EXPECT_EQ(diskSkipped["WIDGET"], 1);
  EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(fromDisk), AsciiDxfWithoutSeed(fromMemory)), "");
  EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(fromDisk), AsciiDxfWithoutSeed(source)), "");

  ASSERT_EQ(OpenDrawing(fromDisk, dir.path() + "large.dxf", false, nullptr, &diskSkipped), FcOpenResult::kDone);
  EXPECT_EQ(diskSkipped, memorySkipped);
  EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(fromDisk), AsciiDxfWithoutSeed(fromMemory)), "");
}

// Images come from a file knowing their definitions by handle only, and the
// linetype table is read anew: opening binds both, for a new drawing (read
// into at once) and for one with contents (read through a scratch copy).
TEST(DrawingOpenTest, OpeningBindsImagesAndTheLinetypeMarkers) {
  TempDir dir;
  FcGraph source;
  auto* images = new FcDictionary;
  ASSERT_TRUE(source.AddNamedObject(kImageDictionaryName, images));
  auto* definition = new FcRasterImageDef;
  definition->SetFilePath(dir.path() + "picture.bmp");
  source.TakeHandle(*definition);
  definition->SetDwgType(source.GetCustomClassType(FcRasterImageDef::kRecordName));
  images->SetAt("picture", definition);
  auto* image = new FcRasterImage;
  image->SetImageDef(definition);
  image->SetPixelSize(6, 5);
  source.AddEntity(image, false);

  const std::pair<const char*, FcFileKind> files[] = {{"image.dxf", FcFileKind::kAsciiDxf},
                                                      {"image.dwg", FcFileKind::kDwg}};
  for (const auto& [name, kind] : files) {
    const std::string path = dir.path() + name;
    ASSERT_EQ(SaveDrawing(source, path, kind, false, false), FcSaveResult::kDone) << name;
    for (const bool fresh : {true, false}) {
      SCOPED_TRACE(std::string(name) + (fresh ? " into a new drawing" : " into a filled drawing"));
      FcGraph graph;
      if (!fresh) FillTestDrawing(graph);
      ASSERT_EQ(OpenDrawing(graph, path, false, nullptr), FcOpenResult::kDone);

      const FcLinetypeList& linetypes = graph.GetLinetypeList();
      EXPECT_NE(graph.GetByLayerLinetype(), nullptr);
      EXPECT_EQ(graph.GetByLayerLinetype(), linetypes.FindByName("ByLayer"));
      EXPECT_NE(graph.GetByBlockLinetype(), nullptr);
      EXPECT_EQ(graph.GetByBlockLinetype(), linetypes.FindByName("ByBlock"));

      FcRasterImageDef* readDefinition = FindImageDef(graph, definition->GetHandle());
      ASSERT_NE(readDefinition, nullptr);
      auto* readImage = dynamic_cast<FcRasterImage*>(graph.GetCurrentEntitySet()->FindByHandle(image->GetHandle()));
      ASSERT_NE(readImage, nullptr);
      EXPECT_EQ(readImage->GetImageDef(), readDefinition);
      ASSERT_NE(readImage->GetReactor(), nullptr);
      EXPECT_EQ(readImage->GetReactor()->GetOwner(), readImage);
      ASSERT_EQ(readDefinition->GetReactors().GetCount(), 1);
      EXPECT_EQ(readDefinition->GetReactors().GetAt(0), readImage->GetReactor());
    }
  }
}

}  // namespace
