#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/symbol_list.h"
#include "database/viewport.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"
#include "tests/support/point_expect.h"

namespace {

void ExpectSameRecord(const FcViewport& a, const FcViewport& b) {
  ExpectPointEq(a.viewCentre, b.viewCentre);
  EXPECT_DOUBLE_EQ(a.viewHeight, b.viewHeight);
  EXPECT_DOUBLE_EQ(a.aspectRatio, b.aspectRatio);
  EXPECT_EQ(a.snapOn, b.snapOn);
  EXPECT_NEAR(a.snapAngle, b.snapAngle, 1e-14);
  ExpectPointEq(a.snapBase, b.snapBase);
  ExpectPointEq(a.snapSpacing, b.snapSpacing);
  ExpectPointEq(a.gridSpacing, b.gridSpacing);
  EXPECT_EQ(a.gridOn, b.gridOn);
  EXPECT_EQ(a.ucsIcon, b.ucsIcon);
  ExpectPointEq(a.ucsOrigin, b.ucsOrigin);
  ExpectPointEq(a.ucsXAxis, b.ucsXAxis);
  ExpectPointEq(a.ucsYAxis, b.ucsYAxis);
}

// Every field away from its default; the UCS is turned a quarter left.
void Fill(FcViewportList& table) {
  table.SetHandle(0x6);
  FcViewport& record = table.GetActive();
  record.SetHandle(0x23);
  record.viewCentre = {12.5, -3.25};
  record.viewHeight = 100.0;
  record.aspectRatio = 1.5;
  record.snapOn = 1;
  record.snapAngle = 0.5;
  record.snapBase = {1.0, 2.0};
  record.snapSpacing = {2.5, 5.0};
  record.gridSpacing = {20.0, 40.0};
  record.gridOn = 1;
  record.ucsIcon = 3;
  record.ucsOrigin = {10.0, 0.0};
  record.ucsXAxis = {0.0, 1.0};
  record.ucsYAxis = {-1.0, 0.0};
}

// The drawing's settings, read back through a capture; without a display
// the view itself is not the drawing's to give, so the record's is kept.
void ExpectApplied(const FcGraph& graph, const FcViewport& record) {
  FcViewport captured;
  captured.CaptureFromGraph(graph);
  captured.viewCentre = record.viewCentre;
  captured.viewHeight = record.viewHeight;
  captured.aspectRatio = record.aspectRatio;
  ExpectSameRecord(captured, record);
}

TEST(ViewportTest, NewDrawingHasTheActiveRecordAtItsDefaults) {
  FcGraph graph;
  const FcViewportList& table = graph.GetViewportList();
  const FcViewport& record = table.GetActive();
  EXPECT_EQ(table.GetHandle(), 6u);
  EXPECT_EQ(table.GetDwgType(), 64);
  EXPECT_EQ(table.GetCount(), 0);
  EXPECT_EQ(record.GetHandle(), 35u);
  EXPECT_EQ(record.GetOwner(), &table);
  EXPECT_EQ(record.GetDwgType(), 65);
  EXPECT_EQ(record.GetRecordName(), "VPORT");
  ExpectPointEq(record.viewCentre, {0.0, 0.0});
  EXPECT_EQ(record.viewHeight, 9.0);
  EXPECT_EQ(record.aspectRatio, 4.0 / 3.0);
  EXPECT_EQ(record.snapOn, 0);
  EXPECT_EQ(record.snapAngle, 0.0);
  ExpectPointEq(record.snapBase, {0.0, 0.0});
  ExpectPointEq(record.snapSpacing, {10.0, 10.0});
  ExpectPointEq(record.gridSpacing, {10.0, 10.0});
  EXPECT_EQ(record.gridOn, 0);
  EXPECT_EQ(record.ucsIcon, 1);
  ExpectPointEq(record.ucsOrigin, {0.0, 0.0});
  ExpectPointEq(record.ucsXAxis, {1.0, 0.0});
  ExpectPointEq(record.ucsYAxis, {0.0, 1.0});
  EXPECT_EQ(graph.GetViewList().GetDwgType(), 60);
  EXPECT_EQ(graph.GetViewHeaderCtrl().GetDwgType(), 70);
  // Views and viewports in a DWG file are not objects of their own.
  for (const int type : {60, 64, 65, 70}) EXPECT_EQ(graph.CreateObjectByDwgType(type), nullptr) << type;
}

TEST(ViewportTest, ApplyAndCaptureCarryTheDrawingSettings) {
  FcGraph graph;
  FcViewportList filled;
  Fill(filled);
  filled.GetActive().ApplyToGraph(graph);
  ExpectApplied(graph, filled.GetActive());
  const FcSystemVar& vars = graph.GetSysVars();
  ExpectPointEq(vars.snapunit, {2.5, 5.0});
  ExpectPointEq(vars.gridunit, {20.0, 40.0});
  ExpectPointEq(vars.snapbase, {1.0, 2.0});
  EXPECT_EQ(vars.snapang, 0.5);
  ExpectPointEq(vars.ucsxdir, {0.0, 1.0});
}

TEST(ViewportTest, DxfTableRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcGraph graph;
    FcViewportList written;
    Fill(written);
    FcFiler filer;
    StartMemory(filer, kind, &graph);
    ASSERT_EQ(written.WriteDxf(filer), kFcStatusOk);
    filer.WriteString(0, "ENDSEC");
    filer.Seek(0, FcSeekOrigin::kBegin);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    FcViewportList read;
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    EXPECT_EQ(read.GetHandle(), 0x6u);
    EXPECT_EQ(read.GetRecordHandle(), 0x23u);
    ExpectSameRecord(read.GetActive(), written.GetActive());
    ExpectApplied(graph, written.GetActive());
    // The x-axis point of the UCS lies one unit from its origin.
    FcPoint2d xPoint{1.0, 0.0};
    TransformPoint(graph.GetSysVars().UcsToWorld, xPoint);
    ExpectPointEq(xPoint, {10.0, 1.0});
    ASSERT_TRUE(filer.ReadGroup(group));
    EXPECT_EQ(std::string(group.text), "ENDSEC");
  }
}

TEST(ViewportTest, DwgRoundTrip) {
  FcGraph graph;
  FcViewportList written;
  Fill(written);
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  ASSERT_EQ(written.WriteDwg(filer), kFcStatusOk);
  FcViewportList read;
  read.SetHandle(0x6);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(read.GetRecordHandle(), 0x23u);
  ExpectSameRecord(read.GetActive(), written.GetActive());
  ExpectApplied(graph, written.GetActive());

  // The record carries the view's width, not its proportions.
  FcViewport probe;
  probe.SetHandle(0x23);
  FcDwgRecordStart start;
  ASSERT_TRUE(ReadDwgRecordStart(probe, filer, FcViewport::kDwgType, start));
  EXPECT_EQ(start.name, "*Active");
  double height = 0.0;
  double width = 0.0;
  ASSERT_TRUE(filer.ReadBitDouble(height) && filer.ReadBitDouble(width));
  EXPECT_EQ(height, 100.0);
  EXPECT_EQ(width, 150.0);
}

TEST(ViewportTest, DwgIconBitsAreTheWholeSetting) {
  FcGraph graph;
  FcViewportList written;
  Fill(written);
  written.GetActive().ucsIcon = 0;
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  written.WriteDwg(filer);
  FcViewportList read;
  read.SetHandle(0x6);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(graph.GetSysVars().ucsicon, 0);
}

TEST(ViewportTest, DwgControlNamingAMissingRecordKeepsEverything) {
  FcGraph graph;
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  // A control object whose one entry names a record the file lacks.
  FcViewportList control;
  control.SetHandle(0x6);
  control.BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteBitLong(1);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, 0);
  filer.WriteHandleRef(3, 0, 0);
  filer.WriteHandleRef(2, 0, 0x99);
  control.EndDwgObject(filer);
  const FcPoint2d snapUnit = graph.GetSysVars().snapunit;
  FcViewportList read;
  read.SetHandle(0x6);
  Fill(read);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(read.GetRecordHandle(), 0x23u);
  EXPECT_EQ(read.GetActive().snapOn, 1);
  ExpectPointEq(graph.GetSysVars().snapunit, snapUnit);
}

TEST(ViewportTest, DamagedDwgRecordLeavesTheDrawingAlone) {
  FcGraph graph;
  FcViewportList written;
  Fill(written);
  FcFilerDwg writer;
  StartMemory(writer, FcFileKind::kDwg, &graph);
  writer.WriteRawByte(0);
  written.WriteDwg(writer);
  // One byte of the record's data changed: its CRC no longer matches.
  std::string bytes = Contents(writer);
  const std::int64_t recordOffset = writer.FindObjectOffset(0x23);
  ASSERT_GT(recordOffset, 0);
  bytes[static_cast<std::size_t>(recordOffset) + 12] ^= 0x5A;
  FcFilerDwg reader;
  StartReading(reader, bytes, FcFileKind::kDwg, &graph);
  reader.GetObjectMap() = writer.GetObjectMap();
  FcViewportList read;
  read.SetHandle(0x6);
  EXPECT_EQ(read.ReadDwg(reader), kFcStatusReadError);
  EXPECT_EQ(graph.GetSysVars().snapmode, 0);
  EXPECT_EQ(graph.GetSysVars().ucsicon, 3);
  ExpectPointEq(graph.GetSysVars().ucsorg, {0.0, 0.0});
}

TEST(ViewportTest, EmptyControlObjectsHoldNoEntries) {
  FcGraph graph;
  for (FcObject* control : {static_cast<FcObject*>(&graph.GetViewList()),
                            static_cast<FcObject*>(&graph.GetViewHeaderCtrl())}) {
    FcFilerDwg filer;
    StartMemory(filer, FcFileKind::kDwg, &graph);
    filer.WriteRawByte(0);
    ASSERT_EQ(control->WriteDwg(filer), kFcStatusOk);
    FcDwgRecordPlace place;
    int count = -1;
    ASSERT_TRUE(ReadDwgControlStart(*control, filer, control->GetDwgType(), place, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(control->ReadDwgObjectEnd(filer, place));
  }
}

// A VPORT table in ASCII DXF around the given records.
std::string VportTable(const std::vector<std::vector<std::pair<int, std::string>>>& records,
                       const std::string& end = "ENDTAB") {
  std::string text = Groups({{5, "6"}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, "1"}});
  for (const auto& record : records) {
    text += Groups({{0, "VPORT"}, {5, "23"}, {330, "6"}, {100, "AcDbSymbolTableRecord"},
                    {100, "acdbviewporttablerecord"}, {2, "*ACTIVE"}});
    text += Groups(record);
  }
  return end.empty() ? text : text + Groups({{0, end}});
}

TEST(ViewportTest, DxfReadRulesAndResults) {
  struct Case {
    const char* what;
    std::string text;
    int result;
    FcPoint2d snapUnit;
    short ucsIcon;
  };
  const FcPoint2d kept{10.0, 10.0};
  const Case cases[] = {
      {"a zero spacing is refused", VportTable({{{14, "0"}, {24, "10"}, {74, "5"}}}), kFcStatusOk, kept, 3},
      {"only the first record applies",
       VportTable({{{14, "2"}, {24, "4"}, {74, "0"}}, {{14, "7"}, {24, "7"}, {74, "2"}}}), kFcStatusOk, {2.0, 4.0}, 0},
      {"a foreign record ends the table", VportTable({{{14, "2"}, {24, "4"}}}, "LINE"), kFcStatusEnd, kept, 3},
      {"the input ends inside the record", VportTable({{{14, "2"}, {24, "4"}}}, ""), kFcStatusEnd, kept, 3},
  };
  for (const Case& c : cases) {
    FcGraph graph;
    // As the header of the file gave it; the records carry no UCS.
    graph.GetSysVars().ucsorg = {7.0, 7.0};
    FcFiler filer;
    StartReading(filer, c.text, FcFileKind::kAsciiDxf, &graph);
    FcViewportList table;
    EXPECT_EQ(table.ReadDxf(filer), c.result) << c.what;
    ExpectPointEq(graph.GetSysVars().snapunit, c.snapUnit);
    EXPECT_EQ(graph.GetSysVars().ucsicon, c.ucsIcon) << c.what;
    ExpectPointEq(graph.GetSysVars().ucsorg, {7.0, 7.0});
  }
}

TEST(ViewportTest, DxfRecordResults) {
  struct Case {
    const char* what;
    std::string text;
    int result;
  };
  const Case cases[] = {
      {"complete", Groups({{5, "23"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbViewportTableRecord"},
                           {0, "ENDTAB"}}),
       kFcStatusOk},
      {"wrong subclass", Groups({{5, "23"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbUCSTableRecord"}}),
       kFcStatusEnd},
      {"no end", Groups({{5, "23"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbViewportTableRecord"}}),
       kFcStatusReadError},
  };
  for (const Case& c : cases) {
    FcFiler filer;
    StartReading(filer, c.text, FcFileKind::kAsciiDxf, nullptr);
    FcViewport record;
    EXPECT_EQ(record.ReadDxf(filer), c.result) << c.what;
  }
}

}  // namespace
