#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/color_list.h"
#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/dialogs/table_lists.h"
#include "commands/dialogs/real_box.h"
#include "core/number_separators.h"
#include "database/graph.h"
#include "database/layer.h"
#include "tests/support/separators_guard.h"

namespace {

std::vector<std::string> Texts(const std::vector<ColorListEntry>& entries) {
  std::vector<std::string> texts;
  for (const ColorListEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

TEST(PropertyListsTest, TheColourListHoldsAnEntryOfItsOwnOnlyForColours8To255) {
  const std::vector<std::string> named{"ByLayer", "ByBlock", "Red", "Yellow", "Green", "Cyan", "Blue", "Magenta",
                                       "White"};
  std::vector<std::string> with40 = named;
  with40.push_back("Color 40");
  with40.push_back("Others...");
  std::vector<std::string> plain = named;
  plain.push_back("Others...");
  EXPECT_EQ(Texts(ColorListEntries(40)), with40);
  EXPECT_EQ(Texts(ColorListEntries(3)), plain);
  EXPECT_EQ(Texts(ColorListEntries(256)), plain);
  EXPECT_EQ(ColorListEntries(40)[9].color, 40);
  EXPECT_EQ(ColorListEntries(40).back().color, kColorListOthers);

  struct Case {
    int color;
    const char* text;
  };
  const Case cases[] = {{256, "ByLayer"}, {0, "ByBlock"}, {7, "White"}, {8, "Color 8"}, {255, "Color 255"}};
  for (const Case& c : cases) EXPECT_EQ(ColorListText(c.color), c.text) << c.color;
}

TEST(PropertyListsTest, ListsComeFromTheTablesAndSelectOnlyWholeNames) {
  FcGraph graph;
  graph.InitDefaults();
  graph.FindOrCreateLayer("walls")->SetColor(4);
  graph.FindOrCreateLayer("Doors");
  graph.GetOrCreateLinetype("DASHED2");
  graph.GetOrCreateLinetype("DASHED");
  EXPECT_EQ(SortedLayerNames(graph), (std::vector<std::string>{"0", "Doors", "walls"}));
  const std::vector<std::string> linetypes = LinetypeNames(graph);
  ASSERT_GE(linetypes.size(), 4u);
  EXPECT_EQ(FindListEntry(linetypes, "ByLayer"), 0);
  EXPECT_EQ(FindListEntry(linetypes, "BYBLOCK"), 1);
  // The earlier name that begins with it is not taken for it.
  EXPECT_EQ(linetypes[static_cast<std::size_t>(FindListEntry(linetypes, "dashed"))], "DASHED");
  EXPECT_EQ(FindListEntry(linetypes, "DASH"), -1);

  EXPECT_EQ(OthersStartColor(graph, "Walls"), 4);
  graph.GetCurrentLayer()->SetColor(2);
  EXPECT_EQ(OthersStartColor(graph, "Gone"), 2);
}

TEST(PropertyListsTest, RealBoxesReadBackWhatTheyShow) {
  SeparatorsGuard keep({'.', ','});
  for (const char decimal : {'.', ','}) {
    SetNumberSeparators({decimal, decimal == '.' ? ',' : ';'});
    for (const double value : {1.0, 0.1, 2.5e-7, 123456.789}) {
      double back = 0.0;
      ASSERT_TRUE(ReadRealBox(RealBoxText(value), back)) << RealBoxText(value);
      EXPECT_EQ(back, value);
    }
  }
  SetNumberSeparators({'.', ','});
  double value = 7.0;
  for (const char* text : {"", "  ", "abc", "1.5x"}) EXPECT_FALSE(ReadRealBox(text, value)) << text;
  EXPECT_EQ(value, 7.0);
  EXPECT_TRUE(ReadRealBox(" 0.5 ", value));
  EXPECT_EQ(value, 0.5);
}

}  // namespace
