#include <gtest/gtest.h>

#include <string>

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

}  // namespace
