#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object_record_parts.h"
#include "database/sort_ents_table.h"
#include "tests/support/dictionary_test_support.h"

namespace {

using Handles = std::vector<FcHandle>;
using GroupList = std::vector<std::pair<int, std::string>>;

Handles EntityHandles(const FcSortEntsTable& table) {
  Handles handles;
  for (int i = 0; i < table.GetEntryCount(); ++i) handles.push_back(table.GetEntityHandle(i));
  return handles;
}

Handles SortHandles(const FcSortEntsTable& table) {
  Handles handles;
  for (int i = 0; i < table.GetEntryCount(); ++i) handles.push_back(table.GetSortHandle(i));
  return handles;
}

void AddAll(FcSortEntsTable& table, const Handles& handles) {
  for (const FcHandle handle : handles) table.AddHandle(handle);
}

TEST(SortEntsTableTest, DrawOrderOperations) {
  enum class Op { kNone, kRemove, kMove, kMoveBefore };
  struct Case {
    const char* name;
    Handles added;
    Op op;
    FcHandle handle;
    FcHandle target;
    Handles entities;
    Handles sorts;
  };
  const Handles abc = {0x30, 0x2A, 0x40};
  const Case cases[] = {
      {"added entities are drawn last", abc, Op::kNone, 0, 0, abc, {0x2A, 0x30, 0x40}},
      {"adding a handle twice keeps one entry", {0x30, 0x30}, Op::kNone, 0, 0, {0x30}, {0x30}},
      {"moved after target 0 is drawn last", abc, Op::kMove, 0x30, 0, {0x2A, 0x40, 0x30}, {0x2A, 0x30, 0x40}},
      {"moved right after its target", abc, Op::kMove, 0x30, 0x2A, {0x2A, 0x30, 0x40}, {0x2A, 0x30, 0x40}},
      {"already after its target stays", abc, Op::kMove, 0x40, 0x30, abc, {0x2A, 0x30, 0x40}},
      {"unknown target changes nothing", abc, Op::kMove, 0x30, 0x99, abc, {0x2A, 0x30, 0x40}},
      {"moved before target 0 is drawn first", abc, Op::kMoveBefore, 0x40, 0, {0x40, 0x30, 0x2A},
       {0x2A, 0x30, 0x40}},
      {"moved right before its target", abc, Op::kMoveBefore, 0x40, 0x2A, {0x30, 0x40, 0x2A}, {0x2A, 0x30, 0x40}},
      {"already before its target stays", abc, Op::kMoveBefore, 0x30, 0x40, abc, {0x2A, 0x30, 0x40}},
      {"removing an unknown handle changes nothing", abc, Op::kRemove, 0x99, 0, abc, {0x2A, 0x30, 0x40}},
      {"removing a handle removes one entry", abc, Op::kRemove, 0x2A, 0, {0x30, 0x40}, {0x30, 0x40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcSortEntsTable table;
    AddAll(table, c.added);
    switch (c.op) {
      case Op::kNone: break;
      case Op::kRemove: EXPECT_EQ(table.RemoveHandle(c.handle), static_cast<int>(c.entities.size())); break;
      case Op::kMove: table.MoveEntity(c.handle, c.target); break;
      case Op::kMoveBefore: table.MoveEntityBefore(c.handle, c.target); break;
    }
    EXPECT_EQ(EntityHandles(table), c.entities);
    EXPECT_EQ(SortHandles(table), c.sorts);
  }
}

// The display's copy, sorted by entity handle, answers each entity's sort
// handle; a handle it lacks stands for itself.
TEST(SortEntsTableTest, LookupInTheDisplaysCopy) {
  FcSortEntsTable table;
  AddAll(table, {0x30, 0x2A, 0x40});
  table.MoveEntity(0x30, 0);
  FcSortEntsTable copy;
  copy.Copy(table);
  EXPECT_EQ(EntityHandles(copy), EntityHandles(table));
  copy.Sort(0, copy.GetEntryCount() - 1);
  EXPECT_EQ(EntityHandles(copy), (Handles{0x2A, 0x30, 0x40}));
  EXPECT_EQ(copy.LookupSortHandle(0x2A), 0x2Au);
  EXPECT_EQ(copy.LookupSortHandle(0x40), 0x30u);
  EXPECT_EQ(copy.LookupSortHandle(0x30), 0x40u);
  EXPECT_EQ(copy.LookupSortHandle(0x99), 0x99u);
}

class SortEntsDxfTest : public testing::Test {
 protected:
  void SetUp() override {
    block.SetHandle(0x1F);
    sortEnts.SetHandle(0x60);
    sortEnts.SetOwner(&block);
    table = new FcSortEntsTable;
    table->SetHandle(0x61);
    table->SetDwgType(graph.GetCustomClassType("SORTENTSTABLE"));
    sortEnts.SetAt("ACAD_SORTENTS", table);
    AddAll(*table, {0x30, 0x2A, 0x40});
  }

  FcGraph graph;
  FcPlaceHolder block;  // stands for the block that owns the dictionary
  FcDictionary sortEnts;
  FcSortEntsTable* table = nullptr;
};

TEST_F(SortEntsDxfTest, PairsInDxfRestoreTheDrawOrder) {
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  ASSERT_EQ(table->WriteDxf(filer), kFcStatusOk);
  EXPECT_EQ(Contents(filer), Groups({{0, "SORTENTSTABLE"},
                                     {5, "61"},
                                     {330, "60"},
                                     {102, "{ACAD_REACTORS"},
                                     {330, "60"},
                                     {102, "}"},
                                     {100, "AcDbSortentsTable"},
                                     {330, "1F"},
                                     {331, "30"},
                                     {5, "2A"},
                                     {331, "2A"},
                                     {5, "30"},
                                     {331, "40"},
                                     {5, "40"}}));

  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    table->MoveEntity(0x2A, 0);
    FcFiler writer;
    StartMemory(writer, kind, &graph);
    table->WriteDxf(writer);
    writer.WriteString(0, "ENDSEC");
    writer.Seek(0, FcSeekOrigin::kBegin);
    FcSortEntsTable read;
    ASSERT_EQ(ReadRecord(writer, read), kFcStatusOk);
    EXPECT_EQ(EntityHandles(read), EntityHandles(*table));
    EXPECT_EQ(SortHandles(read), SortHandles(*table));
  }
}

TEST_F(SortEntsDxfTest, MalformedDxfRecordsFail) {
  struct Case {
    const char* name;
    GroupList groups;
  };
  const Case cases[] = {
      {"entity without its sort handle",
       {{5, "61"}, {100, "AcDbSortentsTable"}, {330, "1F"}, {331, "30"}, {5, "30"}, {331, "31"}, {0, "ENDSEC"}}},
      {"wrong marker", {{5, "61"}, {100, "AcDbSortents"}, {330, "1F"}, {331, "30"}, {5, "30"}, {0, "ENDSEC"}}},
      {"no block handle", {{5, "61"}, {100, "AcDbSortentsTable"}, {331, "30"}, {5, "30"}, {0, "ENDSEC"}}},
      {"input ends", {{5, "61"}, {100, "AcDbSortentsTable"}, {330, "1F"}, {331, "30"}, {5, "30"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    FcSortEntsTable read;
    EXPECT_EQ(read.ReadDxf(filer), kFcStatusEnd);
  }
}

TEST_F(SortEntsDxfTest, TableWithoutPairsReadsEmpty) {
  FcFiler filer;
  StartReading(filer,
               Groups({{5, "1B2"},
                       {102, "{ACAD_REACTORS"},
                       {330, "3"},
                       {102, "}"},
                       {330, "3"},
                       {100, "AcDbSortentsTable"},
                       {330, "2"},
                       {0, "IMAGEDEF"}}),
               FcFileKind::kAsciiDxf, &graph);
  FcSortEntsTable read;
  ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
  EXPECT_EQ(read.GetEntryCount(), 0);
  FcResBuf next;
  ASSERT_TRUE(filer.ReadGroup(next));
  EXPECT_STREQ(next.text, "IMAGEDEF");
}

// A table as a file may bring it: the sort handles need not be the entity
// handles, and either may repeat.
void ReadPairs(FcGraph& graph, const std::vector<std::pair<FcHandle, FcHandle>>& pairs, FcSortEntsTable& table) {
  const auto hex = [](FcHandle handle) {
    char text[17];
    return std::string(text, std::to_chars(text, text + sizeof text, handle, 16).ptr);
  };
  GroupList groups = {{5, "61"}, {100, "AcDbSortentsTable"}, {330, "1F"}};
  for (const auto& [entity, sort] : pairs) {
    groups.emplace_back(331, hex(entity));
    groups.emplace_back(5, hex(sort));
  }
  groups.emplace_back(0, "ENDSEC");
  FcFiler filer;
  StartReading(filer, Groups(groups), FcFileKind::kAsciiDxf, &graph);
  ASSERT_EQ(table.ReadDxf(filer), kFcStatusOk);
}

// Removing a run of handles at once leaves the table exactly as removing
// them one by one does: also where a handle is in one array only (which
// drops the last entry of the other), repeats, or is in neither.
TEST_F(SortEntsDxfTest, RemovingManyHandlesMatchesRemovingThemOneByOne) {
  std::mt19937 random(7);
  const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int trial = 0; trial < 400; ++trial) {
    SCOPED_TRACE(trial);
    // Entity handles 30..37 and sort handles 34..3B overlap in half.
    std::vector<std::pair<FcHandle, FcHandle>> pairs;
    for (int i = 1 + pick(10); i > 0; --i) pairs.emplace_back(0x30 + pick(8), 0x34 + pick(8));
    Handles removed;
    for (int i = pick(10); i > 0; --i) removed.push_back(0x30 + pick(13));
    FcSortEntsTable batch;
    ReadPairs(graph, pairs, batch);
    FcSortEntsTable single;
    single.Copy(batch);
    for (const FcHandle handle : removed) single.RemoveHandle(handle);

    EXPECT_EQ(batch.RemoveHandles(removed), single.GetEntryCount());
    EXPECT_EQ(EntityHandles(batch), EntityHandles(single));
    EXPECT_EQ(SortHandles(batch), SortHandles(single));
  }
}

// Writes a draw-order record whose count claims more pairs than follow.
class ClaimingTable : public FcSortEntsTable {
 public:
  explicit ClaimingTable(std::int32_t claimed) : claimed_(claimed) {}

  int WriteDwg(FcFilerDwg& filer) override {
    BeginDwgObject(filer);
    filer.WriteBitLong(1);
    filer.WriteBitLong(claimed_);
    filer.WriteHandleRef(0, 0, 0x2A);
    WriteDwgOwnerHandles(*this, filer, 4);
    filer.WriteHandleRef(4, 0, 0x1F);
    filer.WriteHandleRef(4, 0, 0x2A);
    EndDwgObject(filer);
    return kFcStatusOk;
  }

 private:
  std::int32_t claimed_;
};

TEST_F(SortEntsDxfTest, DwgRoundTripAndBadCounts) {
  table->MoveEntityBefore(0x40, 0);
  FcFilerDwg filer;
  WriteDwgRecords(filer, graph, *table);
  FcSortEntsTable read;
  read.SetHandle(0x61);
  read.SetDwgType(table->GetDwgType());
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(EntityHandles(read), EntityHandles(*table));
  EXPECT_EQ(SortHandles(read), SortHandles(*table));

  FcFilerDwg damaged;
  StartDamagedCopy(filer, damaged, &graph);
  EXPECT_EQ(read.ReadDwg(damaged), kFcStatusReadError);
  EXPECT_EQ(read.GetEntryCount(), 0);

  const std::pair<std::int32_t, int> claims[] = {{1, 0}, {-1, 2}, {1000, 2}, {100000000, 2}};
  for (const auto& [claimed, status] : claims) {
    SCOPED_TRACE(claimed);
    ClaimingTable written(claimed);
    written.SetHandle(0x62);
    written.SetDwgType(table->GetDwgType());
    FcFilerDwg claimingFiler;
    WriteDwgRecords(claimingFiler, graph, written);
    FcSortEntsTable claimedRead;
    claimedRead.SetHandle(0x62);
    claimedRead.SetDwgType(table->GetDwgType());
    EXPECT_EQ(claimedRead.ReadDwg(claimingFiler), status);
    EXPECT_LE(claimedRead.GetCapacity(), 2 * FcSortEntsTable::kGrowStep);
  }
}

}  // namespace
