#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/ucs.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

void Fill(FcUCSList& table) {
  table.SetHandle(0x7);
  FcUCS* front = table.AddNamed("Front");
  front->SetHandle(0x60);
  front->SetOrigin({10.5, -2.25});
  front->SetXAxis({0.6, 0.8});
  front->SetYAxis({-0.8, 0.6});
  FcUCS* side = table.AddNamed("Side");
  side->SetHandle(0x61);
}

void ExpectSameTable(const FcUCSList& read, const FcUCSList& written) {
  ASSERT_EQ(read.GetCount(), written.GetCount());
  for (int i = 0; i < read.GetCount(); ++i) {
    const FcUCS* a = read.GetAt(i);
    const FcUCS* b = written.GetAt(i);
    EXPECT_EQ(a->GetName(), b->GetName());
    EXPECT_EQ(a->GetHandle(), b->GetHandle());
    EXPECT_EQ(a->GetOwner(), &read);
    for (const auto& [pa, pb] : {std::pair{a->GetOrigin(), b->GetOrigin()}, std::pair{a->GetXAxis(), b->GetXAxis()},
                                 std::pair{a->GetYAxis(), b->GetYAxis()}}) {
      EXPECT_DOUBLE_EQ(pa.x, pb.x);
      EXPECT_DOUBLE_EQ(pa.y, pb.y);
    }
  }
}

TEST(UcsTest, DxfTableRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcUCSList written;
    Fill(written);
    FcFiler filer;
    StartMemory(filer, kind, nullptr);
    ASSERT_EQ(written.WriteDxf(filer), kFcStatusOk);
    filer.Seek(0, FcSeekOrigin::kBegin);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    FcUCSList read;
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    ExpectSameTable(read, written);
  }
}

TEST(UcsTest, DwgTableRoundTrip) {
  FcGraph graph;
  FcUCSList written;
  Fill(written);
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  written.WriteDwg(filer);
  FcUCSList read;
  read.SetHandle(0x7);
  read.AddNamed("Gone");
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  ExpectSameTable(read, written);
}

TEST(UcsTest, FindsNamesWithoutRegardToCase) {
  FcUCSList table;
  Fill(table);
  EXPECT_EQ(table.FindByName("FRONT"), table.GetAt(0));
  EXPECT_EQ(table.FindByName("sidE"), table.GetAt(1));
  EXPECT_EQ(table.FindByName("Top"), nullptr);
}

TEST(UcsTest, GrowsOnlyWhenTheRecordsWouldNotFit) {
  FcUCSList table;
  for (int i = 0; i < 8; ++i) table.AddNew();
  EXPECT_EQ(table.GetCapacity(), 8);
  table.AddNew();
  EXPECT_EQ(table.GetCapacity(), 16);
  table.Grow(9);
  EXPECT_EQ(table.GetCapacity(), 16 + 17);
}

TEST(UcsTest, ARecordWithoutANameFailsTheTable) {
  const std::string text = Groups({{5, "7"},
                                   {100, "AcDbSymbolTable"},
                                   {70, "1"},
                                   {0, "UCS"},
                                   {5, "60"},
                                   {100, "AcDbSymbolTableRecord"},
                                   {100, "AcDbUCSTableRecord"},
                                   {10, "1"},
                                   {20, "2"},
                                   {0, "ENDTAB"}});
  FcFiler filer;
  StartReading(filer, text, FcFileKind::kAsciiDxf, nullptr);
  FcUCSList table;
  EXPECT_EQ(table.ReadDxf(filer), kFcStatusRecordFailed);
  EXPECT_EQ(table.GetCount(), 0);
}

}  // namespace
