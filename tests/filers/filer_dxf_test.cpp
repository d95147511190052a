#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "filers/dxf_group_codes.h"
#include "filers/filer.h"
#include "platform/frame_link.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kSentinel("AutoCAD Binary DXF\r\n\x1A\0", 22);

void AttachBytes(FcFiler& filer, const std::string& bytes, FcFileKind kind) {
  filer.AttachFile(std::make_unique<FcFile>(std::vector<char>(bytes.begin(), bytes.end())), kind);
}

template <typename Write>
std::string Written(FcFileKind kind, Write write) {
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(), kind);
  write(filer);
  const std::vector<char> bytes = filer.DetachFile()->TakeBytes();
  return std::string(bytes.begin(), bytes.end());
}

std::string Code(int code) { return std::string{static_cast<char>(code & 0xFF), static_cast<char>(code >> 8)}; }

std::string Double(double value) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &value, 8);
  return bytes;
}

std::string Text(const FcResBuf& node) { return node.text ? node.text : ""; }

// --- Writing: the exact bytes of each group form.

struct WriteCase {
  const char* name;
  FcFileKind kind;
  void (*write)(FcFiler&);
  std::string expected;
};

const WriteCase kWriteCases[] = {
    {"RealZero", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, 0.0); }, " 40\r\n0.0\r\n"},
    {"RealNegativeZero", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, -0.0); }, " 40\r\n0.0\r\n"},
    {"RealWhole", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(10, 3.0); }, " 10\r\n3.0\r\n"},
    {"RealTenth", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, 0.1); }, " 40\r\n0.1\r\n"},
    {"RealEighth", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, -0.125); }, " 40\r\n-0.125\r\n"},
    {"RealFifteenDecimals", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, 1.0 / 3.0); },
     " 40\r\n0.333333333333333\r\n"},
    {"RealTooSmall", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, 1e-20); }, " 40\r\n0.0\r\n"},
    {"RealLarge", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, 1e17); },
     " 40\r\n100000000000000000.0\r\n"},
    {"RealNotFinite", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteReal(40, NAN); }, " 40\r\n0.0\r\n"},
    {"RealPrecision3", FcFileKind::kAsciiDxf,
     [](FcFiler& f) {
       f.SetPrecision(3);
       f.WriteReal(40, 2.71828);
     },
     " 40\r\n2.718\r\n"},
    {"Integer", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteInt(70, -5); }, " 70\r\n-5\r\n"},
    {"HandleZero", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteHandle(5, 0); }, " 5\r\n0\r\n"},
    {"Handle", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteHandle(330, 0x1F); }, " 330\r\n1F\r\n"},
    {"HandleWide", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteHandle(5, 0xABCDEF0123456789); },
     " 5\r\nABCDEF0123456789\r\n"},
    {"String", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteString(0, "LINE"); }, " 0\r\nLINE\r\n"},
    {"StringEmpty", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteString(1, ""); }, " 1\r\n\r\n"},
    {"StringNull", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteString(1, static_cast<const char*>(nullptr)); },
     " 1\r\n\r\n"},
    {"StringCaretKept", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteString(1, "a^Jb"); }, " 1\r\na^Jb\r\n"},
    {"StringLineBreaks", FcFileKind::kAsciiDxf, [](FcFiler& f) { f.WriteString(1, "a\nb\rc"); },
     " 1\r\na^Jb^Mc\r\n"},
    {"BinaryReal", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteReal(40, 2.5); }, Code(40) + Double(2.5)},
    {"BinaryInt16", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteInt(70, -2); }, Code(70) + "\xFE\xFF"},
    {"BinaryInt32", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteInt(90, 0x01020304); },
     Code(90) + "\x04\x03\x02\x01"},
    {"BinaryInt32Extended", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteInt(1071, 7); },
     Code(1071) + std::string("\x07\0\0\0", 4)},
    {"BinaryByte", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteInt(290, 1); }, Code(290) + "\x01"},
    {"BinaryHandle", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteHandle(5, 0x2A); },
     Code(5) + std::string("2A\0", 3)},
    {"BinaryString", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteString(1, "a^Jb"); },
     Code(1) + std::string("a\nb\0", 4)},
    {"BinaryStringEmpty", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteString(1, ""); },
     Code(1) + std::string(1, '\0')},
    {"BinaryComment", FcFileKind::kBinaryDxf, [](FcFiler& f) { f.WriteString(999, "note"); }, ""},
};

class FilerWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(FilerWrite, WritesTheExactBytes) {
  EXPECT_EQ(Written(GetParam().kind, GetParam().write), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Groups, FilerWrite, testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Round trips of every group class in both forms.

enum class Field { kNone, kReal, kInteger, kHandle, kText, kPoint };

struct GroupCase {
  int code;
  Field field;
  double real;
  std::int32_t integer;
  std::uint64_t handle;
  const char* text;
};

// Written in this order, then read back in the same order.
const GroupCase kGroups[] = {
    {0, Field::kText, 0, 0, 0, "LINE"},
    {5, Field::kHandle, 0, 0, 0x1F, nullptr},
    {330, Field::kHandle, 0, 0, 0xABCDEF0123456789, nullptr},
    {100, Field::kText, 0, 0, 0, "AcDbEntity"},
    {1, Field::kText, 0, 0, 0, "line one^Jline two"},
    {1, Field::kText, 0, 0, 0, ""},
    {10, Field::kPoint, 1.5, 0, 0, nullptr},
    {40, Field::kReal, -1234.125, 0, 0, nullptr},
    {1041, Field::kReal, 1e10, 0, 0, nullptr},
    {50, Field::kReal, 90.0, 0, 0, nullptr},  // degrees in the file
    {70, Field::kInteger, 0, -3, 0, nullptr},
    {1070, Field::kInteger, 0, 32767, 0, nullptr},
    {90, Field::kInteger, 0, -100000, 0, nullptr},
    {1071, Field::kInteger, 0, 2147483647, 0, nullptr},
    {290, Field::kInteger, 0, 1, 0, nullptr},
    {1013, Field::kPoint, -7.25, 0, 0, nullptr},
    {0, Field::kText, 0, 0, 0, "EOF"},
};

void WriteGroup(FcFiler& filer, const GroupCase& group) {
  const auto code = static_cast<std::int16_t>(group.code);
  switch (group.field) {
    case Field::kReal:
      filer.WriteReal(code, group.real);
      break;
    case Field::kPoint:
      filer.WriteReal(code, group.real);
      filer.WriteReal(static_cast<std::int16_t>(code + 10), group.real * 2);
      filer.WriteReal(static_cast<std::int16_t>(code + 20), group.real * 3);
      break;
    case Field::kInteger:
      filer.WriteInt(code, group.integer);
      break;
    case Field::kHandle:
      filer.WriteHandle(code, group.handle);
      break;
    case Field::kText:
    case Field::kNone:
      filer.WriteString(code, group.text);
      break;
  }
}

class FilerRoundTrip : public testing::TestWithParam<FcFileKind> {};

TEST_P(FilerRoundTrip, ReadsBackEveryGroupClass) {
  const std::string bytes = Written(GetParam(), [](FcFiler& filer) {
    for (const GroupCase& group : kGroups) WriteGroup(filer, group);
  });
  FcFiler filer;
  AttachBytes(filer, bytes, GetParam());
  FcResBuf node;
  for (const GroupCase& group : kGroups) {
    SCOPED_TRACE(group.code);
    ASSERT_TRUE(filer.ReadGroup(node));
    EXPECT_EQ(node.type, group.code);
    switch (group.field) {
      case Field::kReal:
        EXPECT_DOUBLE_EQ(node.realValue, group.code == 50 ? group.real * kDegToRad : group.real);
        break;
      case Field::kPoint:
        EXPECT_EQ(node.x, group.real);
        EXPECT_EQ(node.y, group.real * 2);
        EXPECT_EQ(node.z, group.real * 3);
        break;
      case Field::kInteger:
        EXPECT_EQ(node.intValue, group.integer);
        break;
      case Field::kHandle:
        EXPECT_EQ(node.handle, group.handle);
        break;
      case Field::kText:
      case Field::kNone:
        EXPECT_EQ(Text(node), group.text);
        break;
    }
  }
  EXPECT_FALSE(filer.ReadGroup(node));
}

INSTANTIATE_TEST_SUITE_P(Forms, FilerRoundTrip, testing::Values(FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf),
                         [](const auto& info) { return info.param == FcFileKind::kAsciiDxf ? "Ascii" : "Binary"; });

// --- Stepping back and marks.

TEST(FilerStepBack, PointWithoutZLeavesTheNextGroupAndStepsBackToItsFirstCode) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    const std::string bytes = Written(kind, [](FcFiler& filer) {
      filer.WriteReal(10, 1.0);
      filer.WriteReal(20, 2.0);
      filer.WriteString(0, "ENDSEC");
    });
    FcFiler filer;
    AttachBytes(filer, bytes, kind);
    FcResBuf node;
    node.z = 42.0;
    ASSERT_TRUE(filer.ReadGroup(node));
    EXPECT_EQ(node.type, 10);
    EXPECT_EQ(node.z, 42.0);
    const std::int32_t lines = filer.GetLineCount();

    filer.UnreadGroup();
    node.x = 0.0;
    ASSERT_TRUE(filer.ReadGroup(node));
    EXPECT_EQ(node.type, 10);
    EXPECT_EQ(node.x, 1.0);
    EXPECT_EQ(filer.GetLineCount(), lines);

    ASSERT_TRUE(filer.ReadGroup(node));
    EXPECT_EQ(node.type, 0);
    EXPECT_EQ(Text(node), "ENDSEC");
  }
}

TEST(FilerStepBack, MarkReturnsToTheSamePlaceAndLine) {
  FcFiler filer;
  AttachBytes(filer, " 0\r\nDIMENSION\r\n 8\r\n0\r\n 70\r\n1\r\n 0\r\nEOF\r\n", FcFileKind::kAsciiDxf);
  FcResBuf node;
  ASSERT_TRUE(filer.ReadGroup(node));
  filer.SetMark();
  ASSERT_TRUE(filer.ReadGroup(node));
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.type, 70);
  EXPECT_EQ(filer.GetLineCount(), 6);
  filer.SeekToMark();
  EXPECT_EQ(filer.GetLineCount(), 2);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.type, 8);
}

TEST(FilerStepBack, SkipToNextEntityStopsBeforeGroupZero) {
  FcFiler filer;
  AttachBytes(filer, " 0\r\nODD\r\n 8\r\n0\r\n 0\r\nLINE\r\n 8\r\n0\r\n", FcFileKind::kAsciiDxf);
  FcResBuf node;
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_FALSE(filer.HasSkippedRecords());
  EXPECT_EQ(filer.SkipToNextEntity(), 0);
  EXPECT_TRUE(filer.HasSkippedRecords());
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "LINE");
  EXPECT_EQ(filer.SkipToNextEntity(), 1);
}

// --- The line reader.

struct LineCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;
};

const LineCase kLineCases[] = {
    {"CrLf", "a\r\nbc\r\n", {"a", "bc"}},
    {"LfOnly", "a\nbc\n", {"a", "bc"}},
    {"CrOnly", "a\rbc\r", {"a", "bc"}},
    {"LfCr", "a\n\rbc\n\r", {"a", "bc"}},
    {"TwoLf", "a\n\nbc", {"a", "", "bc"}},
    {"TwoCr", "a\r\rbc", {"a", "", "bc"}},
    {"CrLfCrLf", "a\r\n\r\nbc", {"a", "", "bc"}},
    {"NoFinalBreak", "a\r\n bc ", {"a", " bc "}},
    {"OnlyABreak", "\n", {""}},
    {"Empty", "", {}},
};

class FilerLines : public testing::TestWithParam<LineCase> {};

TEST_P(FilerLines, SplitsAtEveryKindOfBreak) {
  FcFiler filer;
  AttachBytes(filer, GetParam().text, FcFileKind::kAsciiDxf);
  std::vector<std::string> lines;
  std::string line;
  while (filer.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, GetParam().lines);
  EXPECT_EQ(filer.GetLineCount(), static_cast<std::int32_t>(lines.size()) + 1);
}

INSTANTIATE_TEST_SUITE_P(Breaks, FilerLines, testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Malformed and unusual groups.

struct ReadCase {
  const char* name;
  FcFileKind kind;
  std::string bytes;
  bool ok;
  int code;  // expected type when ok
};

const ReadCase kReadCases[] = {
    {"CodeWithBlanks", FcFileKind::kAsciiDxf, "  8 \r\n0\r\n", true, 8},
    {"CodeWithLetter", FcFileKind::kAsciiDxf, " 8x\r\n0\r\n", false, 0},
    {"CodeEmpty", FcFileKind::kAsciiDxf, "\r\n0\r\n", false, 0},
    {"CodeTooLarge", FcFileKind::kAsciiDxf, "70000\r\n0\r\n", false, 0},
    {"ValueMissing", FcFileKind::kAsciiDxf, " 8\r\n", false, 0},
    {"RealLeadingBlanks", FcFileKind::kAsciiDxf, " 40\r\n  2.5\r\n", true, 40},
    {"RealTrailingBlank", FcFileKind::kAsciiDxf, " 40\r\n2.5 \r\n", false, 0},
    {"RealNotFinite", FcFileKind::kAsciiDxf, " 40\r\ninf\r\n", false, 0},
    {"RealNotANumber", FcFileKind::kAsciiDxf, " 40\r\nnan\r\n", false, 0},
    {"RealOverflow", FcFileKind::kAsciiDxf, " 40\r\n1e999\r\n", false, 0},
    {"IntegerTooLarge", FcFileKind::kAsciiDxf, " 90\r\n4294967296\r\n", false, 0},
    {"IntegerPlusSign", FcFileKind::kAsciiDxf, " 70\r\n+4\r\n", true, 70},
    {"HandleWithBlank", FcFileKind::kAsciiDxf, " 330\r\n1 F\r\n", false, 0},
    {"HandleEmpty", FcFileKind::kAsciiDxf, " 330\r\n\r\n", false, 0},
    {"Group5NotHex", FcFileKind::kAsciiDxf, " 5\r\nZZ\r\n", true, 5},
    {"Group39Ascii", FcFileKind::kAsciiDxf, " 39\r\nanything\r\n", true, 39},
    {"PointWrongSecondCode", FcFileKind::kAsciiDxf, " 10\r\n1.0\r\n 21\r\n2.0\r\n 0\r\nX\r\n", false, 0},
    {"PointZTrailingBlank", FcFileKind::kAsciiDxf, " 10\r\n1.0\r\n 20\r\n2.0\r\n 30\r\n3.0 \r\n", true, 10},
    {"PointAtEnd", FcFileKind::kAsciiDxf, " 10\r\n1.0\r\n 20\r\n2.0\r\n", false, 0},
    {"BinaryCodeShort", FcFileKind::kBinaryDxf, "\x08", false, 0},
    {"BinaryStringUnterminated", FcFileKind::kBinaryDxf, Code(1) + "abc", false, 0},
    {"BinaryChunkPastEnd", FcFileKind::kBinaryDxf, Code(310) + "\x05\x01\x02", false, 0},
    {"BinaryRealShort", FcFileKind::kBinaryDxf, Code(40) + "\x01\x02\x03", false, 0},
    {"BinaryRealNotFinite", FcFileKind::kBinaryDxf, Code(40) + Double(INFINITY), false, 0},
    {"BinaryCodeOutsideClasses", FcFileKind::kBinaryDxf, Code(240) + Double(1.0), false, 0},
    {"Integer64TooLarge", FcFileKind::kAsciiDxf, " 160\r\n9223372036854775808\r\n", false, 0},
    {"BinaryGroup39", FcFileKind::kBinaryDxf, Code(39) + Double(4.5), true, 39},
    {"BinaryPointWrongSecondCode", FcFileKind::kBinaryDxf, Code(10) + Double(1) + Code(21) + Double(2), false, 0},
    {"BinaryHandleNotHex", FcFileKind::kBinaryDxf, Code(330) + std::string("G1\0", 3), false, 0},
};

class FilerRead : public testing::TestWithParam<ReadCase> {};

TEST_P(FilerRead, AcceptsOrRefusesTheGroup) {
  FcFiler filer;
  AttachBytes(filer, GetParam().bytes, GetParam().kind);
  FcResBuf node;
  EXPECT_EQ(filer.ReadGroup(node), GetParam().ok);
  if (GetParam().ok) {
    EXPECT_EQ(node.type, GetParam().code);
  }
}

INSTANTIATE_TEST_SUITE_P(Groups, FilerRead, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Records of kinds the program passes over hold groups of every value
// type; each must take exactly its own bytes, or every later group is read
// from the wrong place.
TEST(FilerReadValues, BinaryGroupsOfEveryTypeTakeTheirOwnBytes) {
  auto integer = [](std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
  };
  const std::string nul(1, '\0');
  struct Case {
    int code;
    std::string value;
    std::string read;
  } cases[] = {
      {20, Double(2.5), "real 2.5"},
      {160, integer(0xFFFFFF0000000001ull, 8), "int64 ffffff0000000001"},
      {170, integer(0xFFFE, 2), "int -2"},
      {290, integer(1, 1), "int 1"},
      {310, "\x02\xAB\x01", "text AB01"},
      {320, "1F" + nul, "handle 1f"},
      {390, "2A" + nul, "handle 2a"},
      {420, integer(0x123456, 4), "int 1193046"},
      {430, "colour" + nul, "text colour"},
      {450, integer(0xFFFFFFFF, 4), "int -1"},
      {460, Double(4.5), "real 4.5"},
      {470, "four" + nul, "text four"},
      {480, "3" + nul, "handle 3"},
      {1004, "\x01\xCD", "text CD"},
      {1033, Double(7.0), "real 7"},
      {1060, integer(9, 2), "int 9"},
      {1071, integer(70000, 4), "int 70000"},
  };
  std::string bytes;
  for (const Case& c : cases) bytes += Code(c.code) + c.value;
  bytes += Code(0) + "END" + nul;
  FcFiler filer;
  AttachBytes(filer, bytes, FcFileKind::kBinaryDxf);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    FcResBuf node;
    ASSERT_TRUE(filer.ReadGroup(node));
    ASSERT_EQ(node.type, c.code);
    std::ostringstream read;
    switch (ClassifyGroupCode(c.code)) {
      case DxfGroupClass::kReal:
        read << "real " << node.realValue;
        break;
      case DxfGroupClass::kInt64:
        read << "int64 " << std::hex << node.handle;
        break;
      case DxfGroupClass::kHandle:
        read << "handle " << std::hex << node.handle;
        break;
      case DxfGroupClass::kString:
      case DxfGroupClass::kChunk:
        read << "text " << Text(node);
        break;
      default:
        read << "int " << node.intValue;
        break;
    }
    EXPECT_EQ(read.str(), c.read);
  }
  FcResBuf last;
  ASSERT_TRUE(filer.ReadGroup(last));
  EXPECT_EQ(last.type, 0);
  EXPECT_EQ(Text(last), "END");
}

TEST(FilerReadValues, KeepTheRulesOfEachClass) {
  FcFiler filer;
  AttachBytes(filer,
              " 5\r\nZZ\r\n 39\r\n7\r\n 10\r\n1.0\r\n 20\r\n2.0\r\n 30\r\n3.0 \r\n 1\r\n  lead\r\n 310\r\nAB01\r\n",
              FcFileKind::kAsciiDxf);
  FcResBuf node;
  node.handle = 77;
  node.realValue = 9.0;
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "ZZ");
  EXPECT_EQ(node.handle, 77u);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.realValue, 9.0);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.z, 0.0);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "  lead");
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "AB01");
}

TEST(FilerReadValues, IntegerGroupTakesAWholeReal) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
  };
  const Case cases[] = {
      {"1.0", true, 1},           {" -2.0", true, -2},    {"1e2", true, 100},
      {"-2147483648.0", true, std::numeric_limits<std::int32_t>::min()},
      {"1.5", false, 0},          {"abc", false, 0},      {"1.0x", false, 0},
      {"2147483648.0", false, 0}, {"1e10", false, 0},     {"inf", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FcFiler filer;
    AttachBytes(filer, std::string(" 71\r\n") + c.text + "\r\n", FcFileKind::kAsciiDxf);
    FcResBuf node;
    ASSERT_EQ(filer.ReadGroup(node), c.ok);
    if (c.ok) {
      EXPECT_EQ(node.intValue, c.value);
    }
  }
}

TEST(FilerReadValues, BinaryChunkAngleAndStringBreaks) {
  FcFiler filer;
  AttachBytes(filer,
              Code(310) + "\x03\x01\xAB\xFF" + Code(50) + Double(90.0) + Code(1) + std::string("a\nb\0", 4) +
                  Code(1071) + "\xFF\xFF\xFF\xFF" + Code(290) + "\xFF" + Code(70) + "\xFF\xFF",
              FcFileKind::kBinaryDxf);
  FcResBuf node;
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "01ABFF");
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_DOUBLE_EQ(node.realValue, kPi / 2);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "a^Jb");
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.intValue, -1);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.intValue, 255);
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(node.intValue, -1);
}

// --- Disk files: detection, sentinel, failures.

struct KindCase {
  const char* name;
  std::string head;
  FcFileKind kind;
  std::int64_t position;
};

const KindCase kKindCases[] = {
    {"Dwg", "AC1015 and more bytes", FcFileKind::kDwg, 0},
    {"Binary", kSentinel + Code(0), FcFileKind::kBinaryDxf, 22},
    {"SentinelWrongEnd", kSentinel.substr(0, 20) + "\x1A\x01" + "xx", FcFileKind::kAsciiDxf, 0},
    {"Short", "AutoCAD Binary", FcFileKind::kAsciiDxf, 0},
    {"Ascii", "  0\r\nSECTION\r\n", FcFileKind::kAsciiDxf, 0},
};

class FilerKind : public testing::TestWithParam<KindCase> {};

TEST_P(FilerKind, IsDetectedFromTheFirstBytes) {
  TempDir dir;
  FcFiler filer;
  ASSERT_TRUE(filer.Open(dir.Write("drawing.dxf", GetParam().head), kFcOpenRead, FcFileKind::kAsciiDxf));
  EXPECT_EQ(filer.GetKind(), GetParam().kind);
  EXPECT_EQ(filer.GetFile()->GetPosition(), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Heads, FilerKind, testing::ValuesIn(kKindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilerDisk, WritesAndReadsBackABinaryFile) {
  TempDir dir;
  const std::string path = dir.path() + "out.dxf";
  {
    FcFiler filer;
    ASSERT_TRUE(filer.Open(path, kFcOpenCreate | kFcOpenWrite, FcFileKind::kBinaryDxf));
    filer.WriteString(0, "EOF");
    EXPECT_TRUE(filer.Close());
  }
  FcFiler filer;
  ASSERT_TRUE(filer.Open(path, kFcOpenRead, FcFileKind::kDwg));
  EXPECT_EQ(filer.GetKind(), FcFileKind::kBinaryDxf);
  EXPECT_EQ(filer.GetFileName(), "out.dxf");
  EXPECT_EQ(filer.GetFilePath(), path);
  FcResBuf node;
  ASSERT_TRUE(filer.ReadGroup(node));
  EXPECT_EQ(Text(node), "EOF");
  EXPECT_THROW(filer.WriteString(0, "EOF"), FcFileException);
}

TEST(FilerDisk, ReportsFilesThatCannotBeOpenedOrWritten) {
  TempDir dir;
  FcFiler filer;
  EXPECT_FALSE(filer.Open(dir.path() + "missing.dxf", kFcOpenRead, FcFileKind::kAsciiDxf));
  EXPECT_EQ(filer.GetFile(), nullptr);
  EXPECT_FALSE(filer.Open(dir.path() + "no/such/dir.dxf", kFcOpenCreate | kFcOpenWrite, FcFileKind::kAsciiDxf));
  EXPECT_FALSE(filer.Open(dir.path(), kFcOpenRead, FcFileKind::kAsciiDxf));
  EXPECT_THROW(filer.WriteInt(70, 1), FcFileException);

  ASSERT_TRUE(filer.Open("/dev/full", kFcOpenCreate | kFcOpenWrite, FcFileKind::kAsciiDxf));
  filer.WriteString(0, "EOF");
  EXPECT_FALSE(filer.Close());
}

// The groups of a minimal drawing, read back by an independent DXF reader.
TEST(FilerDisk, IndependentReaderReadsBothForms) {
  TempDir dir;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    const std::string path = dir.path() + (kind == FcFileKind::kAsciiDxf ? "ascii.dxf" : "binary.dxf");
    FcFiler filer;
    ASSERT_TRUE(filer.Open(path, kFcOpenCreate | kFcOpenWrite, kind));
    filer.WriteString(0, "SECTION");
    filer.WriteString(2, "HEADER");
    filer.WriteString(9, "$ACADVER");
    filer.WriteString(1, "AC1015");
    filer.WriteString(0, "ENDSEC");
    filer.WriteString(0, "SECTION");
    filer.WriteString(2, "ENTITIES");
    filer.WriteString(0, "LINE");
    filer.WriteHandle(5, 0x2A);
    filer.WriteString(8, "Walls");
    filer.WriteInt(62, 3);
    const double coordinates[] = {0.1, -1234.125, 1e-20, 3.0, 1e17, 0.0};
    for (int i = 0; i < 6; ++i) {
      filer.WriteReal(static_cast<std::int16_t>(10 + i / 3 + 10 * (i % 3)), coordinates[i / 3 * 3 + i % 3]);
    }
    filer.WriteString(0, "ENDSEC");
    filer.WriteString(0, "EOF");
    ASSERT_TRUE(filer.Close());

    const std::string command =
        "/usr/bin/python3 -c \"import ezdxf, sys; e = ezdxf.readfile(sys.argv[1]).modelspace()[0]; "
        "print(e.dxftype(), e.dxf.handle, e.dxf.layer, e.dxf.color, tuple(e.dxf.start), tuple(e.dxf.end))\" " +
        path + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    if (pclose(pipe) != 0 && output.empty()) GTEST_SKIP() << "python3 with ezdxf is not available";
    // ASCII keeps 15 decimals; binary keeps every bit.
    const std::string tiny = kind == FcFileKind::kAsciiDxf ? "0.0" : "1e-20";
    EXPECT_EQ(output, "LINE 2A Walls 3 (0.1, -1234.125, " + tiny + ") (3.0, 1e+17, 0.0)\n");
  }
}

// --- Progress.

class ProgressRecorder : public FrameLink {
 public:
  void CommandHistoryLine(const std::string&) override {}
  void PromptText(const std::string&) override {}
  void ProgressStart(const std::string&) override {}
  void ProgressPosition(int percent, bool) override { percents.push_back(percent); }
  void ProgressEnd() override {}
  std::vector<int> percents;
};

class FilerProgress : public testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&recorder_); }
  void TearDown() override { SetFrameLink(nullptr); }
  ProgressRecorder recorder_;
};

TEST_F(FilerProgress, ReadingReportsEachStepAndTheEnd) {
  // 250 groups of 30 bytes: a step is 100 bytes, so every fourth group
  // (120 bytes on) reports, and the last group reports 100.
  std::string bytes;
  for (int i = 0; i < 250; ++i) bytes += " 1\r\n" + std::string(24, 'x') + "\r\n";
  ASSERT_EQ(bytes.size(), 7500u);
  FcFiler filer;
  AttachBytes(filer, bytes, FcFileKind::kAsciiDxf);
  FcResBuf node;
  for (int i = 0; i < 250; ++i) {
    ASSERT_TRUE(filer.ReadGroup(node));
    filer.UnreadGroup();  // stepping back neither reports nor loses progress
    ASSERT_TRUE(filer.ReadGroup(node));
  }
  EXPECT_FALSE(filer.ReadGroup(node));
  ASSERT_EQ(recorder_.percents.size(), 63u);
  EXPECT_EQ(recorder_.percents.front(), 1);  // 120 of 7500 bytes
  EXPECT_EQ(recorder_.percents[61], 99);     // 7440 bytes
  EXPECT_EQ(recorder_.percents.back(), 100);
}

TEST_F(FilerProgress, WritingReportsEachStepAndTheTotal) {
  FcFiler filer;
  filer.SetProgressTotal(150);  // a step of 2 units
  for (int i = 0; i < 150; ++i) filer.StepProgress(1);
  ASSERT_EQ(recorder_.percents.size(), 50u);
  EXPECT_EQ(recorder_.percents.front(), 2);
  EXPECT_EQ(recorder_.percents.back(), 100);
  FcFiler empty;
  empty.StepProgress(1);
  EXPECT_EQ(recorder_.percents.size(), 50u);
}

}  // namespace
