#include <algorithm>
#include <string>
#include <vector>

#include "commands/dialogs/hatch_dlg.h"
#include "database/block_markers.h"
#include "database/layer.h"
#include "entities/arc.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "entities/dimension.h"
#include "entities/hatch.h"
#include "entities/polyline.h"
#include "files/drawing_file.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/door_block.h"
#include "tests/support/pickable_script.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

using ExplodeCommandTest = PickableScriptTest;

// The handles a layer lists as its members, sorted.
std::vector<FcHandle> MembersOf(const FcLayer& layer) {
  const CDataArray<FcHandle>& handles = layer.GetEntityHandles();
  std::vector<FcHandle> members(handles.items, handles.items + handles.count);
  std::sort(members.begin(), members.end());
  return members;
}

TEST_F(ExplodeCommandTest, APolylineBecomesLinesAndArcsWithItsPropertiesAndThePreviousSelection) {
  script_.OnWindowThread([this] {
    FcGraph& graph = script_.Drawing();
    graph.SetCurrentLayer(graph.FindOrCreateLayer("Walls")->GetName());
    auto* polyline = new FcPolyline;
    polyline->AppendVertex({100, 100}, 0, 0, 0);
    polyline->AppendVertex({200, 100}, 0, 0, 1);
    polyline->AppendVertex({200, 150}, 0, 0, 0);
    graph.AddEntity(polyline, true);
    polyline->SetColor(3);
    graph.SetCurrentLayer("0");
    return 0;
  });
  ASSERT_TRUE(script_.Run({"explode", "all", ""}));
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  const std::vector<const FcArc*> arcs = EntitiesOf<FcArc>();
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(arcs.size(), 1u);
  ExpectPointNear(lines[0]->GetStartPoint(), {100, 100}, 1e-9);
  ExpectPointNear(lines[0]->GetEndPoint(), {200, 100}, 1e-9);
  ExpectPointNear(arcs[0]->GetCenter(), {200, 125}, 1e-9);
  EXPECT_NEAR(arcs[0]->GetRadius(), 25, 1e-9);
  for (const FcEntity* part : std::vector<const FcEntity*>{lines[0], arcs[0]}) {
    EXPECT_EQ(part->GetLayer()->GetName(), "Walls");
    EXPECT_EQ(part->GetColor(), 3);
  }
  // The layer lists the parts by their handles, and nothing else.
  std::vector<FcHandle> parts{lines[0]->GetHandle(), arcs[0]->GetHandle()};
  std::sort(parts.begin(), parts.end());
  EXPECT_EQ(script_.OnWindowThread([&] { return MembersOf(*lines[0]->GetLayer()); }), parts);
  EXPECT_EQ(UndoNames().back(), "Explode");

  // "Previous" at the next selection takes the parts.
  ASSERT_TRUE(script_.Run({"array", "p", "", "r", "", "2", "300"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 2u);
  EXPECT_EQ(EntitiesOf<FcArc>().size(), 2u);

  ASSERT_TRUE(script_.Run({"undo"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcPolyline>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
  EXPECT_TRUE(EntitiesOf<FcArc>().empty());
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcArc>().size(), 1u);
}

TEST_F(ExplodeCommandTest, LinesStayAsTheyAreWithoutAnUndoStepAndRemainThePreviousSelection) {
  ASSERT_TRUE(script_.Run({"line", "100,100", "150,100", ""}));
  const std::vector<const FcLine*> before = EntitiesOf<FcLine>();
  ASSERT_TRUE(script_.Run({"explode", "all", ""}));
  EXPECT_EQ(EntitiesOf<FcLine>(), before);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});
  EXPECT_EQ(LastPrinted(), "1 Object(s) selected.");
  ASSERT_TRUE(script_.Run({"array", "p", "", "r", "", "2", "100"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 2u);
}

// Block DOOR holds a line from (0,0) to (0,40) and the definition ROOM. A
// reference scaled by 2 and turned by 90 degrees explodes into the placed
// line and definition, its attribute going with it; a reference of
// unequal scales refuses and keeps its attribute and sequence end.
TEST_F(ExplodeCommandTest, ABlockReferenceGivesItsPlacedEntitiesAndARefusedOneKeepsItsAttributes) {
  DrawDoorBlockContents(script_);
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "100,100", "2", "2", "90", "B7"}));
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "300,100", "2", "1", "0", "C9"}));
  ASSERT_EQ(EntitiesOf<FcAttribute>().size(), 2u);

  ASSERT_TRUE(script_.Run({"explode", "all", ""}));
  EXPECT_EQ(LastPrinted(), "Can't explode the block that the X scale don't equal Y scale.");
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  ExpectPointNear(inserts[0]->GetInsertionPoint(), {300, 100}, 1e-9);
  const std::vector<const FcAttribute*> attributes = EntitiesOf<FcAttribute>();
  ASSERT_EQ(attributes.size(), 1u);
  EXPECT_EQ(attributes[0]->GetText(), "C9");
  EXPECT_EQ(EntitiesOf<FcSeqend>().size(), 1u);
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 1u);
  ExpectPointNear(lines[0]->GetStartPoint(), {100, 100}, 1e-9);
  ExpectPointNear(lines[0]->GetEndPoint(), {20, 100}, 1e-9);
  EXPECT_EQ(EntitiesOf<FcAttributeDef>().size(), 1u);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 2u);
  EXPECT_EQ(EntitiesOf<FcAttribute>().size(), 2u);
  EXPECT_EQ(EntitiesOf<FcSeqend>().size(), 2u);
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
  EXPECT_TRUE(EntitiesOf<FcAttributeDef>().empty());
}

// A linear dimension and a pattern hatch inside four lines explode into
// lines and the like that a file keeps as plain entities.
TEST_F(ExplodeCommandTest, DimensionsAndHatchesBecomePlainEntitiesThatAFileKeeps) {
  const ProgramSettingsGuard settings;
  GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Support";
  ScriptedDialogs dialogs;
  dialogs.Answer<CHatchDlg>([](CHatchDlg&) { return CHatchDlg::kSelectBoundary; });
  dialogs.Answer<CHatchDlg>([](CHatchDlg& dialog) {
    dialog.m_strPattern = "ansi31";
    dialog.m_dScale = 1;
    dialog.m_dAngle = 0;
    return CHatchDlg::kApply;
  });
  for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
           {"line", "100,100", "200,100", "200,180", "100,180", "c"},
           {"hatch", "all", ""},
           {"DimLinear", "100,200", "200,200", "150,230", ""}}) {
    ASSERT_TRUE(RunScript(script_, command[0], {command.begin() + 1, command.end()})) << command[0];
  }
  ASSERT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  ASSERT_EQ(EntitiesOf<FcDimension>().size(), 1u);

  ASSERT_TRUE(script_.Run({"explode", "all", ""}));
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  EXPECT_TRUE(EntitiesOf<FcDimension>().empty());
  const std::size_t lines = EntitiesOf<FcLine>().size();
  // The box, the hatch's pattern lines and the dimension's lines.
  EXPECT_GT(lines, 4u + 5u + 3u);

  TempDir folder;
  const std::string path = folder.path() + "exploded.dxf";
  ASSERT_TRUE(script_.OnWindowThread([&] {
    return SaveDrawing(script_.Drawing(), path, FcFileKind::kAsciiDxf, false, false) == FcSaveResult::kDone;
  }));
  const std::string library = "/usr/bin/python3 '" + LibraryScript() + "' ";
  const CommandResult audit = RunCommand(library + "audit '" + path + "'");
  EXPECT_EQ(audit.status, 0) << audit.output;
  const CommandResult counts = RunCommand(library + "counts '" + path + "' --layouts DIMENSION HATCH LINE");
  EXPECT_EQ(counts.output, "DIMENSION:0 HATCH:0 LINE:" + std::to_string(lines) + "\n");

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcDimension>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

}  // namespace
