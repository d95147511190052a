#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

TEST(LinetypeTest, PatternText) {
  struct Case {
    const char* text;
    bool accepted;
    int count;
    double patternLength;
    double drawnLength;
  };
  const Case cases[] = {
      {"A,.5,-.25", true, 2, 19.05, 12.7},
      {"A,.5,-.25,0,-.25", true, 4, 25.4, 12.7},
      {"a,.5,-.25", true, 2, 19.05, 12.7},
      {"A,.5", false, 1, 12.7, 12.7},
      {"A,-.5,.25", false, 0, 0.0, 0.0},
      {"A,.5,A,-.25", false, 1, 12.7, 12.7},
      {"A,.5,[DOT,ltypeshp.shx],-.25", false, 1, 12.7, 12.7},
      {"A,.5,x,-.25", false, 1, 12.7, 12.7},
      {"", false, 0, 0.0, 0.0},
      // Fifteen numbers are kept; the rest are not looked at.
      {"A,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-1,-1,-1", true, 15, 381.0, 355.6},
      {"A,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-1,-1", false, 15, 381.0, 381.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FcLineType linetype;
    EXPECT_EQ(linetype.SetPattern(c.text), c.accepted);
    EXPECT_EQ(linetype.GetElementCount(), c.count);
    EXPECT_NEAR(linetype.GetPatternLength(), c.patternLength, 1e-9);
    EXPECT_NEAR(linetype.GetDrawnLength(), c.drawnLength, 1e-9);
  }
  FcLineType linetype;
  ASSERT_TRUE(linetype.SetPattern("A,.5,-.25"));
  EXPECT_DOUBLE_EQ(linetype.GetElement(0), 12.7);
  EXPECT_DOUBLE_EQ(linetype.GetElement(1), -6.35);
}

TEST(LinetypeTest, NamesSetTheKind) {
  FcLineType linetype;
  for (const auto& [name, kind] : {std::pair{"bylayer", FcLineType::kKindByLayer},
                                   std::pair{"BYBLOCK", FcLineType::kKindByBlock},
                                   std::pair{"DASHED", FcLineType::kKindOther}}) {
    linetype.SetName(name);
    EXPECT_EQ(linetype.GetKind(), kind) << name;
  }
}

TEST(LinetypeTest, LoadsEveryLinetypeOfTheProgramFile) {
  FcLinetypeList table;
  table.LoadFromFile(std::string(KOVRA_SOURCE_DIR) + "/Support/kovra.lin");
  const char* families[] = {"BORDER", "CENTER", "DASHDOT", "DASHED", "DIVIDE", "DOT", "HIDDEN", "PHANTOM"};
  ASSERT_EQ(table.GetCount(), 24);
  for (const char* family : families) {
    const FcLineType* plain = table.FindByName(family);
    const FcLineType* half = table.FindByName(std::string(family) + "2");
    const FcLineType* twice = table.FindByName(std::string(family) + "x2");
    ASSERT_TRUE(plain && half && twice) << family;
    EXPECT_FALSE(plain->GetDescription().empty());
    EXPECT_NEAR(half->GetPatternLength() * 2.0, plain->GetPatternLength(), 1e-9) << family;
    EXPECT_NEAR(twice->GetPatternLength(), plain->GetPatternLength() * 2.0, 1e-9) << family;
  }
}

TEST(LinetypeTest, LoaderSkipsWhatIsNotALinetype) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "tables_loader_test.lin";
  {
    std::ofstream out(path, std::ios::binary);
    // A pattern line with no header before it takes the next line along.
    out << ";comment\r\n\r\n*FIRST,One\r\n*SECOND,Two\r\nA,.5,-.25\r\n; taken along\r\n"
           "  *THIRD\r\nA,.5,-.25\r\n*,,FOURTH,,Four,ignored\r\nA,.5,-.25\r\n*BAD,Bad\r\nA,.5\r\n"
           "*LAST,Last\r\nA,.25,-.25";
  }
  FcLinetypeList table;
  table.AddNew()->SetName("OLD");
  table.LoadFromFile(path.string());
  std::filesystem::remove(path);
  ASSERT_EQ(table.GetCount(), 3);
  EXPECT_EQ(table.GetAt(0)->GetName(), "THIRD");
  EXPECT_EQ(table.GetAt(0)->GetDescription(), "");
  EXPECT_EQ(table.GetAt(1)->GetName(), "FOURTH");
  EXPECT_EQ(table.GetAt(1)->GetDescription(), "Four");
  EXPECT_EQ(table.GetAt(2)->GetName(), "LAST");

  table.LoadFromFile("/no/such/file.lin");
  EXPECT_EQ(table.GetCount(), 0);
}

FcLinetypeList& Filled(FcLinetypeList& table) {
  table.SetHandle(0x3);
  const char* names[] = {"ByLayer", "ByBlock", "Continuous", "DASHDOT"};
  for (int i = 0; i < 4; ++i) {
    FcLineType* record = table.AddNew();
    record->SetHandle(0x40 + static_cast<FcHandle>(i));
    record->SetName(names[i]);
  }
  table.GetAt(2)->SetDescription("Solid line");
  EXPECT_TRUE(table.GetAt(3)->SetPattern("A,.5,-.25,0,-.25"));
  table.GetAt(3)->SetDescription("Dash dot __ . __");
  return table;
}

void ExpectSameTable(const FcLinetypeList& read, const FcLinetypeList& written) {
  ASSERT_EQ(read.GetCount(), written.GetCount());
  for (int i = 0; i < read.GetCount(); ++i) {
    const FcLineType* a = read.GetAt(i);
    const FcLineType* b = written.GetAt(i);
    EXPECT_EQ(a->GetName(), b->GetName());
    EXPECT_EQ(a->GetKind(), b->GetKind());
    EXPECT_EQ(a->GetHandle(), b->GetHandle());
    EXPECT_EQ(a->GetDescription(), b->GetDescription());
    EXPECT_EQ(a->GetOwner(), &read);
    ASSERT_EQ(a->GetElementCount(), b->GetElementCount());
    for (int j = 0; j < a->GetElementCount(); ++j) EXPECT_DOUBLE_EQ(a->GetElement(j), b->GetElement(j));
    EXPECT_DOUBLE_EQ(a->GetPatternLength(), b->GetPatternLength());
    EXPECT_DOUBLE_EQ(a->GetDrawnLength(), b->GetDrawnLength());
  }
}

TEST(LinetypeTest, DxfTableRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcLinetypeList written;
    Filled(written);
    FcFiler filer;
    StartMemory(filer, kind, nullptr);
    ASSERT_EQ(written.WriteDxf(filer), kFcStatusOk);
    filer.Seek(0, FcSeekOrigin::kBegin);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    FcLinetypeList read;
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    ExpectSameTable(read, written);
  }
}

TEST(LinetypeTest, DxfRecordWritesItsGroups) {
  FcLinetypeList table;
  table.SetHandle(0x5);
  FcLineType* record = table.AddNew();
  record->SetHandle(0x2A);
  record->SetName("DASHED");
  record->SetDescription("__ __");
  ASSERT_TRUE(record->SetPattern("A,.5,-.25"));
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, nullptr);
  record->WriteDxf(filer);
  EXPECT_EQ(Contents(filer), Groups({{0, "LTYPE"},
                                     {5, "2A"},
                                     {330, "5"},
                                     {100, "AcDbSymbolTableRecord"},
                                     {100, "AcDbLinetypeTableRecord"},
                                     {2, "DASHED"},
                                     {70, "0"},
                                     {3, "__ __"},
                                     {72, "65"},
                                     {73, "2"},
                                     {40, "19.049999999999997"},
                                     {49, "12.699999999999999"},
                                     {74, "0"},
                                     {49, "-6.35"},
                                     {74, "0"}}));
}

TEST(LinetypeTest, DxfRecordCounts) {
  auto record = [](int count, int elements) {
    std::vector<std::pair<int, std::string>> groups = {{5, "2A"},
                                                        {100, "AcDbSymbolTableRecord"},
                                                        {100, "AcDbLinetypeTableRecord"},
                                                        {2, "MANY"},
                                                        {73, std::to_string(count)}};
    for (int i = 0; i < elements; ++i) groups.emplace_back(49, i % 2 == 0 ? "1.0" : "-1.0");
    groups.emplace_back(0, "ENDTAB");
    return Groups(groups);
  };
  const struct {
    int count;
    int elements;
    int status;
  } cases[] = {{15, 15, kFcStatusOk}, {16, 16, kFcStatusStructure}, {2, 16, kFcStatusStructure},
               {3, 2, kFcStatusEnd}};
  for (const auto& c : cases) {
    FcFiler filer;
    StartReading(filer, record(c.count, c.elements), FcFileKind::kAsciiDxf, nullptr);
    FcLineType linetype;
    EXPECT_EQ(linetype.ReadDxf(filer), c.status) << c.count << " " << c.elements;
  }
}

class LinetypeDwgTest : public testing::Test {
 protected:
  void Write(FcLinetypeList& table) {
    StartMemory(filer, FcFileKind::kDwg, &graph);
    filer.WriteRawByte(0);
    table.WriteDwg(filer);
  }
  FcGraph graph;
  FcFilerDwg filer;
};

TEST_F(LinetypeDwgTest, TableRoundTrip) {
  FcLinetypeList written;
  Filled(written);
  Write(written);
  FcLinetypeList read;
  read.SetHandle(0x3);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  ExpectSameTable(read, written);
}

TEST_F(LinetypeDwgTest, RefusesAnElementCountOutOfRange) {
  FcLineType record;
  record.SetHandle(0x50);
  record.SetName("TOO_MANY");
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  struct Writer : FcLineType {
    void Write(FcFilerDwg& f) {
      BeginDwgObject(f);
      f.WriteBitLong(0);
      f.WriteText("TOO_MANY");
      f.WriteBit(1);
      f.WriteBitShort(0);
      f.WriteBit(0);
      f.WriteText("");
      f.WriteBitDouble(1.0);
      f.WriteRawByte(0x41);
      f.WriteRawByte(200);
      f.SetDataBitSize(f.GetBitsWritten());
      EndDwgObject(f);
    }
  } writer;
  writer.SetHandle(0x50);
  writer.Write(filer);
  EXPECT_EQ(record.ReadDwg(filer), kFcStatusReadError);
}

}  // namespace
