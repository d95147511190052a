#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/graph.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"
#include "database/undo_list.h"
#include "platform/program_settings.h"
#include "platform/recording_frame_link.h"

namespace {

// Writes what it is asked to do into a shared log, and "~name" when it is
// deleted.
class LoggingItem : public FcUndoItem {
 public:
  LoggingItem(std::vector<std::string>& log, std::string_view name) : log_(log) { SetName(name); }
  ~LoggingItem() override { log_.push_back("~" + GetName()); }
  bool Undo(FcGraph&) override {
    log_.push_back("U" + GetName());
    return true;
  }
  bool Redo(FcGraph&) override {
    log_.push_back("R" + GetName());
    return true;
  }

 private:
  std::vector<std::string>& log_;
};

class UndoListTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  void SetUp() override {
    SetFrameLink(&frame_);
    list_.SetOwner(&graph_);
  }
  void TearDown() override {
    list_.Clear();
    SetFrameLink(nullptr);
  }

  FcUndoItem* Add(std::string_view name) {
    auto* item = new LoggingItem(log_, name);
    list_.Add(item);
    return item;
  }

  RecordingFrameLink frame_;
  FcGraph graph_;
  std::vector<std::string> log_;
  FcUndoList list_;
};

using Lines = std::vector<std::string>;

TEST_F(UndoListTest, StepsWalkTheChainAndReportByName) {
  EXPECT_FALSE(list_.UndoStep());
  FcUndoItem* a = Add("A");
  EXPECT_FALSE(list_.RedoStep());
  FcUndoItem* b = Add("B");
  EXPECT_TRUE(list_.UndoStep());
  EXPECT_EQ(list_.GetCurrent(), a);
  EXPECT_TRUE(list_.UndoStep());
  EXPECT_EQ(list_.GetCurrent(), nullptr);
  EXPECT_FALSE(list_.UndoStep());
  EXPECT_TRUE(list_.RedoStep());
  EXPECT_TRUE(list_.RedoStep());
  EXPECT_EQ(list_.GetCurrent(), b);
  EXPECT_FALSE(list_.RedoStep());
  EXPECT_EQ(log_, (Lines{"UB", "UA", "RA", "RB"}));
  EXPECT_EQ(frame_.HistoryLines(),
            (Lines{"There isn't any undo data!", "There isn't any redo data!", "Undo : B", "Undo : A",
                   "There isn't any undo data!", "Redo : A", "Redo : B", "There isn't any redo data!"}));
}

TEST_F(UndoListTest, ItemWithoutNameRunsSilently) {
  Add("");
  list_.UndoStep();
  list_.RedoStep();
  EXPECT_EQ(log_, (Lines{"U", "R"}));
  EXPECT_TRUE(frame_.HistoryLines().empty());
}

TEST_F(UndoListTest, AddDropsTheRedoTail) {
  FcUndoItem* a = Add("A");
  Add("B");
  Add("C");
  list_.UndoStep();
  list_.UndoStep();
  log_.clear();
  FcUndoItem* d = Add("D");
  EXPECT_EQ(log_, (Lines{"~B", "~C"}));
  EXPECT_EQ(list_.GetFirst(), a);
  EXPECT_EQ(a->GetNext(), d);
  EXPECT_EQ(d->GetPrevious(), a);
  EXPECT_FALSE(list_.RedoStep());

  // With everything undone the whole list goes.
  list_.UndoStep();
  list_.UndoStep();
  log_.clear();
  FcUndoItem* e = Add("E");
  EXPECT_EQ(log_, (Lines{"~A", "~D"}));
  EXPECT_EQ(list_.GetFirst(), e);
  EXPECT_EQ(list_.GetCurrent(), e);
  EXPECT_EQ(e->GetPrevious(), nullptr);
}

TEST_F(UndoListTest, GroupIsOneStep) {
  Add("before");
  list_.UndoStep();
  list_.BeginGroup("Block");
  Add("A");
  Add("B");
  Add("C");
  // Items of an open group leave the list and its redo tail alone.
  EXPECT_EQ(list_.GetCurrent(), nullptr);
  EXPECT_TRUE(list_.IsGrouping());
  log_.clear();
  FcGroupUndo* group = list_.EndGroup();
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(log_, (Lines{"~before"}));
  EXPECT_FALSE(list_.IsGrouping());
  EXPECT_EQ(list_.GetCurrent(), group);
  EXPECT_EQ(list_.GetFirst(), group);

  log_.clear();
  frame_.Clear();
  list_.UndoStep();
  list_.RedoStep();
  EXPECT_EQ(log_, (Lines{"UC", "UB", "UA", "RA", "RB", "RC"}));
  EXPECT_EQ(frame_.HistoryLines(), (Lines{"Undo : Block", "Redo : Block"}));

  log_.clear();
  list_.Clear();
  EXPECT_EQ(log_, (Lines{"~C", "~B", "~A"}));
}

TEST_F(UndoListTest, GroupEdgeCases) {
  EXPECT_EQ(list_.EndGroup(), nullptr);
  EXPECT_EQ(list_.GetFirst(), nullptr);

  list_.BeginGroup("first");
  Add("lost");
  log_.clear();
  list_.BeginGroup("Empty");
  EXPECT_EQ(log_, (Lines{"~lost"}));
  FcGroupUndo* empty = list_.EndGroup();
  EXPECT_EQ(list_.GetCurrent(), empty);
  EXPECT_TRUE(list_.UndoStep());
  EXPECT_TRUE(list_.RedoStep());

  FcGroupUndo built;
  built.AddChild(nullptr);
  EXPECT_EQ(built.GetNewestChild(), nullptr);
}

TEST_F(UndoListTest, DiscardLastForgetsWithoutUndoing) {
  Add("A");
  list_.DiscardLast();
  EXPECT_EQ(log_, (Lines{"~A"}));
  EXPECT_EQ(list_.GetFirst(), nullptr);
  EXPECT_EQ(list_.GetCurrent(), nullptr);

  FcUndoItem* b = Add("B");
  Add("C");
  Add("D");
  list_.UndoStep();
  log_.clear();
  list_.DiscardLast();
  EXPECT_EQ(log_, (Lines{"~D", "~C"}));
  EXPECT_EQ(list_.GetCurrent(), b);
  EXPECT_EQ(b->GetNext(), nullptr);
  list_.DiscardLast();
  list_.DiscardLast();
  EXPECT_EQ(list_.GetFirst(), nullptr);
}

TEST_F(UndoListTest, AddUndoItemMarksTheDrawingAndArmsAutosave) {
  const int savedInterval = GetProgramSettings().save_time;
  struct Case {
    int interval;
    short stateBefore;
    short stateAfter;
  };
  for (const Case& c : {Case{60, 0, 1}, Case{0, 0, 0}, Case{60, 2, 2}}) {
    FcGraph graph;
    GetProgramSettings().save_time = c.interval;
    graph.GetSysVars().Modified = 0;
    graph.GetSysVars().AutosaveState = c.stateBefore;
    EXPECT_EQ(AddUndoItem(graph, nullptr), 0);
    EXPECT_EQ(graph.GetSysVars().Modified, 0);
    EXPECT_EQ(graph.GetSysVars().AutosaveState, c.stateBefore);

    auto* item = new LoggingItem(log_, "A");
    EXPECT_EQ(AddUndoItem(graph, item), 1);
    EXPECT_EQ(graph.GetUndoList().GetCurrent(), item);
    EXPECT_EQ(graph.GetSysVars().Modified, 1);
    EXPECT_EQ(graph.GetSysVars().AutosaveState, c.stateAfter);
  }
  GetProgramSettings().save_time = savedInterval;

  // Add alone leaves the flag to its caller.
  graph_.GetSysVars().Modified = 0;
  Add("B");
  EXPECT_EQ(graph_.GetSysVars().Modified, 0);
}

}  // namespace
