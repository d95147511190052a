#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/block.h"
#include "database/graph.h"
#include "database/block_markers.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "files/drawing_file.h"
#include "files/dxf_file_writer.h"
#include "database/graph_references.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

FcInsert* AddFlagReference(FcGraph& graph, FcPoint2d at) {
  auto* insert = new FcInsert;
  graph.AddEntity(insert, false);
  insert->SetBlockName("FLAG");
  insert->SetInsertionPoint(at);
  return insert;
}

// Block references written in both DXF forms read back in the independent
// library with the same block, point, scales, rotation, array and
// attributes, and pass its audit.
TEST(InsertFilesTest, TheLibraryReadsOurReferencesAsWritten) {
  FcGraph graph;
  FcBlock* block = graph.GetBlockList().AddNew();
  block->SetName("FLAG");
  auto* line = new FcLine;
  line->SetEndPoint({0, 2});
  graph.TakeHandle(*line);
  line->SetLayer(graph.GetCurrentLayer());
  block->AddEntity(line);
  AddFlagReference(graph, {7, 7});
  FcInsert* array = AddFlagReference(graph, {1.5, -2});
  array->SetXScale(2);
  array->SetYScale(-0.5);
  array->SetRotation(kHalfPi);
  array->SetRows(3);
  array->SetColumns(2);
  array->SetRowSpacing(4);
  array->SetColumnSpacing(2.5);
  array->SetEntitiesFollow(1);
  auto* attribute = new FcAttribute;
  attribute->SetTag("ROOM");
  attribute->SetText("B7");
  graph.AddEntity(attribute, false);
  graph.AddEntity(new FcSeqend, false);

  const std::string expected =
      "INSERT FLAG at 7,7 scale 1,1 rotation 0 columns 1 x 0 rows 1 x 0\n"
      "INSERT FLAG at 1.5,-2 scale 2,-0.5 rotation 90 columns 2 x 2.5 rows 3 x 4\n"
      "  ATTRIB ROOM = B7\n";
  TempDir folder;
  for (FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::string path = folder.path() + "flags.dxf";
    ASSERT_EQ(WriteDxfFile(graph, path, kind, false), FcDxfWriteResult::kDone);
    const CommandResult read = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' inserts '" + path + "'");
    EXPECT_EQ(read.status, 0) << read.output;
    EXPECT_EQ(read.output, expected);
  }
}


// A block with an attribute definition and a reference that carries its
// attribute come back from both file forms whole: the reference, its
// attribute with the same tag, value and flags, the closing SEQEND and the
// definition in the block.
TEST(InsertFilesTest, AttributesComeBackFromEveryFileForm) {
  FcGraph graph;
  FcBlock* block = graph.GetBlockList().AddNew();
  block->SetName("FLAG");
  auto* definition = new FcAttributeDef;
  definition->SetTag("ROOM");
  definition->SetPrompt("Room number");
  definition->SetText("A1");
  definition->SetFlags(kAttributePreset);
  graph.TakeHandle(*definition);
  definition->SetLayer(graph.GetCurrentLayer());
  block->AddEntity(definition);
  FcInsert* insert = AddFlagReference(graph, {7, 7});
  insert->SetEntitiesFollow(1);
  auto* attribute = new FcAttribute;
  attribute->SetTag("ROOM");
  attribute->SetText("B7");
  attribute->SetFlags(kAttributeInvisible | kAttributeVerify);
  graph.AddEntity(attribute, false);
  graph.AddEntity(new FcSeqend, false);

  TempDir folder;
  for (const char* name : {"flags.dwg", "flags.dxf"}) {
    SCOPED_TRACE(name);
    const std::string path = folder.path() + name;
    const FcFileKind kind = std::string(name).ends_with(".dwg") ? FcFileKind::kDwg : FcFileKind::kAsciiDxf;
    ASSERT_EQ(SaveDrawing(graph, path, kind, false, false), FcSaveResult::kDone);
    FcGraph opened;
    ASSERT_EQ(OpenDrawing(opened, path, false, nullptr), FcOpenResult::kDone);
    std::vector<std::string> kinds;
    for (const FcEntity* entity : *opened.GetCurrentEntitySet()) kinds.push_back(entity->GetRecordName());
    ASSERT_EQ(kinds, (std::vector<std::string>{"INSERT", "ATTRIB", "SEQEND"}));
    const auto* readInsert = dynamic_cast<const FcInsert*>(opened.GetCurrentEntitySet()->GetAt(0));
    EXPECT_EQ(readInsert->GetEntitiesFollow(), 1);
    const auto* readAttribute = dynamic_cast<const FcAttribute*>(opened.GetCurrentEntitySet()->GetAt(1));
    EXPECT_EQ(readAttribute->GetTag(), "ROOM");
    EXPECT_EQ(readAttribute->GetText(), "B7");
    EXPECT_EQ(readAttribute->GetFlags(), kAttributeInvisible | kAttributeVerify);
    EXPECT_TRUE(readAttribute->IsSubEntity());
    const FcBlock* readBlock = opened.GetBlockList().FindByName("FLAG");
    ASSERT_NE(readBlock, nullptr);
    ASSERT_EQ(readBlock->GetEntities().GetCount(), 1);
    const auto* readDefinition = dynamic_cast<const FcAttributeDef*>(readBlock->GetEntities().GetAt(0));
    ASSERT_NE(readDefinition, nullptr);
    EXPECT_EQ(readDefinition->GetTag(), "ROOM");
    EXPECT_EQ(readDefinition->GetPrompt(), "Room number");
    EXPECT_EQ(readDefinition->GetText(), "A1");
    EXPECT_EQ(readDefinition->GetFlags(), kAttributePreset);
  }
}

// The name in the first block reference record that names `from`.
bool RenameReference(std::string& dxf, const std::string& from, const std::string& to) {
  const std::string marker = "AcDbBlockReference";
  for (std::size_t at = dxf.find(marker); at != std::string::npos; at = dxf.find(marker, at + 1)) {
    const std::size_t name = dxf.find("\n" + from + "\r\n", at);
    if (name == std::string::npos || name - at > 40) continue;
    dxf.replace(name + 1, from.size(), to);
    return true;
  }
  return false;
}

// A file whose references name a block it lacks, or make a block reach
// itself through another, opens with those references left out, draws and
// saves.
TEST(InsertFilesTest, FilesWithMissingOrLoopingBlocksOpenWithoutThem) {
  FcGraph graph;
  for (const char* name : {"LOOPB", "LOOPC", "LOOPD", "GHOST"}) graph.GetBlockList().AddNew()->SetName(name);
  auto addTo = [&graph](const char* blockName, FcEntity* entity) {
    graph.TakeHandle(*entity);
    entity->SetLayer(graph.GetCurrentLayer());
    EXPECT_TRUE(graph.GetBlockList().FindByName(blockName)->AddEntity(entity));
  };
  auto reference = [&addTo](const char* owner, const char* name) {
    auto* insert = new FcInsert;
    addTo(owner, insert);
    insert->SetBlockName(name);
  };
  reference("LOOPB", "LOOPC");
  reference("LOOPC", "LOOPD");
  addTo("LOOPD", new FcLine);
  addTo("GHOST", new FcLine);
  AddFlagReference(graph, {0, 0})->SetBlockName("LOOPB");
  FcInsert* ghost = AddFlagReference(graph, {5, 5});
  ghost->SetBlockName("GHOST");
  ghost->SetEntitiesFollow(1);
  auto* attribute = new FcAttribute;
  attribute->SetTag("ROOM");
  graph.AddEntity(attribute, false);
  graph.AddEntity(new FcSeqend, false);

  std::string dxf = AsciiDxfOf(graph);
  // LOOPC now names LOOPB, which holds LOOPC; the model space reference
  // names a block that is nowhere.
  ASSERT_TRUE(RenameReference(dxf, "LOOPD", "LOOPB"));
  ASSERT_TRUE(RenameReference(dxf, "GHOST", "NOWHERE"));
  FcGraph opened;
  ASSERT_EQ(OpenDrawingFromMemory(opened, std::vector<char>(dxf.begin(), dxf.end()), nullptr), FcOpenResult::kDone);
  std::vector<std::string> kinds;
  for (const FcEntity* entity : *opened.GetCurrentEntitySet()) kinds.push_back(entity->GetRecordName());
  EXPECT_EQ(kinds, std::vector<std::string>{"INSERT"});
  const FcBlock* b = opened.GetBlockList().FindByName("LOOPB");
  const FcBlock* c = opened.GetBlockList().FindByName("LOOPC");
  ASSERT_NE(b, nullptr);
  ASSERT_NE(c, nullptr);
  // One link of the loop is refused: the chain ends.
  EXPECT_EQ(b->GetEntities().GetCount() + c->GetEntities().GetCount(), 1);
  opened.Regen();
  MarkReferences(opened, nullptr);
  EXPECT_FALSE(AsciiDxfOf(opened).empty());
}

}  // namespace
