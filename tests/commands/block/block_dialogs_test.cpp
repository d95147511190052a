#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "commands/dialogs/block_def_dlg.h"
#include "commands/dialogs/table_lists.h"
#include "commands/dialogs/insert_blk_dlg.h"
#include "commands/dialogs/save_dwg_dlg.h"
#include "commands/dialogs/select_blk_dlg.h"
#include "database/block.h"
#include "database/graph.h"
#include "tests/support/temp_dir.h"

namespace {

class BlockDialogsTest : public testing::Test {
 protected:
  BlockDialogsTest() {
    for (const char* name : {"door", "Window", "*U2", "ANON"}) graph_.GetBlockList().AddNew()->SetName(name);
    graph_.GetBlockList().FindByName("ANON")->SetFlags(kBlockAnonymous);
  }

  FcGraph graph_;
};

TEST_F(BlockDialogsTest, TheDialogsOfferNamedBlocksOnlySortedWithoutRegardToCase) {
  const std::vector<std::string> names = OfferedBlockNames(graph_);
  EXPECT_EQ(names, (std::vector<std::string>{"door", "Window"}));
}

TEST_F(BlockDialogsTest, BlockDefineRefusesOkUntilTheNameIsNewAndObjectsAreSelected) {
  struct Case {
    const char* name;
    int selected;
    const char* message;
  };
  const Case cases[] = {
      {"", 3, "The block name can't be NULL!\nPlease input the block name!"},
      {"DOOR", 3, "There aleady is the same block name in the drawing!\nPlease enter the new block name!"},
      {"GATE", 0, "Please select object first!"},
  };
  for (const Case& c : cases) {
    CBlkDefDlg dialog;
    dialog.m_pGraph = &graph_;
    dialog.m_strName = c.name;
    dialog.m_nSelected = c.selected;
    dialog.m_dBaseX = 7.0;
    std::string message;
    EXPECT_FALSE(dialog.OnOK(message)) << c.name;
    EXPECT_EQ(message, c.message);
    EXPECT_DOUBLE_EQ(dialog.m_ptBase.x, 0.0) << "a refused OK takes no box";
  }
  CBlkDefDlg dialog;
  dialog.m_pGraph = &graph_;
  dialog.m_strName = "GATE";
  dialog.m_nSelected = 1;
  EXPECT_EQ(dialog.CountText(), "Selected objects: 1");
  EXPECT_FALSE(dialog.ShowsWarning());
  dialog.m_dBaseX = 7.0;
  dialog.m_dBaseY = 8.0;
  std::string message;
  ASSERT_TRUE(dialog.OnOK(message));
  EXPECT_DOUBLE_EQ(dialog.m_ptBase.x, 7.0);
  EXPECT_DOUBLE_EQ(dialog.m_ptBase.y, 8.0);
  // Reopened, the boxes show the base point again, whatever was typed.
  dialog.m_dBaseX = 99.0;
  dialog.OnInitDialog();
  EXPECT_DOUBLE_EQ(dialog.m_dBaseX, 7.0);
}

TEST_F(BlockDialogsTest, InsertBlockRefusesOkForAMissingBlockOrAZeroScaleUnlessPlacedOnTheScreen) {
  struct Case {
    const char* name;
    double scaleX, scaleY;
    int sameScale, onScreen;
    bool accepted;
    const char* message;
  };
  const Case cases[] = {
      {"", 1, 1, 0, 0, false, "The block name is empty!"},
      {"GATE", 1, 1, 0, 0, false, "There isn't the \"GATE\" block!"},
      {"DOOR", 0, 1, 0, 0, false, "The scale can't be zero!"},
      {"DOOR", 1, 1e-8, 0, 0, false, "The scale can't be zero!"},
      {"DOOR", 2, 0, 1, 0, true, ""},
      {"DOOR", 0, 0, 0, 1, true, ""},
  };
  for (const Case& c : cases) {
    CInsertBlkDlg dialog;
    dialog.m_pGraph = &graph_;
    dialog.ChooseListedName(c.name);
    dialog.m_dScaleX = c.scaleX;
    dialog.m_dScaleY = c.scaleY;
    dialog.m_bSameScale = c.sameScale;
    dialog.m_bOnScreen = c.onScreen;
    std::string message;
    EXPECT_EQ(dialog.OnOK(nullptr, message), c.accepted) << c.name << " " << c.scaleX;
    EXPECT_EQ(message, c.message);
  }
  CInsertBlkDlg counts;
  counts.m_pGraph = &graph_;
  counts.ChooseListedName("DOOR");
  counts.m_nRows = 0;
  std::string message;
  EXPECT_FALSE(counts.OnOK(nullptr, message));
  EXPECT_FALSE(message.empty());
}

TEST_F(BlockDialogsTest, InsertBlockAsksBeforeAFileRedefinesABlockOfItsTitle) {
  CInsertBlkDlg missing;
  missing.m_pGraph = &graph_;
  missing.ChooseFile("/nonexistent/door.dwg");
  std::string message;
  EXPECT_FALSE(missing.OnOK(nullptr, message));
  EXPECT_EQ(message, "The graph file \"/nonexistent/door.dwg\" doesn't exists!");

  TempDir folder;
  const std::string path = folder.path() + "Door.dxf";
  std::ofstream(path) << "0\nEOF\n";
  using Redefine = CInsertBlkDlg::Redefine;
  struct Case {
    Redefine answer;
    bool accepted, fromFile;
  };
  for (const Case& c : {Case{Redefine::kYes, true, true}, Case{Redefine::kNo, true, false},
                        Case{Redefine::kCancel, false, true}}) {
    CInsertBlkDlg dialog;
    dialog.m_pGraph = &graph_;
    dialog.ChooseFile(path);
    EXPECT_EQ(dialog.m_strName, "Door");
    int asked = 0;
    EXPECT_EQ(dialog.OnOK(
                  [&] {
                    ++asked;
                    return c.answer;
                  },
                  message),
              c.accepted);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(message.empty()) << "Cancel goes back without a message";
    EXPECT_EQ(dialog.m_bFromFile, c.fromFile);
  }
  // A listed name after browsing inserts the block, not the file.
  CInsertBlkDlg dialog;
  dialog.ChooseFile(path);
  dialog.ChooseListedName("Window");
  EXPECT_FALSE(dialog.m_bFromFile);
}

TEST(SaveDrawingDialogDataTest, TheTypeSetsTheExtensionAndTheKindOfFile) {
  EXPECT_EQ(CSaveDWGDlg::NameForType("/home/me/plan.dwg", CSaveDWGDlg::kDxfType), "plan.dxf");
  EXPECT_EQ(CSaveDWGDlg::NameForType("plan", CSaveDWGDlg::kDwgType), "plan.dwg");
  EXPECT_EQ(CSaveDWGDlg::NameForType("", CSaveDWGDlg::kDwgType), "");
  CSaveDWGDlg dialog;
  EXPECT_EQ(dialog.ChosenKind(), FcFileKind::kDwg);
  EXPECT_FALSE(dialog.BinaryEnabled());
  dialog.m_nFilterIndex = CSaveDWGDlg::kDxfType;
  EXPECT_TRUE(dialog.BinaryEnabled());
  EXPECT_EQ(dialog.ChosenKind(), FcFileKind::kBinaryDxf);
  dialog.m_bBinaryDxf = false;
  EXPECT_EQ(dialog.ChosenKind(), FcFileKind::kAsciiDxf);
}

TEST(SelectBlockDialogDataTest, OkWithoutASelectionCancels) {
  CSelectBlkDlg dialog;
  dialog.m_strName = "DOOR";
  EXPECT_EQ(dialog.OnOK(""), CModalDialog::kCancel);
  EXPECT_EQ(dialog.m_strName, "DOOR");
  EXPECT_EQ(dialog.OnOK("Window"), CModalDialog::kOk);
  EXPECT_EQ(dialog.m_strName, "Window");
}

}  // namespace
