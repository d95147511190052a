#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/block_markers.h"
#include "entities/attribute.h"
#include "entities/circle.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "commands/dialogs/att_ext_dlg.h"
#include "commands/dialogs/block_def_dlg.h"
#include "commands/dialogs/insert_blk_dlg.h"
#include "commands/dialogs/question_dlg.h"
#include "commands/dialogs/save_dwg_dlg.h"
#include "commands/dialogs/select_blk_dlg.h"
#include "files/drawing_file.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"

namespace {

class BlockCommandsTest : public CommandScriptTest {
 protected:
  // A line and a circle in model space.
  void DrawDoor() {
    script_.OnWindowThread([this] {
      FcGraph& graph = script_.Drawing();
      auto* line = new FcLine;
      line->SetStartPoint({1, 1});
      line->SetEndPoint({3, 1});
      graph.AddEntity(line, false);
      auto* circle = new FcCircle;
      circle->SetCenter({2, 2});
      circle->SetRadius(1);
      graph.AddEntity(circle, false);
      return 0;
    });
  }

  int BlockEntityCount(const std::string& name) {
    return script_.OnWindowThread([this, name] {
      const FcBlock* block = script_.Drawing().GetBlockList().FindByName(name);
      return block != nullptr ? block->GetEntities().GetCount() : -1;
    });
  }

  std::string InsName() {
    return script_.OnWindowThread([this] { return std::string(script_.Drawing().GetSysVars().insname.str()); });
  }

  int ModelSpaceCount() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetCurrentEntitySet()->GetCount(); });
  }

  // A definition of the room number, whose default value is A1.
  void DrawRoomDefinition() {
    script_.OnWindowThread([this] {
      auto* definition = new FcAttributeDef;
      definition->SetTag("ROOM");
      definition->SetPrompt("Room number");
      definition->SetText("A1");
      script_.Drawing().AddEntity(definition, false);
      return 0;
    });
  }

  // The block dialog's OK as the user presses it: refused (and then
  // cancelled here) unless the members pass its checks.
  static int PressOk(CBlkDefDlg& dialog) {
    std::string message;
    return dialog.OnOK(message) ? CModalDialog::kOk : CModalDialog::kCancel;
  }

  std::vector<std::string> MessageBoxes() {
    std::vector<std::string> texts;
    for (const RecordingFrameLink::Call& call : script_.Printed().Calls()) {
      if (call.message == FrameMessage::kMessageBox) texts.push_back(call.text);
    }
    return texts;
  }

  ScriptedDialogs dialogs_;
};

TEST_F(BlockCommandsTest, BlockMovesTheSelectionIntoANewBlockThatUndoTakesBack) {
  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "?", "  DOOR ", "1,1", "all", ""}));
  EXPECT_EQ(BlockEntityCount("DOOR"), 2);
  EXPECT_EQ(ModelSpaceCount(), 0);
  EXPECT_EQ(InsName(), "DOOR");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"-Block"});
  const std::vector<std::string> printed = Printed();
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.front(), "  Blocks defined in this drawing:");
  const FcPoint2d base = script_.OnWindowThread(
      [this] { return script_.Drawing().GetBlockList().FindByName("DOOR")->GetBasePoint(); });
  ExpectPointNear(base, {1, 1}, 1e-9);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(BlockEntityCount("DOOR"), -1);
  EXPECT_EQ(ModelSpaceCount(), 2);
}

TEST_F(BlockCommandsTest, BlockAsksAgainForANameInUseAndMakesNothingFromAnEmptySelection) {
  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  DrawDoor();
  script_.Printed().Clear();
  // The blanks around the name do not make a second DOOR.
  ASSERT_TRUE(script_.Run({"-block", " door ", "WINDOW", "0,0", ""}));
  bool told = false;
  for (const RecordingFrameLink::Call& call : script_.Printed().Calls()) {
    told = told || (call.message == FrameMessage::kMessageBox &&
                    call.text == "There aleady is the same block name in the drawing!\nPlease enter the new block name!");
  }
  EXPECT_TRUE(told);
  EXPECT_EQ(BlockEntityCount("WINDOW"), -1);
  EXPECT_EQ(ModelSpaceCount(), 2);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"-Block"});
}

TEST_F(BlockCommandsTest, InsertPlacesAReferenceAtTheAnsweredPointScalesAndAngle) {
  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().luprec = 2;
    return 0;
  });
  ASSERT_TRUE(script_.Run({"-insert", "NOPE", "door", "5,6", "2.5", "", "90"}));
  EXPECT_EQ(LastPrinted(), "Invalid block name! Please type ? for a list of block names.");
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(std::count(prompts.begin(), prompts.end(), "Block name or ? <DOOR>"), 2);
  EXPECT_NE(std::find(prompts.begin(), prompts.end(), "Y Scale<2.50>"), prompts.end());
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  EXPECT_EQ(inserts[0]->GetBlockName(), "DOOR");
  ExpectPointNear(inserts[0]->GetInsertionPoint(), {5, 6}, 1e-9);
  EXPECT_DOUBLE_EQ(inserts[0]->GetXScale(), 2.5);
  EXPECT_DOUBLE_EQ(inserts[0]->GetYScale(), 2.5);
  EXPECT_NEAR(inserts[0]->GetRotation(), kHalfPi, 1e-9);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"-Block", "-Insert"}));

  // Enter takes the last block; a cancelled prompt leaves nothing behind.
  ASSERT_TRUE(script_.Run({"-insert", "", "1,1", kEsc}));
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"-Block", "-Insert"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
}

TEST_F(BlockCommandsTest, InsertAsksForEachAttributeValueAndFollowsTheReferenceWithThem) {
  DrawDoor();
  script_.OnWindowThread([this] {
    FcGraph& graph = script_.Drawing();
    auto* definition = new FcAttributeDef;
    definition->SetTag("ROOM");
    definition->SetPrompt("Room number");
    definition->SetText("A1");
    definition->SetInsertionPoint({1, 0});
    graph.AddEntity(definition, false);
    auto* fixed = new FcAttributeDef;
    fixed->SetTag("MAKER");
    fixed->SetText("KOVRA");
    fixed->SetFlags(kAttributeConstant);
    graph.AddEntity(fixed, false);
    return 0;
  });
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "10,20", "2", "", "", "B7"}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  EXPECT_EQ(prompts.back(), "Room number<A1>");
  struct Found {
    std::string kind, tag, value;
    FcPoint2d at;
  };
  const std::vector<Found> found = script_.OnWindowThread([this] {
    std::vector<Found> list;
    for (const FcEntity* entity : *script_.Drawing().GetCurrentEntitySet()) {
      Found item{entity->GetRecordName(), "", "", {}};
      if (const auto* attribute = dynamic_cast<const FcAttribute*>(entity)) {
        item.tag = attribute->GetTag();
        item.value = attribute->GetText();
        item.at = attribute->GetInsertionPoint();
      }
      list.push_back(item);
    }
    return list;
  });
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].kind, "INSERT");
  EXPECT_EQ(found[1].kind, "ATTRIB");
  EXPECT_EQ(found[1].tag, "ROOM");
  EXPECT_EQ(found[1].value, "B7");
  // The definition's point moves with the reference: scale 2 from (10, 20).
  ExpectPointNear(found[1].at, {12, 20}, 1e-9);
  EXPECT_EQ(found[2].tag, "MAKER");
  EXPECT_EQ(found[2].value, "KOVRA");
  EXPECT_EQ(found[3].kind, "SEQEND");
  EXPECT_EQ(EntitiesOf<FcInsert>()[0]->GetEntitiesFollow(), 1);

  // The value goes to the extraction file in the template's columns.
  TempDir folder;
  const std::string fields = folder.path() + "fields.txt";
  std::ofstream(fields) << "BL:NAME C006000\nROOM C004000\nBL:X N006001\n";
  const std::string output = folder.path() + "rooms.txt";
  dialogs_.Answer<CAttExtDlg>([](CAttExtDlg& dialog) {
    EXPECT_EQ(dialog.CountText(), "Number found: 0");
    return CAttExtDlg::kSelectObject;
  });
  dialogs_.Answer<CAttExtDlg>([&](CAttExtDlg& dialog) {
    EXPECT_EQ(dialog.m_nFound, 4) << "the reference, its two attributes and their end";
    dialog.m_strTemplateFile = fields;
    dialog.m_strOutputFile = output;
    dialog.m_nFormat = CAttExtDlg::kSpaceDelimited;
    return dialog.OnOK(nullptr) ? CModalDialog::kOk : CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"attext", "all", ""}));
  EXPECT_EQ(LastPrinted(), "1 records are written to file");
  std::ifstream written(output, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "DOOR  B7    10.0\r\n");

  // Esc at a value prompt leaves no reference behind.
  ASSERT_TRUE(script_.Run({"-insert", "DOOR", "0,0", "", "", "", kEsc}));
  EXPECT_EQ(LastPrinted(), "Unterminated Complex Entity.");
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(ModelSpaceCount(), 0);
}

TEST_F(BlockCommandsTest, WBlockWritesAFileThatOpensWithTheBlocksEntities) {
  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "1,1", "all", ""}));
  TempDir folder;
  const auto writeBlock = [this](const std::string& path, int type) {
    dialogs_.Answer<CSelectBlkDlg>([](CSelectBlkDlg& dialog) { return dialog.OnOK("DOOR"); });
    dialogs_.Answer<CSaveDWGDlg>([path, type](CSaveDWGDlg& dialog) {
      dialog.m_nFilterIndex = type;
      dialog.m_strPathName = path;
      return CModalDialog::kOk;
    });
    return script_.Run({"wblock"});
  };
  for (const char* name : {"panel.dxf", "panel.dwg"}) {
    SCOPED_TRACE(name);
    const std::string path = folder.path() + name;
    ASSERT_TRUE(writeBlock(path, std::string(name).ends_with(".dwg") ? CSaveDWGDlg::kDwgType : CSaveDWGDlg::kDxfType));
    FcGraph opened;
    ASSERT_EQ(OpenDrawing(opened, path, false, nullptr), FcOpenResult::kDone);
    std::vector<std::string> kinds;
    const FcBlock* modelSpace = opened.GetBlockList().FindByName("*Model_Space");
    ASSERT_NE(modelSpace, nullptr);
    for (const FcEntity* entity : modelSpace->GetEntities()) kinds.push_back(entity->GetRecordName());
    EXPECT_EQ(kinds, (std::vector<std::string>{"LINE", "CIRCLE"}));
    ExpectPointNear(opened.GetSysVars().insbase, {1, 1}, 1e-9);
  }
  // The drawing itself is not changed.
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"-Block"});
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  // A file that cannot be written is reported, not passed over.
  ASSERT_TRUE(writeBlock(folder.path() + "missing/panel.dxf", CSaveDWGDlg::kDxfType));
  EXPECT_EQ(LastPrinted(), "Can't write the block to the file \"" + folder.path() + "missing/panel.dxf\"!");

  // Inserting the written file brings it back as a block with a reference.
  ASSERT_TRUE(script_.Run({"-insert", folder.path() + "panel.dxf", "20,0", "", "", ""}));
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  const int drawn = script_.OnWindowThread([&inserts] {
    const FcBlock* block = inserts[0]->GetBlockRecord();
    return block != nullptr ? block->GetEntities().GetCount() : -1;
  });
  EXPECT_EQ(drawn, 2);

  // Undo takes back the reference, then the merged drawing with its block.
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"-Block", "Combine graph as a block", "-Insert"}));
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  EXPECT_EQ(BlockEntityCount("panel"), 2);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(BlockEntityCount("panel"), -1);
  EXPECT_EQ(BlockEntityCount("DOOR"), 2);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"-Block"});
}

TEST_F(BlockCommandsTest, TheBlockDialogPicksItsObjectsAndBaseAndConvertsThemIntoAReferenceThatOneUndoTakesBack) {
  DrawDoor();
  DrawRoomDefinition();
  dialogs_.Answer<CBlkDefDlg>([](CBlkDefDlg&) { return CBlkDefDlg::kSelectObjects; });
  dialogs_.Answer<CBlkDefDlg>([](CBlkDefDlg& dialog) {
    EXPECT_EQ(dialog.CountText(), "Selected objects: 3");
    return CBlkDefDlg::kPickPoint;
  });
  dialogs_.Answer<CBlkDefDlg>([](CBlkDefDlg& dialog) {
    dialog.OnInitDialog();
    EXPECT_DOUBLE_EQ(dialog.m_dBaseX, 1.0);
    EXPECT_DOUBLE_EQ(dialog.m_dBaseY, 2.0);
    dialog.m_strName = "DOOR";
    dialog.m_nMode = CBlkDefDlg::kConvertIntoBlock;
    return PressOk(dialog);
  });
  // No value prompt follows the base point: the reference takes the
  // default values although the program asks for values by default.
  ASSERT_TRUE(script_.Run({"block", "all", "", "1,2"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(BlockEntityCount("DOOR"), 3);
  EXPECT_EQ(InsName(), "DOOR");
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  ExpectPointNear(inserts[0]->GetInsertionPoint(), {1, 2}, 1e-9);
  const std::vector<const FcAttribute*> attributes = EntitiesOf<FcAttribute>();
  ASSERT_EQ(attributes.size(), 1u);
  EXPECT_EQ(attributes[0]->GetText(), "A1");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Block"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(BlockEntityCount("DOOR"), -1);
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  EXPECT_TRUE(EntitiesOf<FcAttribute>().empty());
  EXPECT_EQ(ModelSpaceCount(), 3);
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(BlockEntityCount("DOOR"), 3);
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcAttribute>().size(), 1u);
}

TEST_F(BlockCommandsTest, TheBlockDialogKeepsOrDeletesTheSelectionByItsMode) {
  DrawDoor();
  const auto defineWith = [this](const std::string& name, int mode) {
    dialogs_.Answer<CBlkDefDlg>([](CBlkDefDlg&) { return CBlkDefDlg::kSelectObjects; });
    dialogs_.Answer<CBlkDefDlg>([name, mode](CBlkDefDlg& dialog) {
      dialog.m_strName = name;
      dialog.m_nMode = mode;
      return PressOk(dialog);
    });
    return script_.Run({"block", "all", ""});
  };
  ASSERT_TRUE(defineWith("KEPT", CBlkDefDlg::kRemain));
  EXPECT_EQ(BlockEntityCount("KEPT"), 2);
  EXPECT_EQ(ModelSpaceCount(), 2);
  // The copies in the block are entities of their own.
  const bool ownHandles = script_.OnWindowThread([this] {
    FcGraph& graph = script_.Drawing();
    for (const FcEntity* copy : graph.GetBlockList().FindByName("KEPT")->GetEntities()) {
      for (const FcEntity* original : *graph.GetCurrentEntitySet()) {
        if (copy->GetHandle() == original->GetHandle()) return false;
      }
    }
    return true;
  });
  EXPECT_TRUE(ownHandles);
  // The next dialog offers the mode chosen last.
  EXPECT_EQ(CBlkDefDlg().m_nMode, CBlkDefDlg::kRemain);

  ASSERT_TRUE(defineWith("GONE", CBlkDefDlg::kDelete));
  EXPECT_EQ(BlockEntityCount("GONE"), 2);
  EXPECT_EQ(ModelSpaceCount(), 0);
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(ModelSpaceCount(), 2);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(BlockEntityCount("KEPT"), -1);
  EXPECT_EQ(ModelSpaceCount(), 2);
}

TEST_F(BlockCommandsTest, ACancelledSelectionPassLeavesTheBlockDialogRefusingOk) {
  DrawDoor();
  std::string refusal;
  dialogs_.Answer<CBlkDefDlg>([](CBlkDefDlg&) { return CBlkDefDlg::kSelectObjects; });
  dialogs_.Answer<CBlkDefDlg>([&refusal](CBlkDefDlg& dialog) {
    dialog.m_strName = "DOOR";
    dialog.OnOK(refusal);
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"block", kEsc}));
  EXPECT_EQ(refusal, "Please select object first!");
  EXPECT_EQ(BlockEntityCount("DOOR"), -1);
  EXPECT_EQ(ModelSpaceCount(), 2);
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(BlockCommandsTest, TheInsertDialogPlacesRowsAndColumnsOfTheChosenBlock) {
  ASSERT_TRUE(script_.Run({"insert"}));
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{
                                "There isn't any defined block in the drawing!\nPlease define the block first!"});
  EXPECT_EQ(dialogs_.Shown(), 0);

  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  dialogs_.Answer<CInsertBlkDlg>([](CInsertBlkDlg&) { return CInsertBlkDlg::kPickPoint; });
  dialogs_.Answer<CInsertBlkDlg>([](CInsertBlkDlg& dialog) {
    EXPECT_DOUBLE_EQ(dialog.m_dInsertX, 5.0);
    EXPECT_DOUBLE_EQ(dialog.m_dInsertY, 6.0);
    dialog.ChooseListedName("door");
    dialog.m_bOnScreen = 0;
    dialog.m_dScaleX = 2.0;
    dialog.m_bSameScale = 1;
    dialog.m_dScaleY = 0.0;
    dialog.m_dAngle = 90.0;
    dialog.m_nRows = 2;
    dialog.m_nColumns = 3;
    dialog.m_dRowSpacing = 4.0;
    std::string message;
    return dialog.OnOK(nullptr, message) ? CModalDialog::kOk : CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"insert", "5,6"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  EXPECT_EQ(inserts[0]->GetBlockName(), "DOOR");
  ExpectPointNear(inserts[0]->GetInsertionPoint(), {5, 6}, 1e-9);
  EXPECT_DOUBLE_EQ(inserts[0]->GetXScale(), 2.0);
  EXPECT_DOUBLE_EQ(inserts[0]->GetYScale(), 2.0);
  EXPECT_NEAR(inserts[0]->GetRotation(), kHalfPi, 1e-9);
  EXPECT_EQ(inserts[0]->GetRows(), 2);
  EXPECT_EQ(inserts[0]->GetColumns(), 3);
  EXPECT_DOUBLE_EQ(inserts[0]->GetRowSpacing(), 4.0);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"-Block", "Insert"}));
}

TEST_F(BlockCommandsTest, TheInsertDialogExplodesIntoThePiecesOrLeavesThePlacingToTheScreen) {
  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  dialogs_.Answer<CInsertBlkDlg>([](CInsertBlkDlg& dialog) {
    dialog.ChooseListedName("DOOR");
    dialog.m_bOnScreen = 0;
    dialog.m_dInsertX = 10.0;
    dialog.m_bExplode = 1;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(script_.Run({"insert"}));
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  EXPECT_EQ(ModelSpaceCount(), 2);
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetPreviousSelection().GetCount(); }), 2);
  const std::vector<const FcLine*> lines = EntitiesOf<FcLine>();
  ASSERT_EQ(lines.size(), 1u);
  ExpectPointNear(lines[0]->GetStartPoint(), {11, 1}, 1e-9);

  // Placed on the screen, the dialog's own boxes count for nothing.
  dialogs_.Answer<CInsertBlkDlg>([](CInsertBlkDlg& dialog) {
    dialog.ChooseListedName("DOOR");
    dialog.m_bOnScreen = 1;
    dialog.m_dScaleX = 0.0;
    std::string message;
    return dialog.OnOK(nullptr, message) ? CModalDialog::kOk : CModalDialog::kCancel;
  });
  ASSERT_TRUE(script_.Run({"insert", "3,4", "", "", ""}));
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  ExpectPointNear(inserts[0]->GetInsertionPoint(), {3, 4}, 1e-9);
  EXPECT_DOUBLE_EQ(inserts[0]->GetXScale(), 1.0);
  EXPECT_EQ(CInsertBlkDlg().m_bOnScreen, 1);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"-Block", "Insert", "Insert"}));
}

// A drawing file holding a line and a record of a kind the program does
// not know.
std::string WriteDrawingWithUnknownRecord(const std::string& path) {
  FcGraph graph;
  AddTestLine(graph, {0, 0}, {4, 0});
  std::string text = AsciiDxfOf(graph);
  const std::string section = "ENTITIES\r\n";
  text.insert(text.find(section) + section.size(), "  0\r\nGIZMO\r\n  8\r\n0\r\n");
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST_F(BlockCommandsTest, InsertingAFileWithUnknownRecordsAsksFirstAndNoLeavesTheDrawingAsItWas) {
  TempDir folder;
  const std::string path = WriteDrawingWithUnknownRecord(folder.path() + "gizmo.dxf");
  std::vector<std::string> asked;
  const auto answer = [&asked](int code) {
    return [&asked, code](CQuestionDlg& question) {
      asked.push_back(question.m_strMessage);
      return code;
    };
  };

  // From the dialog: No brings in nothing, neither block nor undo step.
  dialogs_.Answer<CInsertBlkDlg>([&path](CInsertBlkDlg& dialog) {
    dialog.ChooseFile(path);
    dialog.m_bOnScreen = 0;
    return CModalDialog::kOk;
  });
  dialogs_.Answer<CQuestionDlg>(answer(CQuestionDlg::kNo));
  DrawDoor();
  ASSERT_TRUE(script_.Run({"-block", "DOOR", "0,0", "all", ""}));
  ASSERT_TRUE(script_.Run({"insert"}));
  EXPECT_EQ(asked, std::vector<std::string>{"There are some entities in the drawing file which KOVRA does not support, "
                                            "and their data will be lost.\nDo you want to continue?"});
  EXPECT_EQ(BlockEntityCount("gizmo"), -1);
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"-Block"});

  // Typed: No ends the command without asking for the name again; Yes
  // merges what can be read.
  dialogs_.Answer<CQuestionDlg>(answer(CQuestionDlg::kNo));
  ASSERT_TRUE(script_.Run({"-insert", path}));
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  dialogs_.Answer<CQuestionDlg>(answer(CQuestionDlg::kYes));
  ASSERT_TRUE(script_.Run({"-insert", path, "5,5", "", "", ""}));
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_EQ(BlockEntityCount("gizmo"), 1);
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
  EXPECT_EQ(dialogs_.Unexpected(), 0);

  // A file whose records are all known is merged without a question.
  FcGraph plain;
  AddTestLine(plain, {0, 0}, {1, 1});
  std::ofstream(folder.path() + "plain.dxf", std::ios::binary) << AsciiDxfOf(plain);
  ASSERT_TRUE(script_.Run({"-insert", folder.path() + "plain.dxf", "0,0", "", "", ""}));
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_EQ(dialogs_.Shown(), 4);
}

}  // namespace
