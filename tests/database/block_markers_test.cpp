#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/block_markers.h"
#include "filers/file_object.h"
#include "filers/filer.h"
#include "platform/recording_frame_link.h"

namespace {

std::string Groups(const std::vector<std::pair<int, std::string>>& groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += " " + std::to_string(code) + "\r\n" + value + "\r\n";
  return text;
}

void Attach(FcFiler& filer, const std::string& bytes, FcGraph& graph) {
  filer.AttachFile(std::make_unique<FcFile>(std::vector<char>(bytes.begin(), bytes.end())), FcFileKind::kAsciiDxf);
  filer.SetGraph(&graph);
}

TEST(BlockMarkers, BlockBeginDxfRecord) {
  FcGraph graph;
  FcBlockBegin begin;
  begin.SetHandle(0x1C);
  begin.SetBlockName("Door");
  begin.SetBasePoint({1.5, -2.0});
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kAsciiDxf);
  ASSERT_EQ(begin.WriteDxf(filer), kFcStatusOk);
  const FcFile* file = filer.GetFile();
  EXPECT_EQ(std::string(file->Data(), static_cast<std::size_t>(file->GetLength())),
            Groups({{0, "BLOCK"}, {5, "1C"}, {330, "0"}, {100, "AcDbEntity"}, {8, "0"},
                    {100, "AcDbBlockBegin"}, {2, "Door"}, {70, "0"}, {10, "1.5"}, {20, "-2.0"},
                    {3, "Door"}, {1, ""}}));
}

TEST(BlockMarkers, DxfReads) {
  const std::vector<std::pair<int, std::string>> common = {{5, "30"}, {100, "AcDbEntity"}, {8, "0"}};
  auto record = [&](std::vector<std::pair<int, std::string>> own) {
    std::vector<std::pair<int, std::string>> groups = common;
    groups.insert(groups.end(), own.begin(), own.end());
    return Groups(groups);
  };
  struct Case {
    const char* name;
    std::string text;
    bool begin;
    int status;
  };
  const Case cases[] = {
      {"BeginLaterNameWins",
       record({{100, "AcDbBlockBegin"}, {2, "First"}, {70, "2"}, {10, "4.0"}, {20, "5.0"}, {3, "Second"},
               {0, "ENDBLK"}}),
       true, kFcStatusOk},
      {"BeginWithoutMarker", record({{2, "First"}}), true, kFcStatusEnd},
      {"BeginEndOfInput", record({{100, "AcDbBlockBegin"}, {2, "First"}}), true, kFcStatusEnd},
      {"EndRecord", record({{100, "AcDbBlockEnd"}, {0, "SECTION"}}), false, kFcStatusOk},
      {"EndWrongMarker", record({{100, "AcDbBlockBegin"}}), false, kFcStatusEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    FcFiler filer;
    Attach(filer, c.text, graph);
    if (!c.begin) {
      FcBlockEnd end;
      EXPECT_EQ(end.ReadDxf(filer), c.status);
      continue;
    }
    FcBlockBegin begin;
    ASSERT_EQ(begin.ReadDxf(filer), c.status);
    if (c.status != kFcStatusOk) continue;
    EXPECT_EQ(begin.GetBlockName(), "Second");
    EXPECT_EQ(begin.GetBlockFlags(), 2);
    EXPECT_EQ(begin.GetBasePoint().x, 4.0);
    EXPECT_EQ(begin.GetBasePoint().y, 5.0);
  }
}

TEST(BlockMarkers, TransformMovesOnlyTheBasePoint) {
  FcBlockBegin begin;
  begin.SetBlockName("Door");
  begin.SetBasePoint({1.0, 1.0});
  FcMatrix2d move;
  TranslationMatrix(2.0, -1.0, move);
  std::unique_ptr<FcEntity> moved(begin.TransformedClone(move));
  auto* copy = dynamic_cast<FcBlockBegin*>(moved.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetBasePoint().x, 3.0);
  EXPECT_EQ(copy->GetBasePoint().y, 0.0);
  EXPECT_EQ(copy->GetBlockName(), "Door");
  EXPECT_EQ(begin.GetBasePoint().x, 1.0);
}

TEST(BlockMarkers, ListAndExplode) {
  RecordingFrameLink link;
  SetFrameLink(&link);
  FcBlockBegin begin;
  FcBlockEnd end;
  FcSeqend seqend;
  seqend.SetHandle(0xAB);
  begin.List();
  end.List();
  seqend.List();
  SetFrameLink(nullptr);
  EXPECT_EQ(link.HistoryLines(), (std::vector<std::string>{"  SEQEND     Layer: 0", "  Handle: AB"}));

  FcEntitySets target(8);
  EXPECT_TRUE(seqend.Explode(target));
  EXPECT_FALSE(begin.Explode(target));
  EXPECT_EQ(target.GetCount(), 0);
  EXPECT_TRUE(seqend.Draw(nullptr));
}

}  // namespace
