#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "files/drawing_file.h"
#include "files/dxf_file_reader.h"
#include "filers/filer.h"
#include "platform/recording_frame_link.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<char> BytesOf(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

FcOpenResult OpenText(FcGraph& graph, const std::string& text) {
  std::uint8_t skipped = 0;
  return OpenDrawingFromMemory(graph, BytesOf(text), &skipped);
}

// The DXF reader's own result for the text, ASCII or binary, read into a
// drawing of its own.
FcDxfReadResult ReadText(const std::string& text) {
  const std::string sentinel("AutoCAD Binary DXF\r\n\x1A\0", 22);
  const bool binary = text.compare(0, sentinel.size(), sentinel) == 0;
  FcGraph graph;
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(BytesOf(text)), binary ? FcFileKind::kBinaryDxf : FcFileKind::kAsciiDxf);
  filer.SetGraph(&graph);
  if (binary) filer.Seek(static_cast<std::int64_t>(sentinel.size()), FcSeekOrigin::kBegin);
  return ReadDxf(graph, filer, nullptr);
}

TEST(DxfFileTest, DrawingsReadBackWithEveryRecordAndEntityEqual) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    for (const bool filled : {false, true}) {
      SCOPED_TRACE(std::string(kind == FcFileKind::kAsciiDxf ? "ASCII" : "binary") +
                   (filled ? ", with contents" : ", new drawing"));
      FcGraph original;
      if (filled) {
        FillTestDrawing(original);
        EXPECT_EQ(EntitiesByKind(original), "3DFACE:2 ARC:2 CIRCLE:2 IMAGE:2 LINE:4 POINT:2 RAY:2 SOLID:2 TRACE:2 XLINE:2 ");
      }
      const std::string expected = AsciiDxfWithoutSeed(original);

      FcGraph copy;
      std::uint8_t skipped = 1;
      ASSERT_EQ(OpenDrawingFromMemory(copy, DxfBytesOf(original, kind), &skipped), FcOpenResult::kDone);
      EXPECT_EQ(skipped, 0);
      EXPECT_EQ(copy.GetFileKind(), kind);
      EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(copy), expected), "");
      EXPECT_EQ(RecordCounts(copy), RecordCounts(original));
      EXPECT_GT(copy.GetHandleSeed(), original.GetHandleSeed());
      EXPECT_EQ(copy.GetCurrentLayer()->GetName(), original.GetCurrentLayer()->GetName());
      EXPECT_EQ(copy.GetCurrentBlock(), copy.GetBlockList().FindByName("*Model_Space"));
    }
  }
}

TEST(DxfFileTest, WrittenFilePassesTheIndependentAudit) {
  TempDir dir;
  FcGraph graph;
  FillTestDrawing(graph);
  const std::string path = dir.path() + "audit.dxf";
  graph.SetFileKind(FcFileKind::kAsciiDxf);
  ASSERT_EQ(WriteDxf(graph, path, true), FcSaveResult::kDone);

  const std::string command = "/usr/bin/python3 -c \"import sys, ezdxf; doc = ezdxf.readfile(sys.argv[1]); "
                              "auditor = doc.audit(); [print(e.message) for e in auditor.errors]; "
                              "sys.exit(1 if auditor.has_errors else 0)\" '" +
                              path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  EXPECT_EQ(pclose(pipe), 0) << output;
}

// A small file built group by group.
std::string Groups(std::initializer_list<std::pair<int, std::string>> groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += std::to_string(code) + "\r\n" + value + "\r\n";
  return text;
}

const std::string kHeaderR14 = Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "ac1014"}, {0, "ENDSEC"}});
const std::string kOneLine = Groups({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {5, "2A"}, {100, "AcDbEntity"},
                                     {8, "Survey"}, {100, "AcDbLine"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"},
                                     {0, "ENDSEC"}});
const std::string kEof = Groups({{0, "EOF"}});

TEST(DxfFileTest, FileWithOnlyHeaderAndEntitiesGetsTheMissingDefaults) {
  FcGraph graph;
  ASSERT_EQ(OpenText(graph, kHeaderR14 + kOneLine + kEof), FcOpenResult::kDone);

  ASSERT_NE(graph.GetLayerList().FindByName("Survey"), nullptr);
  ASSERT_NE(graph.GetLayerList().FindByName("0"), nullptr);
  EXPECT_NE(graph.GetLinetypeList().FindByName("Continuous"), nullptr);
  EXPECT_NE(graph.GetTextStyleList().Find("standard"), nullptr);
  EXPECT_NE(graph.GetDimStyleList().Find("ISO-25"), nullptr);
  EXPECT_NE(graph.GetNamedObjects().GetAt("ACAD_GROUP"), nullptr);
  FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  ASSERT_NE(modelSpace, nullptr);
  ASSERT_EQ(modelSpace->GetEntities().GetCount(), 1);
  EXPECT_EQ(modelSpace->GetEntities().GetAt(0)->GetLayer(), graph.GetLayerList().FindByName("Survey"));

  // Every record made after reading has a handle of its own, none the
  // line's.
  std::vector<FcHandle> handles{modelSpace->GetEntities().GetAt(0)->GetHandle()};
  for (int i = 0; i < graph.GetLayerList().GetCount(); ++i) handles.push_back(graph.GetLayerList().GetAt(i)->GetHandle());
  for (int i = 0; i < graph.GetLinetypeList().GetCount(); ++i) {
    handles.push_back(graph.GetLinetypeList().GetAt(i)->GetHandle());
  }
  for (int i = 0; i < graph.GetBlockList().GetBlockCount(); ++i) {
    handles.push_back(graph.GetBlockList().GetAt(i)->GetHandle());
  }
  handles.push_back(graph.GetTextStyleList().GetAt(0)->GetHandle());
  std::sort(handles.begin(), handles.end());
  EXPECT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end());
  EXPECT_EQ(handles.front() == 0, false);
}

// The reader tells what went wrong; opening the file reports every failure
// but a release it does not read as a read error, never as a file that
// could not be opened.
TEST(DxfFileTest, BadFilesGiveTheirResultAndLeaveTheDrawingAsItWas) {
  const std::string tables = Groups({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {5, "2"},
                                     {100, "AcDbSymbolTable"}, {70, "0"}, {0, "ENDTAB"}, {0, "ENDSEC"}});
  const std::string unknownOpen = Groups({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "3"}});
  const std::string complete = kHeaderR14 + kOneLine + kEof;
  struct Case {
    const char* name;
    std::string text;
    FcDxfReadResult read;
    FcOpenResult opened;
  } cases[] = {
      {"other release", Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {0, "ENDSEC"}}) +
                            kOneLine + kEof, FcDxfReadResult::kOtherRelease, FcOpenResult::kOtherRelease},
      {"layers before linetypes", kHeaderR14 + tables + kOneLine + kEof, FcDxfReadResult::kSectionFailed,
       FcOpenResult::kReadError},
      {"no EOF", kHeaderR14 + kOneLine, FcDxfReadResult::kNoEof, FcOpenResult::kReadError},
      {"EOF without entities", kHeaderR14 + kEof, FcDxfReadResult::kSectionFailed, FcOpenResult::kReadError},
      {"unknown section cut short", kHeaderR14 + unknownOpen, FcDxfReadResult::kSkipFailed,
       FcOpenResult::kReadError},
      {"cut in the middle", complete.substr(0, complete.size() / 2), FcDxfReadResult::kNoEof,
       FcOpenResult::kReadError},
      {"binary cut after the sentinel", std::string("AutoCAD Binary DXF\r\n\x1A\0\x00", 23), FcDxfReadResult::kNoEof,
       FcOpenResult::kReadError},
      {"binary with one-byte codes", std::string("AutoCAD Binary DXF\r\n\x1A\0\0SECTION\0\x02HEADER\0", 39),
       FcDxfReadResult::kOtherRelease, FcOpenResult::kOtherRelease},
      {"two entities with one handle", kHeaderR14 + kOneLine + kOneLine + kEof, FcDxfReadResult::kSectionFailed,
       FcOpenResult::kReadError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingFrameLink link;
    SetFrameLink(&link);
    EXPECT_EQ(ReadText(c.text), c.read);
    FcGraph graph;
    FillTestDrawing(graph);
    const std::string before = AsciiDxfOf(graph);
    link.Clear();
    EXPECT_EQ(OpenText(graph, c.text), c.opened);
    EXPECT_EQ(FirstDifference(AsciiDxfOf(graph), before), "");
    const std::vector<std::string> lines = link.HistoryLines();
    const bool toldRelease = std::find(lines.begin(), lines.end(), kDxfOtherReleaseMessage) != lines.end();
    EXPECT_EQ(toldRelease, c.opened == FcOpenResult::kOtherRelease);
    SetFrameLink(nullptr);
  }
}

std::string HandleText(FcHandle handle) {
  char text[17] = {};
  std::to_chars(text, text + 16, handle, 16);
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  return upper;
}

std::vector<FcHandle> ReactorHandles(const FcGraph& graph) {
  std::vector<FcHandle> handles;
  const auto* images = dynamic_cast<const FcDictionary*>(graph.GetNamedObjects().GetAt(kImageDictionaryName));
  const auto* definition = images != nullptr ? dynamic_cast<const FcRasterImageDef*>(images->GetAt("swatch")) : nullptr;
  if (definition == nullptr) return handles;
  for (int i = 0; i < definition->GetReactors().GetCount(); ++i) {
    handles.push_back(definition->GetReactors().GetAt(i)->GetHandle());
  }
  return handles;
}

// Images keep their reactors' handles through a read, but two images that
// name the same reactor must not end up with one handle.
TEST(DxfFileTest, ImagesNamingOneReactorGetReactorsOfTheirOwn) {
  FcGraph original;
  FillTestDrawing(original);
  const std::vector<FcHandle> written = ReactorHandles(original);
  ASSERT_EQ(written.size(), 2u);
  std::string text = AsciiDxfOf(original);
  const std::string second = " 360\r\n" + HandleText(written[1]) + "\r\n";
  ASSERT_NE(text.find(second), std::string::npos);
  text.replace(text.find(second), second.size(), " 360\r\n" + HandleText(written[0]) + "\r\n");

  FcGraph copy;
  ASSERT_EQ(OpenText(copy, text), FcOpenResult::kDone);
  const std::vector<FcHandle> read = ReactorHandles(copy);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_NE(read[0], read[1]);
  EXPECT_TRUE(read[0] == written[0] || read[1] == written[0]);
  EXPECT_LT(std::max(read[0], read[1]), copy.GetHandleSeed());
}

TEST(DxfFileTest, UnknownRecordsAreSkippedAndCounted) {
  const std::string objects = Groups({{0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"}, {5, "C"},
                                      {100, "AcDbDictionary"}, {0, "WIDGET"}, {5, "D"}, {0, "ENDSEC"}});
  const std::string entities = Groups({{0, "SECTION"}, {2, "ENTITIES"}, {0, "GIZMO"}, {5, "E"}, {8, "0"},
                                       {0, "GIZMO"}, {5, "F"}, {0, "ENDSEC"}});
  FcGraph graph;
  std::uint8_t skipped = 0;
  FcSkippedRecords byKind;
  const std::string text = kHeaderR14 + entities + objects + kEof;
  ASSERT_EQ(OpenDrawingFromMemory(graph, BytesOf(text), &skipped, &byKind), FcOpenResult::kDone);
  EXPECT_EQ(skipped, 1);
  EXPECT_EQ(byKind, (FcSkippedRecords{{"GIZMO", 2}, {"WIDGET", 1}}));
  EXPECT_EQ(graph.GetSkippedRecords(), byKind);
}

}  // namespace
