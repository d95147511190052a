#include "database/text_style.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

void Fill(FcTextStyle& style, FcHandle handle, const std::string& name, const std::string& font,
          const std::string& bigFont) {
  style.SetHandle(handle);
  style.SetName(name);
  style.SetFontFile(font);
  style.SetBigFontFile(bigFont);
  style.SetGenerationFlags(FcTextStyle::kBackward | FcTextStyle::kUpsideDown);
  style.SetFixedHeight(2.5);
  style.SetWidthFactor(0.75);
  style.SetObliqueAngle(15.0 * kDegToRad);
}

void ExpectSameRecord(const FcTextStyle& read, const FcTextStyle& written) {
  EXPECT_EQ(read.GetHandle(), written.GetHandle());
  EXPECT_EQ(read.GetName(), written.GetName());
  EXPECT_EQ(read.GetFontFile(), written.GetFontFile());
  EXPECT_EQ(read.GetBigFontFile(), written.GetBigFontFile());
  EXPECT_EQ(read.GetGenerationFlags(), written.GetGenerationFlags());
  EXPECT_EQ(read.GetFixedHeight(), written.GetFixedHeight());
  EXPECT_EQ(read.GetWidthFactor(), written.GetWidthFactor());
  EXPECT_NEAR(read.GetObliqueAngle(), written.GetObliqueAngle(), 1e-12);
}

TEST(TextStyleTest, NamesAndFontNamesKeepAtMost511Characters) {
  FcTextStyle style;
  style.SetName(std::string(600, 'n'));
  EXPECT_EQ(style.GetName(), std::string(511, 'n'));
  style.SetName("Notes");
  EXPECT_EQ(style.GetName(), "Notes");
  style.SetFontFile(std::string(600, 'f') + ".ttf");
  EXPECT_EQ(style.GetFontFile().size(), 511u);
}

TEST(TextStyleTest, FontNamesTakeShxWhenTheyHaveNoExtension) {
  FcTextStyle style;
  EXPECT_EQ(style.GetFontFile(), "txt.shx");
  style.SetFontFile("fonts/romans");
  EXPECT_EQ(style.GetFontFile(), "romans.shx");
  style.SetFontFile("ROMANS.SHX");
  EXPECT_EQ(style.GetFontFile(), "romans.shx");
  style.SetFontFile("");
  EXPECT_EQ(style.GetFontFile(), "txt.shx");
  style.SetBigFontFile("extfont");
  EXPECT_EQ(style.GetBigFontFile(), "extfont.shx");
  style.SetBigFontFile("");
  EXPECT_EQ(style.GetBigFontFile(), "");
}

TEST(TextStyleTest, DxfTableRoundTripsInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcTextStyleList written;
    written.SetHandle(0x3);
    Fill(*written.CreateStyle(), 0x11, "Standard", "txt.shx", "");
    Fill(*written.CreateStyle(), 0x12, "Titles", "arial.ttf", "bigfont.shx");
    written.GetAt(1)->SetStandardFlags(64);
    FcFiler filer;
    StartMemory(filer, kind, nullptr);
    ASSERT_EQ(written.WriteDxf(filer), kFcStatusOk);
    filer.Seek(0, FcSeekOrigin::kBegin);

    FcTextStyleList read;
    FcResBuf group0;
    ASSERT_TRUE(filer.ReadGroup(group0));
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    EXPECT_EQ(read.GetHandle(), 0x3u);
    ASSERT_EQ(read.GetCount(), 2);
    for (int i = 0; i < 2; ++i) ExpectSameRecord(*read.GetAt(i), *written.GetAt(i));
    EXPECT_EQ(read.GetAt(1)->GetStandardFlags(), 0);
    EXPECT_EQ(read.Find("TITLES"), read.GetAt(1));
    EXPECT_EQ(read.GetAt(1)->GetOwner(), &read);
  }
}

struct TableCase {
  const char* label;
  std::string records;
  int result;
  int count;
};

TEST(TextStyleTest, DxfTableReadingResults) {
  const std::string head = Groups({{0, "TABLE"}, {2, "STYLE"}, {5, "3"}, {100, "AcDbSymbolTable"}, {70, "1"}});
  const auto record = [](const std::vector<std::pair<int, std::string>>& own) {
    std::vector<std::pair<int, std::string>> groups = {
        {0, "STYLE"}, {5, "20"}, {100, "AcDbSymbolTableRecord"}, {100, "ACDBTEXTSTYLETABLERECORD"}};
    groups.insert(groups.end(), own.begin(), own.end());
    return Groups(groups);
  };
  const std::string end = Groups({{0, "ENDTAB"}});
  const TableCase cases[] = {
      {"named", record({{2, "A"}, {3, "romans"}}) + end, kFcStatusOk, 1},
      {"empty name skipped", record({{2, ""}}) + end, kFcStatusOk, 0},
      {"external reference dropped", record({{2, "X|A"}, {70, "16"}}) + end, kFcStatusOk, 0},
      {"no name", record({{3, "romans"}}) + end, kFcStatusRecordFailed, 0},
      {"stray record", Groups({{0, "LAYER"}}), kFcStatusEnd, 0},
      {"truncated", record({{2, "A"}}), kFcStatusRecordFailed, 0},
  };
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.label);
    FcFiler filer;
    StartReading(filer, head + c.records, FcFileKind::kAsciiDxf, nullptr);
    FcResBuf group0;
    ASSERT_TRUE(filer.ReadGroup(group0));
    FcTextStyleList table;
    EXPECT_EQ(table.ReadDxf(filer), c.result);
    EXPECT_EQ(table.GetCount(), c.count);
  }
}

TEST(TextStyleTest, DwgTableRoundTrips) {
  FcTextStyleList written;
  written.SetHandle(0x3);
  Fill(*written.CreateStyle(), 0x11, "Standard", "txt.shx", "");
  Fill(*written.CreateStyle(), 0x12, "Titles", "arial.ttf", "bigfont.shx");
  written.GetAt(1)->SetFixedHeight(0.0);
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, nullptr);
  filer.WriteRawByte(0);  // an object never starts a file
  ASSERT_EQ(written.WriteDwg(filer), kFcStatusOk);

  FcTextStyleList read;
  read.SetHandle(0x3);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  ASSERT_EQ(read.GetCount(), 2);
  for (int i = 0; i < 2; ++i) ExpectSameRecord(*read.GetAt(i), *written.GetAt(i));
  EXPECT_EQ(read.GetAt(0)->GetFontFile(), "txt.shx");

  FcTextStyle stranger;
  stranger.SetHandle(0x99);
  EXPECT_EQ(stranger.ReadDwg(filer), kFcStatusReadError);
}

}  // namespace
