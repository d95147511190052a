#include <gtest/gtest.h>

#include <string>

#include "database/graph.h"
#include "database/layer.h"
#include "database/symbol_list.h"

namespace {

TEST(SymbolListTest, GrowsBeforeTheTableIsFull) {
  FcLayerList table;
  for (int i = 0; i < 15; ++i) table.AddNew();
  EXPECT_EQ(table.GetCapacity(), 16);
  table.AddNew();
  EXPECT_EQ(table.GetCapacity(), 32);
  for (int i = 0; i < 15; ++i) table.AddNew();
  ASSERT_EQ(table.GetCount(), 31);
  table.Grow(20);
  EXPECT_EQ(table.GetCapacity(), 68);
  table.RemoveAll();
  EXPECT_EQ(table.GetCount(), 0);
  EXPECT_EQ(table.GetCapacity(), 0);
}

TEST(SymbolListTest, RemovalMovesTheLastRecordIntoTheGap) {
  FcLayerList table;
  for (const char* name : {"0", "1", "2"}) table.AddNew()->SetName(name);
  EXPECT_TRUE(table.RemoveByName("0"));
  ASSERT_EQ(table.GetCount(), 2);
  EXPECT_EQ(table.GetAt(0)->GetName(), "2");
  EXPECT_EQ(table.GetAt(1)->GetName(), "1");
}

// Lookups answer as a scan from the start would, also after records
// changed their names and handles behind the table's back (handles stay
// unique within a drawing).
TEST(SymbolListTest, LookupsFollowChangedRecords) {
  FcLayerList table;
  for (int i = 0; i < 100; ++i) table.AddNew()->SetName("L" + std::to_string(i));
  EXPECT_EQ(table.FindByHandle(0), table.GetAt(0));
  EXPECT_EQ(table.FindByName("l42"), table.GetAt(42));
  for (int i = 0; i < 100; ++i) table.GetAt(i)->SetHandle(0x100 + static_cast<FcHandle>(i));
  EXPECT_EQ(table.FindByHandle(0x142), table.GetAt(0x42));
  EXPECT_EQ(table.FindByHandle(0), nullptr);
  table.GetAt(42)->SetName("Renamed");
  EXPECT_EQ(table.FindByName("L42"), nullptr);
  EXPECT_EQ(table.FindByName("RENAMED"), table.GetAt(42));
  table.GetAt(7)->SetName("renamed");
  EXPECT_EQ(table.FindByName("Renamed"), table.GetAt(7));
}

// The name index kept in step with the table answers as a scan from the
// start, through appends, renames of the last and of earlier records,
// names held twice, removals and swaps.
TEST(SymbolListTest, NameLookupsMatchAScanThroughEveryChange) {
  FcLayerList table;
  const auto scan = [&table](const std::string& name) -> FcLayer* {
    for (int i = 0; i < table.GetCount(); ++i) {
      if (EqualsNoCaseMultibyte(table.GetAt(i)->GetName(), name)) return table.GetAt(i);
    }
    return nullptr;
  };
  const auto expectScan = [&](const char* step) {
    for (const std::string name : {"", "a", "B", "c", "d", "Walls"}) {
      EXPECT_EQ(table.FindByName(name), scan(name)) << step << ": " << name;
    }
  };
  expectScan("empty");
  for (const char* name : {"A", "b", "a", "c"}) table.AddNew()->SetName(name);
  expectScan("appended, one held twice");
  table.AddNew();
  expectScan("last unnamed");
  table.GetAt(table.GetCount() - 1)->SetName("walls");
  expectScan("last named");
  table.GetAt(table.GetCount() - 1)->SetName("b");
  expectScan("last takes an earlier name");
  table.GetAt(0)->SetName("d");
  expectScan("first holder of a name held twice renamed");
  table.RemoveByName("b");
  expectScan("removed");
  table.SortByName(0, table.GetCount() - 1);
  expectScan("sorted");
  table.RemoveAll();
  expectScan("emptied");
}

// A reader that meets entities on many layers the table does not declare
// adds each one; every look-up must not pass over the whole table.
TEST(SymbolListTest, ManyNewLayersAreLookedUpWithoutPassesOverTheTable) {
  constexpr int kLayers = 3000;
  FcGraph graph;
  const FcLayerList& layers = graph.GetLayerList();
  for (int i = 0; i < kLayers; ++i) {
    const std::string name = "L" + std::to_string(i);
    FcLayer* layer = graph.FindOrCreateLayer(name);
    ASSERT_NE(layer, nullptr);
    ASSERT_EQ(graph.FindOrCreateLayer("l" + std::to_string(i / 2)), layers.FindByName("L" + std::to_string(i / 2)));
    ASSERT_EQ(layers.FindByName(name), layer);
  }
  EXPECT_EQ(layers.GetCount(), kLayers + 1);
  // A pass per new layer would visit about kLayers * kLayers / 2 records.
  EXPECT_LE(layers.GetNameIndexWork(), 4u * kLayers);
}

TEST(SymbolListTest, MultibyteNamesFoldOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsNoCaseMultibyte("DefPoints", "DEFPOINTS"));
  EXPECT_FALSE(EqualsNoCaseMultibyte("DefPoint", "DefPoints"));
  // In code page 932 0x82 leads a double-byte character whose second byte
  // may look like a letter; it is compared as it is.
  EXPECT_FALSE(EqualsNoCaseMultibyte("\x82\x61", "\x82\x41", 932));
  EXPECT_TRUE(EqualsNoCaseMultibyte("\x82\x61x", "\x82\x61X", 932));
  EXPECT_TRUE(EqualsNoCaseMultibyte("\x82\x61", "\x82\x41", 1252));
}

}  // namespace
