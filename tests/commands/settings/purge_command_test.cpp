#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/purge_dlg.h"
#include "database/block.h"
#include "database/graph.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"

namespace {

using Names = std::vector<std::string>;

class PurgeCommandTest : public CommandScriptTest {
 protected:
  // Blocks: "Outer" nothing uses, holding the only reference to "Inner";
  // "Used" inserted in model space. Layers: "Empty", and "Busy" with a line
  // and the linetype "Layered". Linetype "Dashed" and text style "Notes"
  // nothing uses; text style "DimText" only the dimension style "Dim2"
  // uses. Nothing uses either dimension style; "ISO-25" is current.
  void SetUp() override {
    script_.OnWindowThread([this] {
      FcGraph& graph = script_.Drawing();
      FcBlockList& blocks = graph.GetBlockList();
      FcBlock* inner = blocks.AddNew();
      inner->SetName("Inner");
      FcBlock* outer = blocks.AddNew();
      outer->SetName("Outer");
      auto* nested = new FcInsert;
      graph.TakeHandle(*nested);
      nested->SetBlockRecord(inner);
      outer->AddEntity(nested);
      FcBlock* used = blocks.AddNew();
      used->SetName("Used");
      auto* reference = new FcInsert;
      reference->SetBlockRecord(used);
      graph.AddEntity(reference, false);

      graph.FindOrCreateLayer("Empty");
      FcLayer* busy = graph.FindOrCreateLayer("Busy");
      busy->SetLinetypeHandle(graph.GetOrCreateLinetype("Layered")->GetHandle());
      graph.SetCurrentLayer("Busy");
      graph.AddEntity(new FcLine, false);
      graph.SetCurrentLayer("0");
      graph.GetOrCreateLinetype("Dashed");

      graph.FindOrCreateTextStyle("Notes");
      graph.FindOrCreateTextStyle("DimText");
      graph.NewDimStyle("Dim2")->SetTextStyle("DimText");
      return 0;
    });
  }

  // The sheet's lists, answered with Cancel.
  std::vector<Names> SheetLists() {
    std::vector<Names> lists;
    dialogs_.Answer<CPurgeDlg>([&lists](CPurgeDlg& dialog) {
      for (const CPurgePage& page : dialog.m_pages) lists.push_back(page.m_candidates);
      return CModalDialog::kCancel;
    });
    EXPECT_TRUE(script_.Run({"purge"}));
    return lists;
  }

  void AnswerPurge(const std::vector<Names>& chosen) {
    dialogs_.Answer<CPurgeDlg>([chosen](CPurgeDlg& dialog) {
      for (std::size_t i = 0; i < chosen.size(); ++i) dialog.m_pages[i].m_names = chosen[i];
      return CModalDialog::kOk;
    });
  }

  // Which of the names each table holds, in the order given.
  Names Held(const Names& blocks, const Names& layers, const Names& linetypes, const Names& textStyles,
             const Names& dimStyles) {
    return script_.OnWindowThread([&] {
      const FcGraph& graph = script_.Drawing();
      Names held;
      for (const std::string& name : blocks)
        if (graph.GetBlockList().FindByName(name) != nullptr) held.push_back(name);
      for (const std::string& name : layers)
        if (graph.GetLayerList().FindByName(name) != nullptr) held.push_back(name);
      for (const std::string& name : linetypes)
        if (graph.GetLinetypeList().FindByName(name) != nullptr) held.push_back(name);
      for (const std::string& name : textStyles)
        if (graph.GetTextStyleList().Find(name) != nullptr) held.push_back(name);
      for (const std::string& name : dimStyles)
        if (graph.GetDimStyleList().Find(name) != nullptr) held.push_back(name);
      return held;
    });
  }

  ScriptedDialogs dialogs_;
};

// The sheet lists what nothing uses, sorted; records other records use (a
// layer's linetype, a dimension style's text style) are in use too.
TEST_F(PurgeCommandTest, TheSheetListsWhatNothingUses) {
  const std::vector<Names> lists = SheetLists();
  ASSERT_EQ(lists.size(), 5u);
  EXPECT_EQ(lists[CPurgeDlg::kBlocks], Names{"Outer"});
  EXPECT_EQ(lists[CPurgeDlg::kLayers], Names{"Empty"});
  EXPECT_EQ(lists[CPurgeDlg::kLinetypes], Names{"Dashed"});
  EXPECT_EQ(lists[CPurgeDlg::kTextStyles], Names{"Notes"});
  EXPECT_EQ(lists[CPurgeDlg::kDimStyles], (Names{"Dim2", "ISO-25"}));
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_TRUE(Printed().empty());
}

// Cancel, or OK with nothing chosen, records nothing and says nothing.
TEST_F(PurgeCommandTest, NothingChosenChangesNothing) {
  AnswerPurge({});
  ASSERT_TRUE(script_.Run({"purge"}));
  EXPECT_EQ(dialogs_.Shown(), 1);
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_TRUE(Printed().empty());
}

// The chosen records go, each reported; what is in use stays whatever the
// user chose, unreported. Undo brings the whole drawing back, and a block
// that only the purged block used can be purged next time.
TEST_F(PurgeCommandTest, PurgesTheChosenRecordsAndUndoBringsThemBack) {
  const Names blocks{"Outer", "Inner", "Used", "*Model_Space", "Gone"};
  const Names layers{"Empty", "0", "Busy"};
  const Names linetypes{"Dashed", "Layered", "Continuous"};
  const Names textStyles{"notes", "DimText", "Standard"};
  const Names dimStyles{"ISO-25"};
  AnswerPurge({blocks, layers, linetypes, textStyles, dimStyles});
  ASSERT_TRUE(script_.Run({"purge"}));
  EXPECT_EQ(Printed(), (Names{"Backup current graph for undo", "Purge block...", "Purge block: Outer", " ",
                              "Purge text style...", "Purge text style: Notes", " ", "Purge line type...",
                              "Purge line type: Dashed", " ", "Purge dimension style...",
                              "Purge dimension style: ISO-25", " ", "Purge layer...", "Purge layer: Empty", " "}));
  EXPECT_EQ(Held(blocks, layers, linetypes, textStyles, dimStyles),
            (Names{"Inner", "Used", "*Model_Space", "0", "Busy", "Layered", "Continuous", "DimText", "Standard"}));
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetCurrentDimStyle()->GetName(); }), "Dim2");
  EXPECT_EQ(UndoNames(), Names{"Purge"});
  EXPECT_EQ(SheetLists()[CPurgeDlg::kBlocks], Names{"Inner"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Held(blocks, layers, linetypes, textStyles, dimStyles),
            (Names{"Outer", "Inner", "Used", "*Model_Space", "Empty", "0", "Busy", "Dashed", "Layered", "Continuous",
                   "notes", "DimText", "Standard", "ISO-25"}));
}

// The last dimension style is never listed, and never purged when named.
TEST_F(PurgeCommandTest, TheOnlyDimensionStyleStays) {
  script_.OnWindowThread([this] {
    FcDimStyleList& styles = script_.Drawing().GetDimStyleList();
    styles.RemoveByHandle(styles.Find("Dim2")->GetHandle());
    return 0;
  });
  EXPECT_TRUE(SheetLists()[CPurgeDlg::kDimStyles].empty());
  AnswerPurge({{}, {}, {}, {}, {"ISO-25"}});
  ASSERT_TRUE(script_.Run({"purge"}));
  EXPECT_EQ(Held({}, {}, {}, {}, {"ISO-25"}), Names{"ISO-25"});
  for (const std::string& line : Printed()) EXPECT_NE(line, "Purge dimension style: ISO-25");
}

}  // namespace
