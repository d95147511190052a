#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/graph.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

FcAppIDList& Table(FcGraph& graph) { return graph.GetAppIdList(); }

TEST(AppIdTest, WritesTheDxfTable) {
  FcGraph graph;
  FcAppIDList table;
  table.SetHandle(8);
  FcAppID* record = table.AddNew();
  record->SetHandle(0x12);
  record->SetName("ACAD");
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  table.WriteDxf(filer);
  EXPECT_EQ(Contents(filer), Groups({{0, "TABLE"},
                                     {2, "APPID"},
                                     {5, "8"},
                                     {330, "0"},
                                     {100, "AcDbSymbolTable"},
                                     {70, "1"},
                                     {0, "APPID"},
                                     {5, "12"},
                                     {330, "8"},
                                     {100, "AcDbSymbolTableRecord"},
                                     {100, "AcDbRegAppTableRecord"},
                                     {2, "ACAD"},
                                     {70, "0"},
                                     {0, "ENDTAB"}}));
}

// A table read over the drawing's own: "acad" merges into its "ACAD" with
// the file's name and handle, flags are not taken over.
TEST(AppIdTest, DxfTableMergesKnownNamesInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcGraph source;
    FcAppIDList written;
    written.SetHandle(0x8);
    FcAppID* acad = written.AddNew();
    acad->SetHandle(0x40);
    acad->SetName("acad");
    acad->SetFlags(64);
    FcAppID* extra = written.AddNew();
    extra->SetHandle(0x41);
    extra->SetName("EXTRA");
    FcFiler filer;
    StartMemory(filer, kind, &source);
    written.WriteDxf(filer);
    filer.Seek(0, FcSeekOrigin::kBegin);

    FcGraph graph;
    FcAppID* own = Table(graph).FindByName("ACAD");
    ASSERT_NE(own, nullptr);
    const int before = Table(graph).GetCount();
    filer.SetGraph(&graph);
    FcResBuf group0;
    ASSERT_TRUE(filer.ReadGroup(group0));
    ASSERT_EQ(Table(graph).ReadDxf(filer), kFcStatusOk);
    EXPECT_EQ(Table(graph).GetCount(), before + 1);
    EXPECT_EQ(Table(graph).FindByName("ACAD"), own);
    EXPECT_EQ(own->GetName(), "acad");
    EXPECT_EQ(own->GetHandle(), 0x40u);
    EXPECT_EQ(own->GetFlags(), 0);
    ASSERT_NE(Table(graph).FindByName("extra"), nullptr);
    EXPECT_EQ(Table(graph).FindByName("extra")->GetOwner(), &Table(graph));
    EXPECT_GT(graph.GetHandleSeed(), 0x41u);
  }
}

TEST(AppIdTest, MalformedDxfTables) {
  using G = std::vector<std::pair<int, std::string>>;
  const G head = {{2, "APPID"}, {5, "8"}, {100, "AcDbSymbolTable"}, {70, "1"}};
  const G record = {{0, "APPID"}, {5, "50"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbRegAppTableRecord"}};
  struct Case {
    const char* name;
    G groups;
    int status;
  };
  auto join = [](std::initializer_list<G> parts) {
    G all;
    for (const G& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const Case cases[] = {
      {"record without a name", join({head, record, {{70, "0"}, {0, "ENDTAB"}}}), kFcStatusRecordFailed},
      {"record without its markers", join({head, {{0, "APPID"}, {5, "50"}, {100, "AcDbSymbolTableRecord"}, {2, "X"}}}),
       kFcStatusRecordFailed},
      {"table without its marker", {{2, "APPID"}, {5, "8"}, {100, "AcDbOther"}}, kFcStatusEnd},
      {"another record kind", join({head, {{0, "LAYER"}}}), kFcStatusEnd},
      {"no end of table", head, kFcStatusEnd},
      {"record with an empty name is dropped", join({head, record, {{2, ""}, {0, "ENDTAB"}}}), kFcStatusOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    const int before = Table(graph).GetCount();
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    EXPECT_EQ(Table(graph).ReadDxf(filer), c.status);
    if (c.status == kFcStatusOk) {
      EXPECT_EQ(Table(graph).GetCount(), before);
    }
  }
}

class AppIdDwgTest : public testing::Test {
 protected:
  void Write(FcAppIDList& table) {
    StartMemory(filer, FcFileKind::kDwg, &graph);
    filer.WriteRawByte(0);
    table.WriteDwg(filer);
  }
  FcGraph graph;
  FcFilerDwg filer;
};

TEST_F(AppIdDwgTest, TableRoundTrip) {
  FcAppIDList table;
  table.SetHandle(0x8);
  for (const char* name : {"ACAD", "SECOND"}) {
    FcAppID* record = table.AddNew();
    record->SetHandle(graph.GetHandleSeed() + table.GetCount());
    record->SetName(name);
  }
  Write(table);
  FcAppIDList read;
  read.SetHandle(0x8);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  ASSERT_EQ(read.GetCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(read.GetAt(i)->GetName(), table.GetAt(i)->GetName());
    EXPECT_EQ(read.GetAt(i)->GetHandle(), table.GetAt(i)->GetHandle());
    EXPECT_EQ(read.GetAt(i)->GetOwner(), &read);
  }
}

// A control object whose handle list has null handles among its entries:
// the reader passes over them until it has the stated count.
TEST_F(AppIdDwgTest, NullHandlesInTheListArePassedOver) {
  FcAppID record;
  record.SetHandle(0x21);
  record.SetName("ONLY");
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  FcAppIDList control;
  control.SetHandle(0x8);
  struct ControlWriter : FcAppIDList {
    void Write(FcFilerDwg& f, FcHandle entry) {
      BeginDwgObject(f);
      f.WriteBitLong(0);
      f.WriteBitLong(1);
      f.SetDataBitSize(f.GetBitsWritten());
      f.WriteHandleRef(4, 0, 0);
      f.WriteHandleRef(3, 0, 0);
      f.WriteHandleRef(2, 0, 0);
      f.WriteHandleRef(2, 0, entry);
      EndDwgObject(f);
    }
  } writer;
  writer.SetHandle(0x8);
  writer.Write(filer, 0x21);
  record.SetOwner(&writer);
  record.WriteDwg(filer);

  ASSERT_EQ(control.ReadDwg(filer), kFcStatusOk);
  ASSERT_EQ(control.GetCount(), 1);
  EXPECT_EQ(control.GetAt(0)->GetName(), "ONLY");
}

TEST_F(AppIdDwgTest, DamagedRecordsFailTheRead) {
  FcAppIDList table;
  table.SetHandle(0x8);
  FcAppID* record = table.AddNew();
  record->SetHandle(0x21);
  record->SetName("ACAD");
  Write(table);
  const std::string bytes = Contents(filer);

  FcAppIDList wrongHandle;
  wrongHandle.SetHandle(0x9);
  EXPECT_EQ(wrongHandle.ReadDwg(filer), kFcStatusReadError);

  // The last byte before the record's CRC belongs to the APPID record.
  std::string damaged = bytes;
  damaged[damaged.size() - 3] ^= 0x10;
  FcFilerDwg other;
  StartReading(other, damaged, FcFileKind::kDwg, &graph);
  for (const FcObjectMapEntry& entry : filer.GetObjectMap().Entries())
    other.GetObjectMap().Insert(entry.handle, entry.offset);
  FcAppIDList read;
  read.SetHandle(0x8);
  EXPECT_EQ(read.ReadDwg(other), kFcStatusReadError);
  EXPECT_EQ(read.GetCount(), 0);
}

TEST(AppIdTest, CopyFromKeepsHandlesAndBindsXdataToItsOwnRecords) {
  FcGraph graph;
  FcAppIDList source;
  source.SetHandle(0x8);
  FcAppID* acad = source.AddNew();
  acad->SetHandle(0x12);
  acad->SetName("ACAD");
  acad->SetFlags(3);
  acad->GetXdata().GetForApp(acad);
  FcAppIDList copy;
  copy.CopyFrom(source);
  ASSERT_EQ(copy.GetCount(), 1);
  EXPECT_EQ(copy.GetHandle(), 0x8u);
  EXPECT_EQ(copy.GetAt(0)->GetHandle(), 0x12u);
  EXPECT_EQ(copy.GetAt(0)->GetFlags(), 3);
  EXPECT_EQ(copy.GetAt(0)->GetOwner(), &copy);
  EXPECT_EQ(copy.GetAt(0)->GetXdata().GetAt(0)->application, copy.GetAt(0));
  EXPECT_EQ(copy.FindRecordByHandle(0x12), copy.GetAt(0));
}

}  // namespace
