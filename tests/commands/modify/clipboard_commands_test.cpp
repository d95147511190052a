#include <algorithm>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "commands/modify/clipboard_drawing.h"
#include "database/block.h"
#include "entities/circle.h"
#include "entities/dimension.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "commands/modify/paste_drags.h"
#include "platform/clipboard.h"
#include "tests/support/pending_band.h"
#include "tests/support/pickable_script.h"

namespace {

// Stands in for the desktop's clipboard: blocks under format names, in
// the order they were put there.
class FakeClipboard {
 public:
  FakeClipboard() {
    ClipboardAccess access;
    access.put = [this](const std::string& format, const std::vector<char>& bytes) {
      entries_ = {{format, bytes}};
      return true;
    };
    access.formats = [this](std::vector<std::string>& formats) {
      for (const auto& entry : entries_) formats.push_back(entry.first);
      return true;
    };
    access.get = [this](const std::string& format, std::vector<char>& bytes) {
      for (const auto& entry : entries_)
        if (entry.first == format) bytes = entry.second;
      return true;
    };
    SetClipboardAccess(std::move(access));
  }
  ~FakeClipboard() { SetClipboardAccess({}); }
  FakeClipboard(const FakeClipboard&) = delete;
  FakeClipboard& operator=(const FakeClipboard&) = delete;

  void Hold(std::vector<std::pair<std::string, std::string>> entries) {
    entries_.clear();
    for (auto& [format, text] : entries) entries_.push_back({format, std::vector<char>(text.begin(), text.end())});
  }
  std::vector<std::string> Formats() const {
    std::vector<std::string> formats;
    for (const auto& entry : entries_) formats.push_back(entry.first);
    return formats;
  }
  std::vector<char> Bytes(const std::string& format) const {
    for (const auto& entry : entries_)
      if (entry.first == format) return entry.second;
    return {};
  }

 private:
  std::vector<std::pair<std::string, std::vector<char>>> entries_;
};

class ClipboardCommandTest : public PickableScriptTest {
 protected:
  // A line from (10,10) to (30,10) and a circle of radius 5 about (50,20):
  // drawn, they span (10,10) to (55,25).
  void DrawLineAndCircle() {
    ASSERT_TRUE(script_.Run({"line", "10,10", "30,10", ""}));
    ASSERT_TRUE(script_.Run({"circle", "50,20", "5"}));
  }

  // The record names of the clipboard drawing's model space.
  std::vector<std::string> ClipboardEntities() {
    FcGraph drawing;
    if (!ReadClipboardDrawing(drawing)) return {"(unreadable)"};
    std::vector<std::string> names;
    for (const FcEntity* entity : *drawing.GetCurrentEntitySet()) names.push_back(entity->GetRecordName());
    std::sort(names.begin(), names.end());
    return names;
  }

  FakeClipboard clipboard_;
};

TEST_F(ClipboardCommandTest, CopyPutsTheSelectionAsADrawingWithoutSentinelAndPasteInsertsIt) {
  DrawLineAndCircle();
  clipboard_.Hold({{kTextClipboardFormat, "before"}});
  ASSERT_TRUE(script_.Run({"copyclip", "all", ""}));
  EXPECT_EQ(clipboard_.Formats(), std::vector<std::string>{kDrawingClipboardFormat});
  const std::vector<char> bytes = clipboard_.Bytes(kDrawingClipboardFormat);
  ASSERT_GT(bytes.size(), 22u);
  // Binary groups from the first byte: group 0, then "SECTION".
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), std::string("\0\0SECTION", 9).substr(0, 8));
  EXPECT_EQ(ClipboardEntities(), (std::vector<std::string>{"CIRCLE", "LINE"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(HighlightedGroups(script_), 0);
  EXPECT_EQ(NewestUndoName(script_), "Circle");

  script_.Printed().Clear();
  ASSERT_TRUE(script_.Run({"pasteclip", "100,100", "", "", ""}));
  // Only the undo snapshot's save reports; the transfer itself does not.
  bool saving = false;
  for (const RecordingFrameLink::Call& call : script_.Printed().Calls()) {
    if (call.message == FrameMessage::kProgressStart) saving = true;
    if (call.message == FrameMessage::kProgressEnd) saving = false;
    EXPECT_TRUE(saving || call.message != FrameMessage::kProgressPosition);
  }
  const std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  ExpectPointEq(inserts[0]->GetInsertionPoint(), {100, 100});
  EXPECT_EQ(inserts[0]->GetXScale(), 1.0);
  EXPECT_EQ(inserts[0]->GetYScale(), 1.0);
  EXPECT_EQ(inserts[0]->GetRotation(), 0.0);
  const FcBlock* block = inserts[0]->GetBlockRecord();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetCount(), 2);
  // The base point is the middle of what was drawn.
  // The circle is drawn as a polygon, a little inside its true extents.
  ExpectPointNear(block->GetBasePoint(), {32.5, 17.5}, 0.05);

  // One step takes back the reference and the merged block.
  const std::string blockName = block->GetName();
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  EXPECT_EQ(script_.OnWindowThread([&] { return script_.Drawing().GetBlockList().FindByName(blockName); }), nullptr);
  EXPECT_EQ(EntitiesOf<FcCircle>().size(), 1u);
}

TEST_F(ClipboardCommandTest, PasteScalesAndGivingUpAtTheInsertPoint) {
  DrawLineAndCircle();
  ASSERT_TRUE(script_.Run({"copyclip", "all", ""}));
  ASSERT_TRUE(script_.Run({"pasteclip", "100,100", "2", "", "90"}));
  std::vector<const FcInsert*> inserts = EntitiesOf<FcInsert>();
  ASSERT_EQ(inserts.size(), 1u);
  EXPECT_EQ(inserts[0]->GetXScale(), 2.0);
  EXPECT_EQ(inserts[0]->GetYScale(), 2.0);
  EXPECT_NEAR(inserts[0]->GetRotation(), std::numbers::pi / 2, 1e-12);
  EXPECT_EQ(script_.Frame().Prompts().back(), "Rotate angle<0.0>");

  // Esc at the point: the block came in all the same, and one Undo takes
  // it away again.
  const int blocks = script_.OnWindowThread([&] { return script_.Drawing().GetBlockList().GetBlockCount(); });
  ASSERT_TRUE(script_.Run({"pasteclip", kEsc}));
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
  EXPECT_EQ(script_.OnWindowThread([&] { return script_.Drawing().GetBlockList().GetBlockCount(); }), blocks + 1);
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(script_.OnWindowThread([&] { return script_.Drawing().GetBlockList().GetBlockCount(); }), blocks);
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
}

TEST_F(ClipboardCommandTest, ThePastePreviewMovesTheReferenceThenTurnsItAboutItsPoint) {
  DrawLineAndCircle();
  ASSERT_TRUE(script_.Run({"copyclip", "all", ""}));
  LookAtPendingBand<FcDragInsert>(script_, {"pasteclip"}, [](const FcDragInsert* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->stage, FcDragInsert::kMoving);
  });
  LookAtPendingBand<FcDragInsert>(script_, {"pasteclip", "100,100", "2", ""}, [this](const FcDragInsert* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->stage, FcDragInsert::kRotating);
    const FcInsert& insert = band->GetInsert();
    ExpectPointEq(insert.GetInsertionPoint(), {100, 100});
    EXPECT_EQ(insert.GetXScale(), 2.0);
    EXPECT_EQ(insert.GetYScale(), 2.0);
    auto* preview = const_cast<FcDragInsert*>(band);
    preview->DrawFull(&script_.Drawing(), script_.Drawing().GetDisplaySurface(), {100, 110});
    EXPECT_NEAR(insert.GetRotation(), std::numbers::pi / 2, 1e-12);
    ExpectPointEq(insert.GetInsertionPoint(), {100, 100});
  });
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());

  clipboard_.Hold({{kTextClipboardFormat, "words"}});
  LookAtPendingBand<FcDragPasteText>(script_, {"pasteclip"}, [](const FcDragPasteText* band) {
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->GetEntity().GetContents(), "words");
  });
  EXPECT_TRUE(EntitiesOf<FcMText>().empty());
}

TEST_F(ClipboardCommandTest, CutTakesTheSelectionAwayAsOneStepOnlyWhenTheClipboardTookIt) {
  DrawLineAndCircle();
  // Nothing selected: the clipboard keeps what it held.
  clipboard_.Hold({{kTextClipboardFormat, "before"}});
  ASSERT_TRUE(script_.Run({"copyclip", ""}));
  ASSERT_TRUE(script_.Run({"cutclip", ""}));
  EXPECT_EQ(clipboard_.Formats(), std::vector<std::string>{kTextClipboardFormat});

  ASSERT_TRUE(script_.Run({"cutclip", "25,10", ""}));
  EXPECT_EQ(ClipboardEntities(), std::vector<std::string>{"LINE"});
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
  EXPECT_EQ(NewestUndoName(script_), "CutClip");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);

  // Without a clipboard the cut would only lose the entities.
  SetClipboardAccess({});
  ASSERT_TRUE(script_.Run({"cutclip", "25,10", ""}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  EXPECT_EQ(NewestUndoName(script_), "Circle");
}

TEST_F(ClipboardCommandTest, ACopiedDimensionTravelsWithItsBlockAndLeavesNoBlockBehind) {
  ASSERT_TRUE(RunScript(script_, "DimLinear", {"100,100", "140,100", "120,120", ""}));
  const int blocks = script_.OnWindowThread([&] { return script_.Drawing().GetBlockList().GetBlockCount(); });
  ASSERT_TRUE(script_.Run({"copyclip", "all", ""}));
  EXPECT_EQ(script_.OnWindowThread([&] { return script_.Drawing().GetBlockList().GetBlockCount(); }), blocks);
  FcGraph copied;
  ASSERT_TRUE(ReadClipboardDrawing(copied));
  ASSERT_EQ(copied.GetCurrentEntitySet()->GetCount(), 1);
  const auto* dimension = dynamic_cast<const FcDimension*>(copied.GetCurrentEntitySet()->GetAt(0));
  ASSERT_NE(dimension, nullptr);
  const FcBlock* shown = dimension->GetDimBlock();
  ASSERT_NE(shown, nullptr);
  EXPECT_GT(shown->GetCount(), 0);
}

TEST_F(ClipboardCommandTest, PastedTextBecomesParagraphsOfAMultilineText) {
  const struct {
    std::string clipboard;
    const char* contents;
  } cases[] = {
      {"A\r\nB", "A\\PB"},
      {"A\n\nB", "A\\PB"},
      {"A\rB\n", "A\\PB\\P"},
      {std::string("A\0B", 3), "A"},
      // UTF-8 from the desktop, kept in the drawing's code page.
      {"Ma\xc3\x9f", "Ma\xdf"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(script_.Run({"erase", "all", ""}));
    clipboard_.Hold({{kTextClipboardFormat, c.clipboard}});
    ASSERT_TRUE(script_.Run({"pasteclip", "5,6"}));
    const std::vector<const FcMText*> texts = EntitiesOf<FcMText>();
    ASSERT_EQ(texts.size(), 1u) << c.contents;
    EXPECT_EQ(texts[0]->GetContents(), c.contents);
    ExpectPointEq(texts[0]->GetInsertionPoint(), {5, 6});
    EXPECT_EQ(NewestUndoName(script_), "Paste");
  }
  EXPECT_EQ(script_.Frame().Prompts().back(), "Specify insertion point");
  EXPECT_TRUE(script_.Run({"pasteclip", kEsc}));
  EXPECT_EQ(EntitiesOf<FcMText>().size(), 1u);
}

TEST_F(ClipboardCommandTest, PastedTextTakesTheHeightOfTheNewestTextElseTextsize) {
  clipboard_.Hold({{kTextClipboardFormat, "words"}});
  script_.OnWindowThread([this] {
    script_.Drawing().GetSysVars().textsize = 0.5;
    return 0;
  });
  ASSERT_TRUE(script_.Run({"pasteclip", "0,0"}));
  ASSERT_TRUE(script_.Run({"dtext", "10,10", "3", "0", "tall", ""}));
  ASSERT_TRUE(script_.Run({"pasteclip", "0,20"}));
  const std::vector<const FcMText*> texts = EntitiesOf<FcMText>();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_DOUBLE_EQ(texts[0]->GetHeight(), 0.5);
  EXPECT_DOUBLE_EQ(texts[1]->GetHeight(), 3.0);
}

TEST_F(ClipboardCommandTest, PasteTakesWhicheverKnownFormatTheClipboardListsFirst) {
  DrawLineAndCircle();
  ASSERT_TRUE(script_.Run({"copyclip", "all", ""}));
  const std::vector<char> drawing = clipboard_.Bytes(kDrawingClipboardFormat);
  const std::string drawingText(drawing.begin(), drawing.end());
  clipboard_.Hold({{"image/png", "x"}, {kTextClipboardFormat, "words"}, {kDrawingClipboardFormat, drawingText}});
  ASSERT_TRUE(script_.Run({"pasteclip", "5,6"}));
  EXPECT_EQ(EntitiesOf<FcMText>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcInsert>().empty());
  clipboard_.Hold({{kDrawingClipboardFormat, drawingText}, {kTextClipboardFormat, "words"}});
  ASSERT_TRUE(script_.Run({"pasteclip", "100,100", "", "", ""}));
  EXPECT_EQ(EntitiesOf<FcMText>().size(), 1u);
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
  // Something else entirely, or a drawing that does not read, pastes nothing.
  clipboard_.Hold({{"image/png", "x"}});
  ASSERT_TRUE(script_.Run({"pasteclip"}));
  clipboard_.Hold({{kDrawingClipboardFormat, "not a drawing"}});
  ASSERT_TRUE(script_.Run({"pasteclip"}));
  EXPECT_EQ(EntitiesOf<FcInsert>().size(), 1u);
}

}  // namespace
