#include "commands/dialogs/mtext_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/graph.h"

namespace {

TEST(MTextDlgTest, ANameSelectsTheFirstEntryThatBeginsWithItInAnyCase) {
  const std::vector<std::string> entries{"Notes", "Standard", "Wall-A", "Walls"};
  struct Case {
    const char* name;
    int entry;
  };
  const Case cases[] = {
      {"STANDARD", 1}, {"wall", 2}, {"Walls", 3}, {"n", 0}, {"", 0}, {"Standards", -1}, {"Roof", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(CMTextDlg::EntryBeginningWith(entries, c.name), c.entry) << c.name;
  EXPECT_EQ(CMTextDlg::EntryBeginningWith({}, ""), -1);
}

// Layers "0", "b-layer" and "A-layer", text styles "standard", "zeta" and
// "Alpha": the lists offer both sorted without regard to case.
class MTextDlgDrawingTest : public ::testing::Test {
 protected:
  MTextDlgDrawingTest() {
    graph_.InitDefaults();
    graph_.FindOrCreateLayer("b-layer");
    graph_.FindOrCreateLayer("A-layer");
    graph_.FindOrCreateTextStyle("zeta");
    graph_.FindOrCreateTextStyle("Alpha");
    dialog_.m_pGraph = &graph_;
    dialog_.m_strStyle = "standard";
    dialog_.m_strLayer = "0";
    dialog_.m_nColor = 3;
    dialog_.m_dHeight = 2.123456789;
  }

  FcGraph graph_;
  CMTextDlg dialog_;
};

TEST_F(MTextDlgDrawingTest, OkTakesTheLinesAsCrLfAndTheChosenEntries) {
  EXPECT_EQ(dialog_.StyleNames(), (std::vector<std::string>{"Alpha", "standard", "zeta"}));
  EXPECT_EQ(dialog_.LayerNames(), (std::vector<std::string>{"0", "A-layer", "b-layer"}));
  dialog_.OnOK("one\ntwo\r\nthree\rfour", -4.0, 2, 1, 256);
  EXPECT_EQ(dialog_.m_strText, "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(dialog_.m_dHeight, -4.0);
  EXPECT_EQ(dialog_.m_strStyle, "zeta");
  EXPECT_EQ(dialog_.m_strLayer, "A-layer");
  EXPECT_EQ(dialog_.m_nColor, 256);
}

TEST_F(MTextDlgDrawingTest, ListsWithoutAChoiceKeepTheNamesGiven) {
  dialog_.m_strStyle = "Gone";
  dialog_.m_strLayer = "Gone too";
  dialog_.OnOK("x", 0.0, -1, -1, 5);
  EXPECT_EQ(dialog_.m_strStyle, "Gone");
  EXPECT_EQ(dialog_.m_strLayer, "Gone too");
  EXPECT_EQ(dialog_.m_dHeight, 0.0);
}

TEST_F(MTextDlgDrawingTest, WithoutPropertiesOnlyTheTextComesBack) {
  dialog_.m_bProperties = 0;
  dialog_.OnOK("a\nb", 7.0, 0, 2, 1);
  EXPECT_EQ(dialog_.m_strText, "a\r\nb");
  EXPECT_EQ(dialog_.m_strStyle, "standard");
  EXPECT_EQ(dialog_.m_strLayer, "0");
  EXPECT_EQ(dialog_.m_nColor, 3);
  EXPECT_EQ(dialog_.m_dHeight, 2.123456789);
}

}  // namespace
