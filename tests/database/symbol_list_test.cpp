#include <gtest/gtest.h>

#include <string>

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
