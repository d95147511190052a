#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/header_vars.h"
#include "database/system_var.h"
#include "database/system_var_access.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

// A drawing whose settings differ from a new drawing's wherever the header
// carries them, within each variable's rules.
FcSystemVar ChangedVars() {
  FcSystemVar vars;
  vars.handseed = 0x1234;
  vars.dwgcodepage = 1251;
  vars.insbase = {1.0, 2.0};
  vars.orthomode = 1;
  vars.angbase = kHalfPi;
  vars.angdir = 1;
  vars.aunits = 2;
  vars.auprec = 3;
  vars.attmode = 2;
  vars.cecolor = 3;
  vars.celtscale = 0.5;
  vars.clayer = "Walls";
  vars.celtype = "Dashed";
  vars.chamfera = 2.5;
  vars.chamferd = 0.25;
  vars.dimalt = 1;
  vars.dimaltd = 3;
  vars.dimasz = 2.5;
  vars.dimblk = "_Dot";
  vars.dimclrd = 1;
  vars.dimdsep = ',';
  vars.dimsd1 = 1;
  vars.dimstyle = "ISO-25";
  vars.dimtad = 1;
  vars.dimtol = 1;
  vars.dimtxsty = "Notes";
  vars.dimtzin = 8;
  vars.dimupt = 1;
  vars.dimpost = "<> mm";
  vars.filletrad = 3.0;
  vars.limmax = {594.0, 420.0};
  vars.ltscale = 2.0;
  vars.lunits = 4;
  vars.luprec = 2;
  vars.mirrtext = 0;
  vars.pdmode = 3;
  vars.qtextmode = 1;
  vars.splframe = 1;
  vars.splinetype = 5;
  vars.textstyle = "Notes";
  vars.SetUcs({10.0, 20.0}, {10.0, 21.0}, {9.0, 20.0});
  vars.useri3 = 7;
  vars.userr2 = 1.5;
  return vars;
}

// DWG names these records by handle; the file reader sets the names.
bool NamedByHandleInDwg(std::string_view name) {
  for (std::string_view byHandle : {"clayer", "celtype", "textstyle", "dimstyle", "dimtxsty", "dimblk", "dimblk1",
                                    "dimblk2", "dimldrblk", "dwgcodepage"})
    if (name == byHandle) return true;
  return false;
}

// Every variable readable by name must come back equal.
void ExpectSameNamedVars(const FcSystemVar& expected, const FcSystemVar& actual, bool dwg) {
  for (auto entries : {GeneralVarEntries(), DimensionVarEntries()}) {
    for (const SysVarEntry& entry : entries) {
      if (entry.get == nullptr || (dwg && NamedByHandleInDwg(entry.name))) continue;
      FcResBuf want;
      FcResBuf got;
      entry.get(expected, want);
      entry.get(actual, got);
      SCOPED_TRACE(std::string(entry.name));
      EXPECT_EQ(got.type, want.type);
      EXPECT_DOUBLE_EQ(got.realValue, want.realValue);
      EXPECT_DOUBLE_EQ(got.x, want.x);
      EXPECT_DOUBLE_EQ(got.y, want.y);
      EXPECT_EQ(got.intValue, want.intValue);
      EXPECT_STREQ(got.text != nullptr ? got.text : "", want.text != nullptr ? want.text : "");
    }
  }
  EXPECT_EQ(actual.handseed, expected.handseed);
}

class HeaderDxfRoundTrip : public testing::TestWithParam<FcFileKind> {};

TEST_P(HeaderDxfRoundTrip, EveryVariableComesBack) {
  for (const FcSystemVar& source : {FcSystemVar(), ChangedVars()}) {
    FcFiler writer;
    StartMemory(writer, GetParam(), nullptr);
    ASSERT_EQ(WriteDxfHeader(source, writer), 0);

    FcFiler reader;
    StartReading(reader, Contents(writer), GetParam(), nullptr);
    FcResBuf group;
    ASSERT_TRUE(reader.ReadGroup(group));
    ASSERT_TRUE(reader.ReadGroup(group));
    ASSERT_STREQ(group.text, "HEADER");
    FcSystemVar target;
    ASSERT_EQ(ReadDxfHeader(target, reader), 0);
    ExpectSameNamedVars(source, target, false);
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, HeaderDxfRoundTrip,
                         testing::Values(FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf));

TEST(HeaderDxf, NewDrawingLeavesOutDefaultsOfConditionalVariables) {
  FcFiler writer;
  StartMemory(writer, FcFileKind::kAsciiDxf, nullptr);
  WriteDxfHeader(FcSystemVar(), writer);
  const std::string text = Contents(writer);
  for (const char* absent : {"$ANGBASE", "$ANGDIR", "$AUNITS", "$ATTMODE", "$CECOLOR", "$LUNITS", "$LUPREC",
                             "$DIMAZIN", "$DIMLWD"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;
  EXPECT_NE(text.find(Groups({{9, "$AUPREC"}, {70, "4"}})), std::string::npos);
  EXPECT_NE(text.find(Groups({{9, "$ACADVER"}, {1, "AC1015"}})), std::string::npos);
}

TEST(HeaderDxf, ReadingStopsWhereTheSectionIsMalformed) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, std::string>> groups;
    int result;
    short splinetype;
  };
  const Case cases[] = {
      {"unknown name skipped, rule applied",
       {{9, "$NOSUCHVAR"}, {70, "1"}, {9, "$SPLINETYPE"}, {70, "7"}, {0, "ENDSEC"}},
       0,
       6},
      {"stray group skipped", {{999, "note"}, {9, "$SPLINETYPE"}, {70, "5"}, {0, "ENDSEC"}}, 0, 5},
      {"no ENDSEC", {{9, "$SPLINETYPE"}, {70, "5"}}, 1, 5},
      {"empty name", {{9, ""}, {70, "5"}, {0, "ENDSEC"}}, 1, 6},
      {"name without value", {{9, "$SPLINETYPE"}}, 1, 6},
  };
  for (const Case& c : cases) {
    FcFiler reader;
    StartReading(reader, Groups(c.groups), FcFileKind::kAsciiDxf, nullptr);
    FcSystemVar vars;
    vars.splinetype = 6;
    EXPECT_EQ(ReadDxfHeader(vars, reader), c.result) << c.what;
    EXPECT_EQ(vars.splinetype, c.splinetype) << c.what;
  }
}

std::string WriteDwg(const FcSystemVar& vars, DwgSectionLocator& locator) {
  FcFilerDwg writer;
  StartMemory(writer, FcFileKind::kDwg, nullptr);
  // Something before the section, as in a file.
  writer.WriteRawLong(0xDEADBEEF);
  WriteDwgHeader(vars, writer, locator);
  return Contents(writer);
}

int ReadDwg(const std::string& bytes, const DwgSectionLocator& locator, FcSystemVar& vars,
            std::int32_t version = FcFilerDwg::kVersion2000) {
  FcFilerDwg reader;
  StartReading(reader, bytes, FcFileKind::kDwg, nullptr);
  reader.SetVersion(version);
  return ReadDwgHeader(vars, reader, locator);
}

TEST(HeaderDwg, EveryKeptVariableComesBack) {
  FcSystemVar source = ChangedVars();
  source.plinegen = 1;
  source.skpoly = 0;
  source.cmljust = 2;
  source.cmlscale = 2.0;
  source.sketchinc = 0.5;
  source.dimazin = 3;
  source.HeaderHandles.currentLayer = 0x18;
  source.HeaderHandles.namedObjectDictionary = 0x0B;
  source.HeaderHandles.plotStyleDictionary = 0x15;
  source.HeaderHandles.continuousLinetype = 0x0F;

  DwgSectionLocator locator;
  const std::string bytes = WriteDwg(source, locator);
  EXPECT_EQ(locator.address, 4);
  EXPECT_EQ(static_cast<std::size_t>(locator.address + locator.size), bytes.size());

  FcSystemVar target;
  ASSERT_EQ(ReadDwg(bytes, locator, target), 0);
  ExpectSameNamedVars(source, target, true);
  EXPECT_EQ(target.plinegen, 1);
  EXPECT_EQ(target.skpoly, 0);
  EXPECT_EQ(target.cmljust, 2);
  EXPECT_DOUBLE_EQ(target.cmlscale, 2.0);
  EXPECT_DOUBLE_EQ(target.sketchinc, 0.5);
  EXPECT_EQ(target.dimazin, 3);
  EXPECT_EQ(target.HeaderHandles.currentLayer, 0x18u);
  EXPECT_EQ(target.HeaderHandles.namedObjectDictionary, 0x0Bu);
  EXPECT_EQ(target.HeaderHandles.plotStyleDictionary, 0x15u);
  EXPECT_EQ(target.HeaderHandles.continuousLinetype, 0x0Fu);
}

TEST(HeaderDwg, PrecisionsAreBroughtIntoRange) {
  FcSystemVar source;
  source.luprec = 12;
  source.auprec = -3;
  DwgSectionLocator locator;
  const std::string bytes = WriteDwg(source, locator);
  FcSystemVar target;
  ASSERT_EQ(ReadDwg(bytes, locator, target), 0);
  EXPECT_EQ(target.luprec, 8);
  EXPECT_EQ(target.auprec, 0);
}

TEST(HeaderDwg, DamagedSectionFails) {
  DwgSectionLocator locator;
  const std::string bytes = WriteDwg(ChangedVars(), locator);
  const std::size_t middle = static_cast<std::size_t>(locator.address + locator.size / 2);
  std::string flipped = bytes;
  flipped[middle] = static_cast<char>(flipped[middle] ^ 0x10);
  std::string badSentinel = bytes;
  badSentinel[static_cast<std::size_t>(locator.address)] ^= 1;
  const std::string cut = bytes.substr(0, middle);
  DwgSectionLocator elsewhere = locator;
  elsewhere.address += 1;

  for (const auto& [what, data, where] : {std::tuple{"changed bit", flipped, locator},
                                          std::tuple{"start sentinel", badSentinel, locator},
                                          std::tuple{"cut short", cut, locator},
                                          std::tuple{"wrong address", bytes, elsewhere}}) {
    FcSystemVar target;
    EXPECT_EQ(ReadDwg(data, where, target), 2) << what;
  }
}

// Headers of real files of every release read: the layout, the sentinels
// and the CRC must all agree.
TEST(HeaderDwg, ReadsHeadersOfRealFiles) {
  struct Case {
    const char* file;
    std::int32_t version;
  };
  const Case cases[] = {
      {"libredwg__example_r13.dwg", FcFilerDwg::kVersionR13},
      {"libredwg__example_r14.dwg", FcFilerDwg::kVersionR14},
      {"libredwg__example_2000.dwg", FcFilerDwg::kVersion2000},
  };
  for (const Case& c : cases) {
    std::ifstream in(std::string(KOVRA_CORPUS_DIR) + "/dwg/" + c.file, std::ios::binary);
    ASSERT_TRUE(in) << c.file;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 0x22u);
    // Locator record 0 of the file header names the header variables.
    auto byteAt = [&bytes](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    ASSERT_EQ(byteAt(0x19), 0);
    DwgSectionLocator locator;
    locator.address = static_cast<std::int32_t>(byteAt(0x1A) | byteAt(0x1B) << 8 | byteAt(0x1C) << 16 |
                                                byteAt(0x1D) << 24);
    FcSystemVar vars;
    vars.osmode = -1;
    EXPECT_EQ(ReadDwg(bytes, locator, vars, c.version), 0) << c.file;
    EXPECT_NE(vars.handseed, 1u) << c.file;
    EXPECT_GT(vars.HeaderHandles.layerControl, 0u) << c.file;
    // Only the older releases carry OSMODE here.
    EXPECT_EQ(vars.osmode == -1, c.version == FcFilerDwg::kVersion2000) << c.file;
  }
}

}  // namespace
