#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/crc16.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/layout.h"
#include "files/dwg_file.h"
#include "files/drawing_file.h"
#include "filers/dwg_sections.h"
#include "tests/support/drawing_file_support.h"

namespace {

using Bytes = std::vector<char>;

Bytes WriteToMemory(FcGraph& graph, const std::vector<std::uint8_t>* preview = nullptr) {
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  filer.SetGraph(&graph);
  WriteDwgFile(filer, graph, preview);
  return filer.DetachFile()->TakeBytes();
}

FcDwgReadResult ReadFromMemory(const Bytes& bytes, FcGraph& graph) {
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(bytes), FcFileKind::kDwg);
  return ReadDwgFile(graph, filer);
}

std::string DxfOf(FcObject& object, FcGraph& graph) {
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kAsciiDxf);
  filer.SetGraph(&graph);
  object.WriteDxf(filer);
  const Bytes bytes = filer.DetachFile()->TakeBytes();
  return std::string(bytes.begin(), bytes.end());
}

// Every table with its records and every entity of every block as DXF
// text, so that two drawings compare field by field, handles included.
std::vector<std::string> Contents(FcGraph& graph) {
  std::vector<std::string> out;
  FcObject* tables[] = {&graph.GetLayerList(),    &graph.GetLinetypeList(), &graph.GetTextStyleList(),
                        &graph.GetDimStyleList(), &graph.GetUcsList(),      &graph.GetAppIdList()};
  for (FcObject* table : tables) out.push_back(DxfOf(*table, graph));
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    FcBlock* block = blocks.GetAt(i);
    out.push_back("block " + block->GetName() + " " + std::to_string(block->GetHandle()));
    for (FcEntity* entity : block->GetEntities()) out.push_back(DxfOf(*entity, graph));
  }
  return out;
}

TEST(DwgFileTest, DrawingsReadBackWithEveryRecordAndEntityEqual) {
  for (bool filled : {false, true}) {
    SCOPED_TRACE(filled ? "with contents" : "new drawing");
    FcGraph original;
    if (filled) FillTestDrawing(original);
    const std::string expected = AsciiDxfWithoutSeed(original);
    const Bytes bytes = WriteToMemory(original);

    FcGraph copy;
    std::uint8_t skipped = 1;
    ASSERT_EQ(OpenDrawingFromMemory(copy, bytes, &skipped), FcOpenResult::kDone);
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(copy), expected), "");
    EXPECT_EQ(RecordCounts(copy), RecordCounts(original));
    EXPECT_EQ(copy.GetCurrentLayer()->GetName(), original.GetCurrentLayer()->GetName());
    EXPECT_EQ(copy.GetCurrentBlock(), copy.GetBlockList().GetAt(0));
    EXPECT_EQ(copy.GetCurrentEntitySet()->GetGrowthStep(), kFcModelSpaceGrowth);
    EXPECT_GE(copy.GetHandleSeed(), original.GetHandleSeed());
    // Every entity read stands once in its layer's member list.
    for (int i = 0; i < copy.GetLayerList().GetCount(); ++i) {
      const FcLayer* layer = copy.GetLayerList().GetAt(i);
      const FcLayer* before = original.GetLayerList().FindByName(layer->GetName());
      ASSERT_NE(before, nullptr) << layer->GetName();
      EXPECT_EQ(layer->GetEntityHandles().count, before->GetEntityHandles().count) << layer->GetName();
    }

    // What was read writes the same file again.
    EXPECT_EQ(WriteToMemory(copy), bytes);
  }
}

std::uint32_t Long(const Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

DwgSectionLocator Locator(const Bytes& bytes, int index) {
  const std::size_t at = 0x19 + 9 * static_cast<std::size_t>(index);
  return {static_cast<std::uint8_t>(bytes[at]), static_cast<std::int32_t>(Long(bytes, at + 1)),
          static_cast<std::int32_t>(Long(bytes, at + 5))};
}

TEST(DwgFileTest, WrittenFileHasTheFixedLayout) {
  FcGraph graph;
  const Bytes bytes = WriteToMemory(graph);
  EXPECT_EQ(std::string(bytes.data(), 6), "AC1015");
  EXPECT_EQ(bytes[0x0B], 6);
  EXPECT_EQ(bytes[0x0C], 1);
  EXPECT_EQ(bytes[0x11], 0x17);
  EXPECT_EQ(bytes[0x12], 6);
  EXPECT_EQ(Long(bytes, 0x0D), 0xDCu);
  EXPECT_EQ(Long(bytes, 0x15), 6u);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::uint16_t crc = Crc16Update(0, 0x4F, data) ^ 0x8461;
  EXPECT_EQ(data[0x4F] | (data[0x50] << 8), crc);

  EXPECT_EQ(Locator(bytes, 5).address, 0x61);
  EXPECT_EQ(Locator(bytes, 5).size, 123);
  EXPECT_EQ(Locator(bytes, 3).size, 53);
  EXPECT_EQ(Locator(bytes, 4).size, 4);
  EXPECT_EQ(Locator(bytes, 4).address + 4, static_cast<std::int32_t>(bytes.size()));
  // The map, ended by its empty section, runs up to the fixed section.
  const DwgSectionLocator map = Locator(bytes, 2);
  EXPECT_EQ(map.address + map.size, Locator(bytes, 3).address);
  EXPECT_EQ(Long(bytes, static_cast<std::size_t>(map.address + map.size - 4)) & 0xFFFF, 0x0200u);
  // Without a picture the preview section is 37 bytes.
  EXPECT_EQ(Locator(bytes, 0).address, 0xDC + 37);
  EXPECT_EQ(Long(bytes, 0xDC + 16), 5u);
}

TEST(DwgFileTest, ObjectMapEntriesAreDifferencesAndSectionsRestart) {
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  FcDwgSections sections;
  filer.GetObjectMap().Insert(1, 100);
  filer.GetObjectMap().Insert(2, 200);
  filer.GetObjectMap().Insert(3, 150);
  WriteDwgObjectMap(filer, sections);
  const Bytes bytes = filer.DetachFile()->TakeBytes();
  const Bytes entries{0x01, static_cast<char>(0xE4), 0x00, 0x01, static_cast<char>(0xE4), 0x00, 0x01, 0x72};
  ASSERT_EQ(bytes.size(), 2 + entries.size() + 2 + 4u);
  EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 10), entries);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 10);

  // Enough entries for several sections read back in full: each section
  // starts again from handle 0 and offset 0.
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(Bytes(70000, 0)), FcFileKind::kDwg);
  writer.Seek(0, FcSeekOrigin::kEnd);
  for (FcHandle handle = 1; handle <= 3000; ++handle) {
    writer.GetObjectMap().Insert(handle * 3, static_cast<std::int64_t>(handle * 20 % 65000 + 1));
  }
  WriteDwgObjectMap(writer, sections);
  FcFilerDwg reader;
  reader.AttachFile(writer.DetachFile(), FcFileKind::kDwg);
  ASSERT_TRUE(ReadObjectMap(reader, sections));
  ASSERT_EQ(reader.GetObjectMap().Entries().size(), 3000u);
  EXPECT_EQ(reader.GetObjectMap().Find(2700), 900 * 20 + 1);
  EXPECT_EQ(reader.GetObjectMap().Find(9000), 3000 * 20 % 65000 + 1);
}

TEST(DwgFileTest, PreviewPictureReadsBackAsBmpFile) {
  std::vector<std::uint8_t> dib(40 + 1024 + 180 * 104, 0x33);
  const std::uint8_t header[16] = {40, 0, 0, 0, 180, 0, 0, 0, 104, 0, 0, 0, 1, 0, 8, 0};
  std::memcpy(dib.data(), header, sizeof header);
  std::memset(dib.data() + 16, 0, 24);
  FcGraph graph;
  const Bytes bytes = WriteToMemory(graph, &dib);

  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(bytes), FcFileKind::kDwg);
  FcFile bmp;
  ASSERT_TRUE(ReadDwgPreviewImage(bmp, filer));
  const Bytes picture = bmp.TakeBytes();
  ASSERT_EQ(picture.size(), 14 + dib.size());
  EXPECT_EQ(picture[0], 'B');
  EXPECT_EQ(Long(picture, 2), 14 + dib.size());
  EXPECT_EQ(Long(picture, 10), 1078u);
  EXPECT_EQ(std::memcmp(picture.data() + 14, dib.data(), dib.size()), 0);

  FcGraph reread;
  EXPECT_EQ(ReadFromMemory(bytes, reread), FcDwgReadResult::kDone);
  FcFilerDwg withoutPreview;
  withoutPreview.AttachFile(std::make_unique<FcFile>(WriteToMemory(reread)), FcFileKind::kDwg);
  EXPECT_FALSE(ReadDwgPreviewImage(bmp, withoutPreview));
}

// The seed a header gives may lie behind the file's handles; new objects
// must still get handles no object of the file has. A file whose largest
// handle leaves no room before the end of the handle range is refused.
TEST(DwgFileTest, HandlesThatLeaveTheSeedNoRoomFailTheRead) {
  struct Case {
    FcHandle handle;
    FcDwgReadResult result;
  };
  const Case cases[] = {{0x100000, FcDwgReadResult::kDone},
                        {0xFFFFFFFEFFFFFFFFULL, FcDwgReadResult::kDone},
                        {0xFFFFFFFFFFFFFFFEULL, FcDwgReadResult::kError},
                        {0xFFFFFFFFFFFFFFFFULL, FcDwgReadResult::kError}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.handle);
    FcGraph graph;
    AddTestLine(graph, {0, 0}, {1, 0})->SetHandle(c.handle);
    ASSERT_LT(graph.GetHandleSeed(), c.handle);
    FcGraph reread;
    ASSERT_EQ(ReadFromMemory(WriteToMemory(graph), reread), c.result);
    if (c.result != FcDwgReadResult::kDone) continue;
    FcLine* line = AddTestLine(reread, {0, 0}, {1, 1});
    EXPECT_GT(line->GetHandle(), c.handle);
  }
}

// A line whose record names the drawing's first entity as the next one, so
// that the chain read from the file comes back to where it started.
class LinkingBackLine : public FcLine {
 public:
  int WriteDwg(FcFilerDwg& filer, FcHandle previous, FcHandle, FcHandle extra1, FcHandle extra2,
               FcHandle extra3) override {
    return FcLine::WriteDwg(filer, previous, previous, extra1, extra2, extra3);
  }
};

// Rebuilds the object map of a valid file at its end after changing it.
Bytes WithChangedMap(const Bytes& valid, const std::function<void(FcObjectMap&)>& change) {
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(valid), FcFileKind::kDwg);
  FcDwgSections sections;
  EXPECT_EQ(ReadDwgVersion(filer, sections), FcDwgVersionResult::kRead);
  EXPECT_TRUE(ReadSectionLocators(filer, sections));
  EXPECT_TRUE(ReadObjectMap(filer, sections));
  change(filer.GetObjectMap());
  filer.Seek(0, FcSeekOrigin::kEnd);
  WriteDwgObjectMap(filer, sections);
  WriteDwgSectionLocators(filer, sections);
  return filer.DetachFile()->TakeBytes();
}

TEST(DwgFileTest, DamagedFilesGiveAnErrorResult) {
  FcGraph graph;
  FillTestDrawing(graph);
  FcGraph looping;
  AddTestLine(looping, {0, 0}, {1, 0});
  looping.AddEntity(new LinkingBackLine, false);
  AddTestLine(looping, {2, 0}, {3, 0});
  const Bytes valid = WriteToMemory(graph);
  const std::int64_t firstObject = [&] {
    FcFilerDwg filer;
    filer.AttachFile(std::make_unique<FcFile>(valid), FcFileKind::kDwg);
    FcDwgSections sections;
    ReadDwgVersion(filer, sections);
    ReadSectionLocators(filer, sections);
    ReadObjectMap(filer, sections);
    return filer.GetObjectMap().Entries().front().offset;
  }();

  struct Case {
    const char* name;
    std::function<Bytes()> make;
    FcDwgReadResult result;
  };
  const Case cases[] = {
      {"another release", [&] { Bytes b = valid; b[5] = '8'; return b; }, FcDwgReadResult::kOtherRelease},
      {"not a DWG file", [&] { Bytes b = valid; b[0] = 'X'; return b; }, FcDwgReadResult::kError},
      {"shorter than its release", [] { return Bytes{'A', 'C', '1'}; }, FcDwgReadResult::kError},
      {"wrong locator sentinel", [&] { Bytes b = valid; b[0x55] ^= 1; return b; }, FcDwgReadResult::kError},
      {"bad locator CRC", [&] { Bytes b = valid; b[0x4F] ^= 1; return b; }, FcDwgReadResult::kError},
      {"locator count 7", [&] { Bytes b = valid; b[0x15] = 7; return b; }, FcDwgReadResult::kError},
      {"bad object CRC", [&] { Bytes b = valid; b[static_cast<std::size_t>(firstObject) + 4] ^= 0x10; return b; },
       FcDwgReadResult::kError},
      {"map offset past the end",
       [&] {
         return WithChangedMap(valid, [](FcObjectMap& map) {
           const FcObjectMapEntry last = map.Entries().back();
           map.Insert(last.handle + 1, 1 << 30);
         });
       },
       FcDwgReadResult::kError},
      {"truncated", [&] { return Bytes(valid.begin(), valid.begin() + static_cast<long>(valid.size() / 2)); },
       FcDwgReadResult::kError},
      {"looping entity chain", [&] { return WriteToMemory(looping); }, FcDwgReadResult::kError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph target;
    EXPECT_EQ(ReadFromMemory(c.make(), target), c.result);
  }
}

TEST(DwgFileTest, DefaultObjectsAreMadeOnceAndExtraPaperSpacesGo) {
  FcGraph graph;
  FcDictionary& named = graph.GetNamedObjects();
  named.Remove("ACAD_LAYOUT");
  named.Remove("ACAD_PLOTSTYLENAME");
  named.Remove("ACAD_MLINESTYLE");
  FcBlockList& blocks = graph.GetBlockList();
  blocks.GetAt(0)->SetLayoutHandle(0);
  blocks.GetAt(1)->SetLayoutHandle(0);
  blocks.AddNew()->SetName("*Paper_Space0");
  blocks.AddNew()->SetName("*PAPER_SPACE7");
  blocks.AddNew()->SetName("Kept");
  FcLayer* layer = graph.FindOrCreateLayer("Styled");
  layer->SetPlotStyle(12345);
  graph.FindOrCreateLayer("Plain")->SetPlotStyle(0);

  CompleteDefaultObjects(graph);
  const auto* layouts = dynamic_cast<FcDictionary*>(named.GetAt("ACAD_LAYOUT"));
  ASSERT_NE(layouts, nullptr);
  for (int i = 0; i < 2; ++i) {
    const auto* layout = dynamic_cast<FcLayout*>(layouts->FindByHandle(blocks.GetAt(i)->GetLayoutHandle()));
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->blockRecord, blocks.GetAt(i)->GetHandle());
    EXPECT_EQ(layout->layoutName.str(), i == 0 ? "Model" : "Layout1");
  }
  EXPECT_EQ(blocks.GetBlockCount(), 3);
  EXPECT_EQ(blocks.GetAt(2)->GetName(), "Kept");
  EXPECT_EQ(dynamic_cast<FcDictionary*>(named.GetAt("ACAD_MLINESTYLE"))->GetEntryCount(), 1);
  const auto* plotStyles = dynamic_cast<FcDictionaryWidthDefault*>(named.GetAt("ACAD_PLOTSTYLENAME"));
  ASSERT_NE(plotStyles, nullptr);
  const FcHandle normal = plotStyles->GetEntry(0).object->GetHandle();
  EXPECT_EQ(graph.GetLayerList().FindByName("Plain")->GetPlotStyle(), normal);
  EXPECT_EQ(layer->GetPlotStyle(), 12345u);
  EXPECT_EQ(graph.GetClassList().GetCount(), 9);

  const FcHandle seed = graph.GetHandleSeed();
  const int entries = named.GetCount();
  CompleteDefaultObjects(graph);
  EXPECT_EQ(graph.GetHandleSeed(), seed);
  EXPECT_EQ(named.GetCount(), entries);
  EXPECT_EQ(graph.GetClassList().GetCount(), 9);
}

TEST(DwgFileTest, SavedFileReadsBackAndNamesTheDrawing) {
  const std::string folder = ::testing::TempDir() + "dwg_file_test";
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/saved.dwg";
  FcGraph graph;
  FillTestDrawing(graph);
  graph.GetSysVars().Modified = 1;
  ASSERT_EQ(WriteDwg(graph, path, true, false), FcDwgWriteResult::kDone);
  EXPECT_EQ(graph.GetSysVars().Modified, 0);
  EXPECT_EQ(graph.GetSysVars().dwgname.str(), "saved.dwg");
  EXPECT_EQ(graph.GetSysVars().dwgtitled, 1);

  FcFilerDwg filer;
  ASSERT_TRUE(filer.Open(path, kFcOpenRead, FcFileKind::kDwg));
  FcGraph reread;
  EXPECT_EQ(ReadDwgFile(reread, filer), FcDwgReadResult::kDone);
  EXPECT_EQ(Contents(reread), Contents(graph));
  EXPECT_EQ(reread.GetSysVars().dwgname.str(), "saved.dwg");

  graph.GetSysVars().Modified = 1;
  EXPECT_EQ(WriteDwg(graph, folder + "/missing/other.dwg", false, false), FcDwgWriteResult::kCannotCreate);
  EXPECT_EQ(graph.GetSysVars().Modified, 1);
  EXPECT_EQ(graph.GetSysVars().dwgname.str(), "saved.dwg");
  std::filesystem::remove_all(folder);
}

}  // namespace
