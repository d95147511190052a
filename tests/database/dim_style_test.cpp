#include "database/dim_style.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/system_var.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

// Every variable away from its default, with reals that ASCII DXF carries
// exactly.
FcDimVars Distinct() {
  FcDimVars v;
  v.dimclrd = 1, v.dimlwd = 25, v.dimdle = 0.25, v.dimdli = 3.5, v.dimsd1 = 1, v.dimsd2 = 1;
  v.dimclre = 2, v.dimlwe = 35, v.dimexe = 1.5, v.dimexo = 0.75, v.dimse1 = 1, v.dimse2 = 1, v.dimsah = 1;
  v.dimblk1Handle = 0x51, v.dimblk2Handle = 0x52, v.dimldrblkHandle = 0x53;
  v.dimasz = 3.25, v.dimcen = -2.5, v.dimtsz = 0.5, v.dimtxstyHandle = 0x54, v.dimclrt = 3, v.dimtxt = 3.5;
  v.dimtfac = 0.5, v.dimgap = 1.125, v.dimtvp = 0.375, v.dimtad = 2, v.dimjust = 3, v.dimtoh = 0, v.dimtih = 0;
  v.dimatfit = 1, v.dimtix = 1, v.dimsoxd = 1, v.dimtmove = 2, v.dimscale = 2.0, v.dimupt = 1, v.dimtofl = 1;
  v.dimlunit = 4, v.dimdec = 3, v.dimfrac = 1, v.dimdsep = ',', v.dimrnd = 0.5, v.dimpost = "<> mm";
  v.dimlfac = 1.5, v.dimzin = 12, v.dimaunit = 1, v.dimadec = 2, v.dimazin = 3, v.dimalt = 1, v.dimaltu = 4;
  v.dimaltd = 3, v.dimaltf = 0.0625, v.dimaltrnd = 0.125, v.dimapost = "[]\"", v.dimaltz = 5, v.dimtol = 1;
  v.dimlim = 0, v.dimtdec = 6, v.dimtp = 0.1875, v.dimtm = 0.3125, v.dimtolj = 2, v.dimtzin = 7;
  v.dimalttd = 5, v.dimalttz = 9;
  return v;
}

std::unique_ptr<FcDimStyle> DistinctStyle(FcHandle handle, const char* name) {
  auto style = std::make_unique<FcDimStyle>();
  static_cast<FcDimVars&>(*style) = Distinct();
  style->SetHandle(handle);
  style->SetName(name);
  return style;
}

// Names are bound from the handles once the whole drawing is read.
FcDimVars WithoutNames(FcDimVars v) {
  v.dimblk = v.dimblk1 = v.dimblk2 = v.dimldrblk = v.dimtxsty = "";
  return v;
}

struct Iso25Case {
  const char* name;
  double actual;
  double expected;
};

TEST(DimStyleTest, Iso25Values) {
  FcDimStyle s;
  s.SetIso25Defaults();
  const Iso25Case cases[] = {
      {"DIMDLI", s.dimdli, 3.75},          {"DIMEXE", s.dimexe, 1.25},
      {"DIMEXO", s.dimexo, 0.625},         {"DIMASZ", s.dimasz, 2.5},
      {"DIMCEN", s.dimcen, 2.5},           {"DIMTXT", s.dimtxt, 2.5},
      {"DIMGAP", s.dimgap, 0.625},         {"DIMTAD", double(s.dimtad), 1},
      {"DIMTOH", double(s.dimtoh), 0},     {"DIMTIH", double(s.dimtih), 0},
      {"DIMTOFL", double(s.dimtofl), 1},   {"DIMZIN", double(s.dimzin), 8},
      {"DIMALTD", double(s.dimaltd), 4},   {"DIMALTF", s.dimaltf, 0.03937007874015748},
      {"DIMALTTD", double(s.dimalttd), 4}, {"DIMLUNIT", double(s.dimlunit), 2},
      {"DIMALTU", double(s.dimaltu), 2},   {"DIMSCALE", s.dimscale, 1.0},
      {"DIMATFIT", double(s.dimatfit), 3}, {"DIMLWD", double(s.dimlwd), -2},
      {"DIMDSEP", double(s.dimdsep), '.'}, {"DIMTOLJ", double(s.dimtolj), 1},
      {"DIMDEC", double(s.dimdec), 4},
  };
  for (const Iso25Case& c : cases) EXPECT_DOUBLE_EQ(c.actual, c.expected) << c.name;
  EXPECT_EQ(s.dimtxsty, "standard");
}

TEST(DimStyleTest, OverridesWinOnlyWhileAttached) {
  FcDimStyle style;
  style.SetIso25Defaults();
  FcResBuf* marked = BuildResBufList(1000, "DSTYLE", 1002, "{", 1070, 41, 1040, 5.0, 1070, 77, 1070, 2, 1070, 3, 1000,
                                     "mm", 1070, 340, 1005, std::uint64_t{0x77}, 1002, "}", 0);
  FcResBuf* bare = BuildResBufList(1070, 41, 1040, 5.0, 0);
  for (FcResBuf* list : {marked, bare}) {
    style.SetOverrides(list);
    EXPECT_EQ(style.GetDimAsz(), 5.0);
    EXPECT_EQ(style.GetDimTxt(), 2.5);
    style.SetOverrides(nullptr);
    EXPECT_EQ(style.GetDimAsz(), 2.5);
  }
  style.SetOverrides(marked);
  EXPECT_EQ(style.GetDimtad(), 2);
  EXPECT_EQ(style.GetDimpost(), "mm");
  EXPECT_EQ(style.GetDimTxSty(), 0x77u);
  EXPECT_EQ(style.FindOverride(1002), nullptr);
  style.SetOverrides(nullptr);
  FreeResBufList(marked);
  FreeResBufList(bare);
}

TEST(DimStyleTest, CopyingIntoSystemVariablesAppliesTheirRules) {
  FcSystemVar vars;
  vars.dimlwd = 18;
  vars.dimtad = 1;
  FcDimStyle style;
  style.dimlwd = -2;
  style.dimscale = 0.0;
  style.dimlunit = 6;
  style.dimaltu = 8;
  style.dimtad = 5;
  style.dimtol = 1;
  style.dimlim = 1;
  style.dimcen = -1.5;
  SetDimVarsFromStyle(vars, style);
  EXPECT_EQ(vars.dimlwd, 18);
  EXPECT_EQ(vars.dimscale, 1.0);
  EXPECT_EQ(vars.dimlunit, 2);
  EXPECT_EQ(vars.dimaltu, 2);
  EXPECT_EQ(vars.dimtad, 1);
  EXPECT_EQ(vars.dimtol, 0);
  EXPECT_EQ(vars.dimlim, 1);
  EXPECT_EQ(vars.dimcen, -1.5);
  EXPECT_EQ(vars.dimexo, 0.625);

  vars.dimscale = -3.0;
  FcDimStyle fromVars;
  fromVars.CopyFromSysVars(vars);
  EXPECT_EQ(fromVars.dimscale, 1.0);
  EXPECT_EQ(fromVars.dimlim, 1);
  EXPECT_EQ(fromVars.dimcen, -1.5);
}

TEST(DimStyleTest, DxfTableRoundTripsInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcDimStyleList written;
    written.SetHandle(0xA);
    written.Add(DistinctStyle(0x40, "ISO-25"));
    written.Add(DistinctStyle(0x41, "Arch"));
    written.GetAt(1)->dimsah = 0;
    written.GetAt(1)->dimblk1Handle = written.GetAt(1)->dimblk2Handle = 0;
    written.GetAt(1)->dimblkHandle = 0x50;
    written.GetAt(1)->dimldrblkHandle = 0;
    FcFiler filer;
    StartMemory(filer, kind, nullptr);
    ASSERT_EQ(written.WriteDxf(filer), kFcStatusOk);
    filer.Seek(0, FcSeekOrigin::kBegin);

    FcDimStyleList read;
    FcResBuf group0;
    ASSERT_TRUE(filer.ReadGroup(group0));
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    ASSERT_EQ(read.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(read.GetAt(i)->GetHandle(), written.GetAt(i)->GetHandle());
      EXPECT_EQ(read.GetAt(i)->GetName(), written.GetAt(i)->GetName());
      EXPECT_TRUE(static_cast<const FcDimVars&>(*read.GetAt(i)) == WithoutNames(*written.GetAt(i)));
    }
    EXPECT_EQ(read.Find("iso-25"), read.GetAt(0));
  }
}

TEST(DimStyleTest, DxfWritesTheArrowHandlesOfItsArrowMode) {
  FcDimStyleList table;
  table.Add(DistinctStyle(0x40, "A"));
  FcDimStyle& style = *table.GetAt(0);
  style.dimblkHandle = 0x50;
  style.dimtxstyHandle = 0;
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, nullptr);
  style.WriteDxf(filer);
  std::string text = Contents(filer);
  EXPECT_NE(text.find(Groups({{343, "51"}, {344, "52"}, {341, "53"}, {41, "3.25"}})), std::string::npos);
  EXPECT_EQ(text.find(" 342\r\n"), std::string::npos);
  EXPECT_NE(text.find(Groups({{340, "0"}})), std::string::npos);

  style.dimsah = 0;
  StartMemory(filer, FcFileKind::kAsciiDxf, nullptr);
  style.WriteDxf(filer);
  text = Contents(filer);
  EXPECT_NE(text.find(Groups({{173, "0"}, {342, "50"}, {341, "53"}})), std::string::npos);
  EXPECT_EQ(text.find(" 343\r\n"), std::string::npos);
}

TEST(DimStyleTest, DxfTableDropsRecordsAsTheyAreRead) {
  const std::string head = Groups({{0, "TABLE"}, {2, "DIMSTYLE"}, {5, "A"}, {100, "AcDbSymbolTable"}, {70, "2"}});
  const auto record = [](const std::vector<std::pair<int, std::string>>& own) {
    std::vector<std::pair<int, std::string>> groups = {
        {0, "DIMSTYLE"}, {105, "40"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbDimStyleTableRecord"}};
    groups.insert(groups.end(), own.begin(), own.end());
    return Groups(groups);
  };
  const std::string end = Groups({{0, "ENDTAB"}});
  struct Case {
    const char* label;
    std::string records;
    int result;
    int count;
  } const cases[] = {
      {"fit and colour", record({{2, "A"}, {287, "4"}, {176, "300"}}) + end, kFcStatusOk, 1},
      {"dependent dropped", record({{2, "X|A"}, {70, "16"}}) + end, kFcStatusOk, 0},
      {"no name", record({{41, "2.0"}}) + end, kFcStatusRecordFailed, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FcFiler filer;
    StartReading(filer, head + c.records, FcFileKind::kAsciiDxf, nullptr);
    FcResBuf group0;
    ASSERT_TRUE(filer.ReadGroup(group0));
    FcDimStyleList table;
    EXPECT_EQ(table.ReadDxf(filer), c.result);
    ASSERT_EQ(table.GetCount(), c.count);
    if (c.count == 0) continue;
    EXPECT_EQ(table.GetAt(0)->dimatfit, 3);
    EXPECT_EQ(table.GetAt(0)->dimtmove, 1);
    EXPECT_EQ(table.GetAt(0)->dimclrd, 0);
  }
}

TEST(DimStyleTest, DwgTableRoundTripsAllButTheFit) {
  FcDimStyleList written;
  written.SetHandle(0xA);
  written.Add(DistinctStyle(0x40, "ISO-25"));
  written.Add(DistinctStyle(0x41, "Arch"));
  written.GetAt(1)->dimscale = 0.0;
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, nullptr);
  filer.WriteRawByte(0);  // an object never starts a file
  ASSERT_EQ(written.WriteDwg(filer), kFcStatusOk);

  FcDimStyleList read;
  read.SetHandle(0xA);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  ASSERT_EQ(read.GetCount(), 2);
  for (int i = 0; i < 2; ++i) {
    FcDimVars expected = *written.GetAt(i);
    expected.dimatfit = 3;  // the reader keeps the value it had
    expected.dimblk = expected.dimblk1 = expected.dimblk2 = expected.dimldrblk = "";
    expected.dimtxsty = "standard";
    if (expected.dimscale == 0.0) expected.dimscale = 1.0;
    EXPECT_EQ(read.GetAt(i)->GetName(), written.GetAt(i)->GetName());
    EXPECT_TRUE(static_cast<const FcDimVars&>(*read.GetAt(i)) == expected) << i;
  }
}

// A filer that lets a test close the last byte of a hand-made record.
class RecordFiler : public FcFilerDwg {
 public:
  using FcFilerDwg::FlushPendingByte;
};

// An R14 style record, framed by hand the way older files frame it: the
// size of the data after the handle and the extended data.
std::string OldStyleRecord(FcHandle handle, std::uint8_t fit, std::uint8_t textStyleCode) {
  RecordFiler body;
  StartMemory(body, FcFileKind::kDwg, nullptr);
  body.WriteBitShort(FcDimStyle::kDwgType);
  body.WriteHandleRef(0, 0, handle);
  body.WriteBitShort(0);
  body.WriteRawLong(0);
  body.WriteBitLong(0);
  body.WriteText("Old");
  body.WriteBit(1);
  body.WriteBitShort(0);
  body.WriteBit(0);
  for (int i = 0; i < 11; ++i) body.WriteBit(0);
  for (const std::uint8_t value : {2, 0}) body.WriteRawByte(value);
  body.WriteBit(0);
  body.WriteBit(0);
  for (const std::uint8_t value : {std::uint8_t{1}, std::uint8_t{0}, fit}) body.WriteRawByte(value);
  body.WriteBit(0);
  for (const std::uint8_t value : {0, 0, 0, 1}) body.WriteRawByte(value);
  for (const std::int16_t value : {2, 0, 4, 4, 2, 2}) body.WriteBitShort(value);
  for (int i = 0; i < 17; ++i) body.WriteBitDouble(i == 0 ? 0.0 : 1.0);
  for (const char* text : {"", "", "", "_Open", ""}) body.WriteText(text);
  for (int i = 0; i < 3; ++i) body.WriteBitShort(0);
  body.WriteBit(0);
  body.WriteHandleRef(4, 0, 0xA);
  body.WriteHandleRef(3, 0, 0);
  body.WriteHandleRef(5, 0, 0);
  body.WriteHandleRef(textStyleCode, 0, 0x11);
  body.FlushPendingByte();
  return Contents(body);
}

TEST(DimStyleTest, ReadsReleaseFourteenRecords) {
  struct Case {
    std::uint8_t textStyleCode;
    int result;
  } const cases[] = {{5, kFcStatusOk}, {4, kFcStatusReadError}};
  for (const Case& c : cases) {
    RecordFiler filer;
    StartMemory(filer, FcFileKind::kDwg, nullptr);
    filer.SetVersion(FcFilerDwg::kVersionR14);
    filer.WriteRawByte(0);
    const std::string record = OldStyleRecord(0x40, 4, c.textStyleCode);
    const std::int64_t start = filer.GetFile()->GetPosition();
    filer.GetObjectMap().Insert(0x40, start);
    filer.WriteModularShort(static_cast<std::uint32_t>(record.size()));
    for (const char byte : record) filer.WriteRawByte(static_cast<std::uint8_t>(byte));
    filer.WriteRawShort(filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, start, filer.GetFile()->GetPosition()));

    FcDimStyle style;
    style.SetHandle(0x40);
    ASSERT_EQ(style.ReadDwg(filer), c.result);
    if (c.result != kFcStatusOk) continue;
    EXPECT_EQ(style.GetName(), "Old");
    EXPECT_EQ(style.dimatfit, 3);
    EXPECT_EQ(style.dimtmove, 1);
    EXPECT_EQ(style.dimtad, 1);
    EXPECT_EQ(style.dimaltd, 2);
    EXPECT_EQ(style.dimscale, 1.0);
    EXPECT_EQ(style.dimblk1, "_Open");
    EXPECT_EQ(style.dimtxstyHandle, 0x11u);
  }
}

TEST(DimStyleTest, TableKeepsStylesAsItGrowsAndHandsThemOut) {
  FcDimStyleList table;
  for (int i = 0; i < 25; ++i) {
    FcDimStyle* style = table.AddNew();
    style->SetName("S" + std::to_string(i));
    style->SetHandle(0x100 + i);
  }
  for (int i = 0; i < 25; ++i) ASSERT_NE(table.Find("s" + std::to_string(i)), nullptr) << i;
  table.SetCurrent(table.Find("S3"));
  std::unique_ptr<FcDimStyle> taken = table.RemoveByHandle(0x103);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->GetName(), "S3");
  EXPECT_EQ(table.GetCurrent(), nullptr);
  EXPECT_EQ(table.Find("S3"), nullptr);
  EXPECT_EQ(table.GetCount(), 24);
  table.ClearReferenceMarks();
  EXPECT_TRUE(table.GetAt(0)->IsUnreferenced());

  FcDimStyle named;
  named.SetName(std::string(600, 'd'));
  EXPECT_EQ(named.GetName().size(), 511u);
}

}  // namespace
