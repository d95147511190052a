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

}  // namespace
